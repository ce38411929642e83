// Pictures read from outside (a record's picture, the logo beside the program, a report's pictures) whose
// few bytes claim a size of gigabytes are refused without allocating it.
#include "common/HostileFiles.h"
#include "common/DbFixture.h"
#include "library/QTlacForm.h"
#include "library/xDBImage.h"
#include "library/xQuery.h"
#include "platform/db/DataSource.h"
#include "platform/report/QRControls.h"
#include "platform/report/QuickRep.h"
#include "platform/ui/Picture.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtEndian>
#include <zlib.h>

namespace {

constexpr quint32 Huge = 100'000;

QByteArray le(quint32 v, int bytes)
{
    QByteArray b;
    for (int i = 0; i < bytes; ++i)
        b += char((v >> (8 * i)) & 0xff);
    return b;
}

QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    const QByteArray body = type + data;
    const quint32 length = qToBigEndian(quint32(data.size()));
    const quint32 crc = qToBigEndian(quint32(crc32(0, reinterpret_cast<const Bytef *>(body.constData()), body.size())));
    return QByteArray(reinterpret_cast<const char *>(&length), 4) + body +
           QByteArray(reinterpret_cast<const char *>(&crc), 4);
}

// Headers of pictures of 100 000 × 100 000 points (40 GB in memory) with a few bytes of data.
QByteArray hugePng()
{
    const quint32 side = qToBigEndian(Huge);
    const QByteArray size(reinterpret_cast<const char *>(&side), 4);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", size + size + QByteArray("\x08\x02\0\0\0", 5)) +
           pngChunk("IDAT", QByteArray::fromHex("789c030000000001")) + pngChunk("IEND", {});
}

QByteArray hugeBmp()
{
    return "BM" + le(70, 4) + le(0, 4) + le(54, 4) + le(40, 4) + le(Huge, 4) + le(Huge, 4) + le(1, 2) + le(24, 2) +
           le(0, 4) + le(16, 4) + QByteArray(16 + 16, '\0');
}

QByteArray hugeGif()
{
    return "GIF89a" + le(65535, 2) + le(65535, 2) + QByteArray(3, '\0') + "," + le(0, 4) + le(65535, 2) + le(65535, 2) +
           QByteArray("\x00\x02\x02\x4c\x01\x00;", 7);
}

TEST(HostilePicture, AHugeDeclaredSizeIsRefusedInEveryWayAPictureIsRead)
{
    // The limit every reading of a picture goes through: a picture of more is refused from its header.
    EXPECT_GT(QImageReader::allocationLimit(), 0);
    EXPECT_LE(QImageReader::allocationLimit(), 256);
    QTemporaryDir dir;
    const long before = PeakMemoryKb();
    for (const auto &[name, bytes] :
         {std::pair<QString, QByteArray>{"obr.png", hugePng()}, {"obr.bmp", hugeBmp()}, {"obr.gif", hugeGif()}}) {
        SCOPED_TRACE(name.toStdString());
        TPicture picture;
        EXPECT_THROW(picture.LoadFromData(bytes), EInvalidGraphic);
        const QString file = WriteTestFile(dir.filePath(name), bytes);
        EXPECT_THROW(picture.LoadFromFile(file), EInvalidGraphic);
        EXPECT_TRUE(picture.IsEmpty());
        // The logo and signature stamped into a printed document, and a report's designed picture.
        TQuickRep report;
        TQRBand *band = report.AddBand(rbTitle, QStringLiteral("TitleBand"));
        auto *logo = band->Add<TQRImage>(QStringLiteral("QRlogo"));
        auto *signature = band->Add<TQRImage>(QStringLiteral("QRpodpis"));
        StampReport(&report, nullptr, file, file);
        EXPECT_TRUE(logo->Picture.isNull());
        EXPECT_TRUE(signature->Picture.isNull());
        auto *designed = band->Add<TQRImage>();
        designed->setProperty(QStringLiteral("Picture"), file);
        EXPECT_TRUE(designed->Picture.isNull());
    }
    EXPECT_LT(PeakMemoryKb() - before, 64 * 1024);
}

class HostileBlob : public DbFixture {};

TEST_F(HostileBlob, ARecordsPictureOfAHugeDeclaredSizeShowsItsErrorAndTheBrowsingGoesOn)
{
    exec("create table R_OBR (ID integer, OBR blob sub_type 0)");
    exec("insert into R_OBR values (1, x'" + QString::fromLatin1(hugeBmp().toHex()) + "')");
    exec("insert into R_OBR values (2, null)");
    TxQuery query;
    query.SetDatabase(db.get());
    query.SQL().SetText("select ID, OBR from R_OBR order by ID");
    query.Open();
    TDataSource source;
    source.SetDataSet(&query);
    TxDBImage image;
    image.SetDataSource(&source);
    image.SetDataField("OBR");
    EXPECT_TRUE(image.Picture().IsEmpty());
    EXPECT_EQ(image.ErrorText(), QString::fromUtf8("Chybný obrázok (BMP)"));
    query.Next();
    EXPECT_EQ(query.FieldByName("ID")->AsInteger(), 2);
    EXPECT_TRUE(image.ErrorText().isEmpty());
}

} // namespace
