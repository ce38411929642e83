// The XML parts and zip archives of office templates come from outside: a part nested a few hundred thousand
// levels deep, a tag of endless attributes, and an archive whose directory unpacks the same bytes many
// times over are read within bounded memory and time, or refused with their reason.
#include "common/HostileFiles.h"
#include "library/XmlNode.h"
#include "library/ZipArchive.h"

#include <gtest/gtest.h>

namespace {

TEST(XmlTree, AVeryDeepPartIsReadWalkedCopiedWrittenAndFreed)
{
    const int depth = 300'000;
    TXmlDocument doc;
    QString error;
    ASSERT_TRUE(doc.Parse(Nested(depth, "<x:in a=\"1\">", "</x:in>", "<r:root xmlns:x=\"u\" xmlns:r=\"v\">",
                                 "</r:root>", "<x:leaf>dno</x:leaf>"),
                          &error))
        << error.toStdString();
    TXmlNode *leaf = nullptr;
    doc.Root->Each("x:leaf", [&](TXmlNode *n) { leaf = n; });
    ASSERT_TRUE(leaf);
    int levels = 0;
    for (const TXmlNode *n = leaf; n->Parent; n = n->Parent)
        ++levels;
    EXPECT_EQ(levels, depth + 1);

    // A copy of the whole chain beside the original, then both written out and read again.
    TXmlNode *copy = doc.Root->Child("x:in")->CloneAfter();
    EXPECT_EQ(copy->Parent, doc.Root.get());
    const QByteArray bytes = doc.Bytes();
    TXmlDocument again;
    ASSERT_TRUE(again.Parse(bytes, &error)) << error.toStdString();
    int leaves = 0;
    again.Root->Each("x:leaf", [&](TXmlNode *n) {
        ++leaves;
        EXPECT_EQ(n->Children.front()->Text, "dno");
    });
    EXPECT_EQ(leaves, 2);
    EXPECT_EQ(again.Root->Attr("xmlns:x"), "u");
    // Leaving the test frees four chains of 300 000 levels.
}

TEST(XmlTree, ATagOfEndlessAttributesIsRefusedBeforeItIsRead)
{
    const auto tag = [](int attributes, const QByteArray &inside = {}) {
        QByteArray text = "<r>" + inside + "<e";
        for (int i = 0; i < attributes; ++i)
            text += " a" + QByteArray::number(i) + "=\"=\"";
        return text + "/></r>";
    };
    TXmlDocument doc;
    QString error;
    EXPECT_TRUE(doc.Parse(tag(TXmlDocument::MaxAttributes), &error)) << error.toStdString();
    EXPECT_EQ(doc.Root->Child("e")->Attributes.size(), size_t(TXmlDocument::MaxAttributes));
    EXPECT_FALSE(doc.Parse(tag(TXmlDocument::MaxAttributes + 1), &error));
    EXPECT_EQ(error, QString::fromUtf8("element časti má viac ako 256 atribútov"));
    EXPECT_FALSE(doc.Root);
    // Many "=" in comments, character data, instructions and texts are no attributes.
    const QByteArray equals(1000, '=');
    EXPECT_TRUE(
        doc.Parse(tag(3, "<!--" + equals + "--><![CDATA[" + equals + "]]><?p " + equals + "?>" + equals), &error))
        << error.toStdString();
    // A hundred thousand attributes (the reader would take minutes over them) are refused at once.
    EXPECT_FALSE(doc.Parse(tag(100'000)));
}

TEST(XmlTree, APartOfMoreItemsThanTheLimitIsRefused)
{
    QByteArray many = "<r>";
    many += QByteArray("<a/>").repeated(TXmlDocument::MaxItems);
    many += "</r>";
    TXmlDocument doc;
    QString error;
    EXPECT_FALSE(doc.Parse(many, &error));
    EXPECT_EQ(error, QString::fromUtf8("časť má viac ako 2000000 prvkov"));
    EXPECT_FALSE(doc.Root);
    many.chop(4 + 4 * 2);
    EXPECT_TRUE(doc.Parse(many + "</r>", &error)) << error.toStdString();
}

TEST(ZipLimits, EntriesPointingAtOneDeflatedPartAreRefusedBeforeAnythingIsUnpacked)
{
    // Sixteen megabytes of zeros deflate to a few kilobytes; sixty-four directory records pointing at them
    // would unpack to a gigabyte.
    const QByteArray bomb = PointedManyTimes(ZipOf({{"content.xml", QByteArray(16 << 20, '\0')}}), 64);
    ASSERT_LT(bomb.size(), 100'000);
    const long before = PeakMemoryKb();
    TZipArchive zip;
    QString error;
    EXPECT_FALSE(zip.Load(bomb, &error));
    EXPECT_EQ(error, QString::fromUtf8("Archív zip by po rozbalení zabral viac ako 256 MB."));
    EXPECT_TRUE(zip.Entries.empty());
    EXPECT_LT(PeakMemoryKb() - before, 64 * 1024) << "nothing unpacked";

    // Below the total, records sharing their bytes are refused as well.
    EXPECT_FALSE(zip.Load(PointedManyTimes(ZipOf({{"a", "abc"}}), 2), &error));
    EXPECT_EQ(error, QString::fromUtf8("Položky archívu zip sa prekrývajú."));
}

TEST(ZipLimits, TheNumberOfEntriesIsBoundedAndANormalArchiveStillReads)
{
    TZipArchive many;
    for (int i = 0; i <= TZipArchive::MaxEntries; ++i)
        many.Entries.push_back({QString::number(i), "x", true});
    TZipArchive zip;
    QString error;
    EXPECT_FALSE(zip.Load(many.Bytes(), &error));
    EXPECT_EQ(error, QString::fromUtf8("Archív zip má viac ako 10000 položiek."));
    many.Entries.pop_back();
    EXPECT_TRUE(zip.Load(many.Bytes(), &error)) << error.toStdString();
    EXPECT_EQ(zip.Entries.size(), size_t(TZipArchive::MaxEntries));

    const QByteArray content = QByteArray("<r>") + QByteArray("<c>bunka</c>").repeated(50'000) + "</r>";
    ASSERT_TRUE(zip.Load(
        ZipOf({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", content}}), &error))
        << error.toStdString();
    ASSERT_EQ(zip.Entries.size(), 2u);
    EXPECT_EQ(zip.Find("content.xml")->Data, content);
    EXPECT_TRUE(zip.Find("mimetype")->Stored);
}

} // namespace
