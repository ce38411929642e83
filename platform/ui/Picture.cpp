#include "Picture.h"

#include "Jpeg.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>

TPicture::TPicture(const QImage &image, const QString &format)
{
    Assign(image, format);
}

void TPicture::Clear()
{
    image_ = QImage();
    format_.clear();
    data_.clear();
}

void TPicture::Assign(const QImage &image, const QString &format)
{
    image_ = image;
    format_ = image.isNull() ? QString() : format.toLower();
    data_.clear();
}

QString PictureFormatOf(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return QStringLiteral("jpg");
    if (bytes.startsWith("BM"))
        return QStringLiteral("bmp");
    if (bytes.startsWith("GIF"))
        return QStringLiteral("gif");
    if (bytes.startsWith("\x89PNG"))
        return QStringLiteral("png");
    return QString();
}

void TPicture::LoadFromData(const QByteArray &bytes, const QString &format)
{
    QString fmt = format.isEmpty() ? PictureFormatOf(bytes) : format.toLower();
    if (fmt == QLatin1String("jpeg"))
        fmt = QStringLiteral("jpg");
    if (fmt.isEmpty())
        fmt = QStringLiteral("bmp");
    QImage image;
    if (fmt == QLatin1String("jpg")) {
        QString error;
        image = DecodeJpeg(bytes, &error);
        if (image.isNull())
            throw EInvalidGraphic(QStringLiteral("Chybný obrázok JPEG: %1").arg(error));
    } else {
        image = QImage::fromData(bytes, fmt.toLatin1().constData());
        if (image.isNull())
            throw EInvalidGraphic(QStringLiteral("Chybný obrázok (%1)").arg(fmt.toUpper()));
    }
    image_ = image;
    format_ = fmt;
    data_ = bytes;
}

void TPicture::LoadFromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Súbor %1 sa nedá otvoriť: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    QString fmt = PictureFormatOf(bytes);
    if (fmt.isEmpty()) {
        // An unrecognised start: let the file's extension decide.
        const QString ext = path.section(QLatin1Char('.'), -1).toLower();
        if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
            fmt = QStringLiteral("jpg");
        else if (ext == QLatin1String("png") || ext == QLatin1String("gif"))
            fmt = ext;
    }
    LoadFromData(bytes, fmt);
}

QByteArray TPicture::SaveToData() const
{
    if (image_.isNull())
        return QByteArray();
    if (!data_.isEmpty())
        return data_;
    if (format_ == QLatin1String("jpg"))
        return EncodeJpeg(image_);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image_.save(&buffer, format_.isEmpty() ? "bmp" : format_.toLatin1().constData());
    return bytes;
}

void TPicture::SaveToFile(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(SaveToData()) < 0 || !file.commit())
        throw Exception(QStringLiteral("Súbor %1 sa nedá zapísať: %2").arg(path, file.errorString()));
}

TPicture LoadPicture(const QByteArray &bytes)
{
    TPicture picture;
    picture.LoadFromData(bytes);
    return picture;
}

TPicture LoadPicture(const QString &path)
{
    TPicture picture;
    picture.LoadFromFile(path);
    return picture;
}
