// The reader of report definitions: the tree it builds, and its exact message for each malformed file.
#include "library/xXMLReader.h"
#include "platform/os/Win1250.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class XmlReader : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString write(const QByteArray &bytes)
    {
        const QString path = dir.filePath(QStringLiteral("d%1.xrep").arg(++count));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    std::unique_ptr<TXMLElement> parse(const QByteArray &bytes) { return TXMLReader(write(bytes)).Parse(); }
    QString error(const QByteArray &bytes)
    {
        try {
            parse(bytes);
        } catch (const EXMLError &e) {
            return e.Message;
        }
        return QStringLiteral("(no error)");
    }
    int count = 0;
};

TEST_F(XmlReader, ReadsElementsAttributesAndRawInnerText)
{
    const QByteArray file =
        "  \r\n<xreport>\n"
        "<sql>  select NAZOV,  CENA\r\n from T where CENA <= :MAX and A<>B and C > 0 and D<E</sql>\n"
        "<report type=document name=\"Cenník   2024\">\n"
        "  <label left=10 caption=\"a=b/c>d\" />\n"
        "  <field expression=NAZOV/>\n"
        "  <mix><child/> stray words </mix>\n"
        "</report>\n"
        "</xreport>   \n";
    const auto doc = parse(file);
    ASSERT_EQ(doc->Name, "xreport");
    ASSERT_EQ(doc->Elements().Count(), 2);
    TXMLElement *sql = doc->Elements().Find("sql");
    ASSERT_TRUE(sql);
    // Blanks before the first byte are dropped; everything after it is kept as it stands.
    EXPECT_EQ(sql->InnerText, "select NAZOV,  CENA\r\n from T where CENA <= :MAX and A<>B and C > 0 and D<E");
    EXPECT_FALSE(sql->HasAttributes());

    TXMLElement *report = doc->Elements().Find("report");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->AttributeValue("type"), "document");
    EXPECT_EQ(report->AttributeValue("name"), "Cenník   2024");
    EXPECT_TRUE(report->HasAttribute("name"));
    EXPECT_FALSE(report->HasAttribute("Name")) << "names are case-sensitive";
    EXPECT_EQ(report->AttributeValue("missing"), "");
    ASSERT_EQ(report->Elements().Count(), 3);
    TXMLElement *label = report->Elements()[0];
    EXPECT_EQ(label->AttributeValue("left"), "10");
    EXPECT_EQ(label->AttributeValue("caption"), "a=b/c>d");
    EXPECT_FALSE(label->HasElements());
    TXMLElement *field = report->Elements()[1];
    EXPECT_EQ(field->AttributeValue("expression"), "NAZOV") << "an unquoted value ends at the slash";
    TXMLElement *mix = report->Elements()[2];
    EXPECT_EQ(mix->Elements().Count(), 1);
    EXPECT_TRUE(mix->InnerText.isEmpty()) << "text after child elements is passed over";
    EXPECT_EQ(report->Elements().Find("nothing"), nullptr);
}

TEST_F(XmlReader, TextBeforeChildrenIsTheWholeContentAndUnquotedValuesEndAtABlank)
{
    const auto doc = parse("<xreport><sql>select <b>x</b> from T</sql><a v=one two=\"2\"></a></xreport>");
    EXPECT_EQ(doc->Elements().Find("sql")->InnerText, "select <b>x</b> from T");
    TXMLElement *a = doc->Elements().Find("a");
    EXPECT_EQ(a->AttributeValue("v"), "one");
    EXPECT_EQ(a->AttributeValue("two"), "2");
}

TEST_F(XmlReader, NationalLettersInWindows1250AndUtf8)
{
    const QString caption = QString::fromUtf8("Zákazky – ťažké položky");
    const QByteArray body = "<xreport><report><label caption=\"";
    auto doc = parse(body + Win1250::fromUnicode(QString::fromUtf8("Zákazky ťažké")) + "\"/></report></xreport>");
    EXPECT_EQ(doc->Elements()[0]->Elements()[0]->AttributeValue("caption"), QString::fromUtf8("Zákazky ťažké"));
    doc = parse(body + caption.toUtf8() + "\"/></report></xreport>");
    EXPECT_EQ(doc->Elements()[0]->Elements()[0]->AttributeValue("caption"), caption);
}

TEST_F(XmlReader, EachMalformedConstructHasItsMessage)
{
    EXPECT_EQ(error("<xreport><a/ x></xreport>"), "Expecting > after / !");
    EXPECT_EQ(error("<xreport><a></b></xreport>"), "Expecting closing element for a, found b!");
    EXPECT_EQ(error("<xreport><a></a x></xreport>"), "Expecting > in closing element!");
    EXPECT_EQ(error("<xreport><a></a"), "Expecting > in closing element!");
    EXPECT_EQ(error("</report><xreport/>"), "Expecting closing element </xreport>!");
    EXPECT_EQ(error("<xreport><sql>select 1 from T </sq l>"), "InnerText: Expected closing element sql not found!");
    EXPECT_EQ(error("<report></report>"), "Document element must be <xreport>!");
    EXPECT_EQ(error("<XReport></XReport>"), "Document element must be <xreport>!");
    EXPECT_EQ(error(""), "Document element must be <xreport>!");
    EXPECT_EQ(error(" \r\n\t "), "Document element must be <xreport>!");
}

TEST_F(XmlReader, FilesEndingInsideATagOrOutsideTheDocumentAreRefused)
{
    const QString inTag = QString::fromUtf8("Neočakávaný koniec súboru vo vnútri značky!");
    EXPECT_EQ(error("<xreport><"), inTag);
    EXPECT_EQ(error("<xreport><a x="), inTag);
    EXPECT_EQ(error("<xreport><a x=\"open quote"), inTag);
    EXPECT_EQ(error("<xreport><a/"), inTag);
    EXPECT_EQ(error("<xreport></"), inTag);
    EXPECT_EQ(error("<"), inTag);
    EXPECT_EQ(error("<xreport><>"), QString::fromUtf8("Chýba názov elementu!"));

    EXPECT_EQ(error("text <xreport/>"), QString::fromUtf8("Text mimo elementu <xreport>!"));
    const QString after = QString::fromUtf8("Za elementom <xreport> nesmie nasledovať ďalší obsah!");
    EXPECT_EQ(error("<xreport/> tail"), after);
    EXPECT_EQ(error("<xreport></xreport></xreport>"), after);
    EXPECT_EQ(error("<xreport></xreport><xreport/>"), after);
    EXPECT_EQ(error("</xreport>"), QString::fromUtf8("Nadbytočný uzatvárací element </xreport>!"));
}

TEST_F(XmlReader, NestingIsLimitedInsteadOfExhaustingTheStack)
{
    const auto nested = [](int depth) {
        QByteArray text;
        for (int i = 0; i < depth; ++i)
            text += i == 0 ? "<xreport>" : "<e>";
        for (int i = depth - 1; i >= 0; --i)
            text += i == 0 ? "</xreport>" : "</e>";
        return text;
    };
    EXPECT_NO_THROW(parse(nested(TXMLReader::MaxDepth)));
    EXPECT_EQ(error(nested(TXMLReader::MaxDepth + 1)), QString::fromUtf8("Elementy sú vnorené hlbšie ako 256!"));
    EXPECT_EQ(error(nested(100000)), QString::fromUtf8("Elementy sú vnorené hlbšie ako 256!"));
}

TEST_F(XmlReader, UnclosedElementsEndWithTheFile)
{
    const auto doc = parse("<xreport><report><title>");
    EXPECT_EQ(doc->Elements().Find("report")->Elements().Find("title")->Name, "title");
}

TEST_F(XmlReader, AMissingFileIsAnErrorOfItsOwn)
{
    try {
        TXMLReader reader(dir.filePath("none.xrep"));
        FAIL() << "opened a missing file";
    } catch (const EXMLError &) {
        FAIL() << "not an XML error";
    } catch (const Exception &e) {
        EXPECT_TRUE(e.Message.contains("none.xrep"));
    }
}

} // namespace
