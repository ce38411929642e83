// JPEG pictures through the IJG JPEG v6 library interface: decoding into QImage and encoding from it.
#pragma once

#include <QByteArray>
#include <QImage>

// Decodes JPEG bytes; a null image with the library's message in error when they are not a readable JPEG.
QImage DecodeJpeg(const QByteArray &bytes, QString *error = nullptr);
// Encodes an image as a baseline JPEG of the given quality (1..100); empty on failure.
QByteArray EncodeJpeg(const QImage &image, int quality = 90);
