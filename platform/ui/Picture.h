// TPicture: a picture of a form or a record (product and material pictures, logos): JPEG through the
// JPEG library, BMP, PNG and GIF through Qt. It remembers its format and the bytes it was loaded from,
// so a JPEG is stored back as the same JPEG.
#pragma once

#include "platform/os/Exception.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// Picture data that cannot be read.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

class TPicture {
public:
    TPicture() = default;
    explicit TPicture(const QImage &image, const QString &format = QStringLiteral("bmp"));

    bool IsEmpty() const { return image_.isNull(); }
    const QImage &Image() const { return image_; }
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    // "jpg", "bmp", "png", "gif", or empty for no picture.
    const QString &Format() const { return format_; }
    void Clear();
    void Assign(const QImage &image, const QString &format = QStringLiteral("bmp"));

    // Reads the bytes in the given format, or by their first bytes when the format is empty (anything
    // unrecognised is read as a bitmap). Throws EInvalidGraphic on bad data.
    void LoadFromData(const QByteArray &bytes, const QString &format = QString());
    // Throws Exception when the file cannot be read, EInvalidGraphic on bad data.
    void LoadFromFile(const QString &path);
    // The picture in its own format.
    QByteArray SaveToData() const;
    void SaveToFile(const QString &path) const;

private:
    QImage image_;
    QString format_;
    QByteArray data_; // the bytes loaded, kept for a faithful save
};

// The format the first bytes name: "jpg" (FF D8 FF), "bmp" ("BM"), "gif" ("GIF"), "png", else empty.
QString PictureFormatOf(const QByteArray &bytes);
TPicture LoadPicture(const QByteArray &bytes);
TPicture LoadPicture(const QString &path);
