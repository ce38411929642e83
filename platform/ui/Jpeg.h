// JPEG pictures through the IJG JPEG v6 library interface: decoding into QImage and encoding from it.
#pragma once

#include <QByteArray>
#include <QImage>

// The most pixels a picture may have (100 megapixels); larger ones are refused before decoding.
inline constexpr quint64 kMaxJpegPixels = 100'000'000;

// Decodes JPEG bytes; a null image with the library's message in error when they are not a readable JPEG
// or claim more than kMaxJpegPixels.
QImage DecodeJpeg(const QByteArray &bytes, QString *error = nullptr);
// Encodes an image as a baseline JPEG of the given quality (1..100); empty on failure.
QByteArray EncodeJpeg(const QImage &image, int quality = 90);
