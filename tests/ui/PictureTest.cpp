// Pictures: JPEG through the JPEG library, other formats through Qt, and the glyphs.
#include "platform/ui/Glyphs.h"
#include "platform/ui/Jpeg.h"
#include "platform/ui/Picture.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QImage testImage()
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 30));
    for (int y = 0; y < 30; ++y)
        for (int x = 20; x < 40; ++x)
            image.setPixel(x, y, qRgb(20, 40, 220));
    return image;
}

QByteArray encodeWithQt(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return bytes;
}

bool near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) < 24 && std::abs(qGreen(a) - qGreen(b)) < 24 &&
           std::abs(qBlue(a) - qBlue(b)) < 24;
}
} // namespace

TEST(Picture, DecodesAJpegWrittenByQt)
{
    const QImage source = testImage();
    const QByteArray jpeg = encodeWithQt(source, "JPG");
    QString error;
    const QImage decoded = DecodeJpeg(jpeg, &error);
    ASSERT_FALSE(decoded.isNull()) << error.toStdString();
    EXPECT_EQ(decoded.size(), source.size());
    EXPECT_TRUE(near(decoded.pixel(5, 5), source.pixel(5, 5)));
    EXPECT_TRUE(near(decoded.pixel(35, 25), source.pixel(35, 25)));
}

TEST(Picture, DecodesAGreyJpeg)
{
    QImage grey(16, 8, QImage::Format_Grayscale8);
    grey.fill(128);
    const QImage decoded = DecodeJpeg(encodeWithQt(grey, "JPG"));
    ASSERT_FALSE(decoded.isNull());
    EXPECT_NEAR(qGray(decoded.pixel(3, 3)), 128, 4);
}

TEST(Picture, EncodedJpegReadsBackInQt)
{
    const QByteArray jpeg = EncodeJpeg(testImage(), 95);
    ASSERT_TRUE(jpeg.startsWith("\xFF\xD8\xFF"));
    const QImage back = QImage::fromData(jpeg, "JPG");
    ASSERT_FALSE(back.isNull());
    EXPECT_TRUE(near(back.pixel(35, 5), qRgb(20, 40, 220)));
}

TEST(Picture, BadJpegIsAnErrorNotACrash)
{
    QByteArray jpeg = encodeWithQt(testImage(), "JPG");
    QString error;
    EXPECT_TRUE(DecodeJpeg(jpeg.left(20), &error).isNull());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(DecodeJpeg(QByteArray()).isNull());
    TPicture p;
    EXPECT_THROW(p.LoadFromData(QByteArray("\xFF\xD8\xFF\x00garbage", 11)), EInvalidGraphic);
    EXPECT_TRUE(p.IsEmpty());
    EXPECT_THROW(p.LoadFromData(QByteArray("not a picture")), EInvalidGraphic) << "unknown bytes are read as a bitmap";
}

TEST(Picture, FormatByTheFirstBytes)
{
    const struct {
        QByteArray bytes;
        const char *format;
    } cases[] = {
        {QByteArray("\xFF\xD8\xFF\xE0", 4), "jpg"},
        {"BM6\0", "bmp"},
        {"GIF89a", "gif"},
        {"\x89PNG\r\n", "png"},
        {"PK\3\4", ""},
        {"", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(PictureFormatOf(c.bytes), QString::fromLatin1(c.format));
    }
}

TEST(Picture, JpegIsStoredBackAsTheSameBytesAndOtherFormatsRoundTrip)
{
    const QByteArray jpeg = encodeWithQt(testImage(), "JPG");
    TPicture p = LoadPicture(jpeg);
    EXPECT_EQ(p.Format(), QStringLiteral("jpg"));
    EXPECT_EQ(p.SaveToData(), jpeg);

    TPicture bmp = LoadPicture(encodeWithQt(testImage(), "BMP"));
    EXPECT_EQ(bmp.Format(), QStringLiteral("bmp"));
    EXPECT_EQ(bmp.Width(), 40);

    QTemporaryDir dir;
    TPicture made(testImage(), QStringLiteral("jpg"));
    made.SaveToFile(dir.filePath("a.jpg"));
    TPicture loaded = LoadPicture(dir.filePath("a.jpg"));
    EXPECT_EQ(loaded.Format(), QStringLiteral("jpg"));
    EXPECT_EQ(loaded.Height(), 30);
    EXPECT_THROW(LoadPicture(dir.filePath("missing.jpg")), Exception);
}

TEST(Glyphs, EveryGlyphIsADrawn16x16Picture)
{
    ASSERT_GE(GlyphNames().size(), 20);
    for (const QString &name : GlyphNames()) {
        SCOPED_TRACE(name.toStdString());
        const QImage image = Glyph(name).toImage();
        ASSERT_EQ(image.size(), QSize(16, 16));
        bool painted = false;
        for (int y = 0; y < 16 && !painted; ++y)
            for (int x = 0; x < 16 && !painted; ++x)
                painted = qAlpha(image.pixel(x, y)) > 0;
        EXPECT_TRUE(painted);
    }
    EXPECT_FALSE(Glyph(QStringLiteral("btnNovy")).isNull()) << "names without regard to case";
    EXPECT_TRUE(Glyph(QStringLiteral("NOSUCH")).isNull());
}

TEST(Picture, AJpegClaimingAHugeSizeIsRefusedBeforeDecoding)
{
    QByteArray jpeg = EncodeJpeg(testImage(), 90);
    // The frame header (FF C0, length, precision, height, width) claims 12000 x 10000 pixels.
    const int sof = int(jpeg.indexOf(QByteArray("\xFF\xC0", 2)));
    ASSERT_GT(sof, 0);
    jpeg[sof + 5] = char(0x27), jpeg[sof + 6] = char(0x10); // height 10000
    jpeg[sof + 7] = char(0x2E), jpeg[sof + 8] = char(0xE0); // width 12000
    QString error;
    EXPECT_TRUE(DecodeJpeg(jpeg, &error).isNull());
    EXPECT_EQ(error, QString::fromUtf8("Obrázok 12000 × 10000 bodov je príliš veľký."));
    TPicture picture;
    EXPECT_THROW(picture.LoadFromData(jpeg), EInvalidGraphic);

    // Within the bound the same header change decodes (what the data lacks is filled in).
    jpeg[sof + 5] = char(0x00), jpeg[sof + 6] = char(0x40); // 64 x 64
    jpeg[sof + 7] = char(0x00), jpeg[sof + 8] = char(0x40);
    EXPECT_EQ(DecodeJpeg(jpeg).size(), QSize(64, 64));
}
