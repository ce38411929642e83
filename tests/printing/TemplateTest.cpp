// Text templates poured into report memos section by section, the template editor before printing,
// and the memo editor of a long text field.
#include "PrintTestSupport.h"
#include "common/DbFixture.h"
#include "library/Buttons.h"
#include "library/QMemoForm.h"
#include "library/QTlacTemplForm.h"
#include "platform/os/TextFile.h"

#include <QPlainTextEdit>
#include <QTemporaryDir>

namespace {

QString utf(const char *s)
{
    return QString::fromUtf8(s);
}

TEST(TemplateSections, EachCallTakesTheLinesUpToTheNextMarker)
{
    TQuickRep rep;
    TQRBand *band = rep.AddBand(rbTitle);
    auto *memo1 = band->Add<TQRMemo>();
    auto *memo2 = band->Add<TQRMemo>();
    auto *memo3 = band->Add<TQRMemo>();
    memo3->Lines << "stale";
    const QStringList lines{"Úvod", "", "[DETAIL] ", "[detail]", "[DETAIL]", "Záver", "[DETAIL]"};
    int index = 0;
    ReadTemplateSection(lines, memo1, index);
    EXPECT_EQ(memo1->Lines, QStringList({"Úvod", "", "[DETAIL] ", "[detail]"}));
    EXPECT_EQ(index, 5);
    ReadTemplateSection(lines, memo2, index);
    EXPECT_EQ(memo2->Lines, QStringList{"Záver"});
    EXPECT_EQ(index, 7);
    ReadTemplateSection(lines, memo3, index);
    EXPECT_TRUE(memo3->Lines.isEmpty());
    EXPECT_EQ(index, 7);

    // Without a marker everything goes into the first memo.
    index = 0;
    ReadTemplateSection(QStringList{"a", "b"}, memo1, index);
    ReadTemplateSection(QStringList{"a", "b"}, memo2, index);
    EXPECT_EQ(memo1->Lines, QStringList({"a", "b"}));
    EXPECT_TRUE(memo2->Lines.isEmpty());
}

// A document as the offer prints it: the first section above the item lines, the second below them,
// expressions in braces filled from the rows.
TEST(TemplateSections, TheSectionsFrameTheRowsOfTheDocument)
{
    TQuickRep rep;
    auto *memo1 = rep.AddBand(rbTitle)->Add<TQRMemo>("QReMemo1");
    memo1->AutoStretch = true;
    memo1->Width = 600;
    auto *text = rep.AddBand(rbDetail)->Add<TQRDBText>();
    text->DataField = "C_VYR";
    auto *memo2 = rep.AddBand(rbSummary)->Add<TQRMemo>("QReMemo2");
    memo2->AutoStretch = true;
    memo2->Width = 600;
    TMemoryCursor rows({"C_OBJ", "C_VYR"}, {ReportCursor::fkString, ReportCursor::fkString},
                       {{"PON260007", "V-1001"}, {"PON260007", "V-1002"}, {"PON260007", "V-1003"}});
    rep.setCursor(&rows);
    const QStringList lines{"Ponúkame k dopytu {C_OBJ}:", "[DETAIL]", "Ponuka platí 30 dní."};
    int index = 0;
    ReadTemplateSection(lines, memo1, index);
    ReadTemplateSection(lines, memo2, index);
    rep.prepare();
    EXPECT_EQ(ReportTexts(rep), QStringList({utf("Ponúkame k dopytu PON260007:"), "V-1001", "V-1002", "V-1003",
                                             utf("Ponuka platí 30 dní.")}));
}

// The sample templates fill every brace from the columns their documents select.
TEST(TemplateSections, TheSampleTemplatesHaveTwoSectionsOverTheirDocumentsColumns)
{
    const QStringList offerColumns{"C_OBJ", "ODBERATEL", "D_VYSTAV", "PLAT_PODM", "DOD_PODM", "TECH_PODM", "C_VYR",
                                   "NAZOV", "C_VYKRESU", "MNOZ_OBJ", "DODANIE",   "MATERIAL", "VAHA1",     "CENA_MAT",
                                   "MAT1",  "CENA1",     "MENA",     "NAKL_VYR1", "ULICA",    "MESTO",     "PSC"};
    const QStringList contractColumns{
        "C_OBJ",   "C_ZMLUVY", "PREDMET", "BALENIE", "OSTATNE",  "UHRADA",    "SPLATNOST", "ODBERATEL", "PLAT_PODM",
        "DOPRAVA", "D_OBJ",    "ULICA",   "PSC",     "MESTO",    "ICO",       "ICDPH",     "TERMIN",    "TERMIN_OBJ",
        "C_VYR",   "MNOZ_OBJ", "NAZOV",   "ROZMER",  "MATERIAL", "C_VYKRESU", "C_POL_EXT", "CENA1"};
    for (const auto &[file, columns] :
         {std::pair{QString("ponuka.txt"), offerColumns}, std::pair{QString("zmluva.txt"), contractColumns}}) {
        SCOPED_TRACE(file.toStdString());
        bool ok = false;
        const QStringList lines = ReadTextFile(TempDatabase::sourceDir() + "/share/" + file, &ok).split('\n');
        ASSERT_TRUE(ok);
        TQuickRep rep;
        auto *memo1 = rep.AddBand(rbTitle)->Add<TQRMemo>();
        auto *memo2 = rep.AddBand(rbSummary)->Add<TQRMemo>();
        memo1->AutoStretch = memo2->AutoStretch = true;
        QVariantList row;
        for (const QString &c : columns)
            row << QStringLiteral("<%1>").arg(c);
        TMemoryCursor rows(columns, QVector<ReportCursor::FieldKind>(columns.size(), ReportCursor::fkString), {row});
        rep.setCursor(&rows);
        int index = 0;
        ReadTemplateSection(lines, memo1, index);
        ReadTemplateSection(lines, memo2, index);
        EXPECT_GT(memo1->Lines.size(), 2);
        EXPECT_GT(memo2->Lines.size(), 2);
        rep.prepare();
        const QString printed = ReportTexts(rep).join('\n');
        EXPECT_FALSE(printed.contains('{')) << printed.toStdString();
        EXPECT_TRUE(printed.contains("<")) << printed.toStdString();
    }
}

TEST(TemplateEditor, ShowsTheFileLetsItBeChangedForThisPrintOnlyAndReloadsIt)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("zmluva.txt");
    WriteFile(file, utf("Úvod zmluvy\r\n[DETAIL]\r\nZáver\r\n").toUtf8());
    WhenModal<TQTlacTemplForm>([](TQTlacTemplForm *f) {
        EXPECT_EQ(f->windowTitle(), utf("Kúpna zmluva k objednávke č.OBJ26001"));
        EXPECT_EQ(f->Lines(), QStringList({utf("Úvod zmluvy"), "[DETAIL]", utf("Záver")}));
        f->Memo->moveCursor(QTextCursor::End);
        f->Memo->insertPlainText(utf("Doplnené pre túto tlač\n"));
        QTest::mouseClick(f->BtnTlac, Qt::LeftButton);
    });
    ASSERT_TRUE(EditTemplate(utf("Kúpna zmluva k objednávke č.OBJ26001"), file));
    TQuickRep rep;
    auto *memo1 = rep.AddBand(rbTitle)->Add<TQRMemo>();
    auto *memo2 = rep.AddBand(rbSummary)->Add<TQRMemo>();
    int index = 0;
    ReadTemplateSection(memo1, index);
    ReadTemplateSection(memo2, index);
    EXPECT_EQ(memo1->Lines, QStringList{utf("Úvod zmluvy")});
    EXPECT_EQ(memo2->Lines, QStringList({utf("Záver"), utf("Doplnené pre túto tlač")}));
    EXPECT_EQ(ReadTextFile(file), utf("Úvod zmluvy\r\n[DETAIL]\r\nZáver\r\n"));

    // The next print starts from the file again; Koniec prints nothing.
    WhenModal<TQTlacTemplForm>([](TQTlacTemplForm *f) {
        EXPECT_EQ(f->Lines().size(), 3);
        QTest::mouseClick(f->BtnKoniec, Qt::LeftButton);
    });
    EXPECT_FALSE(EditTemplate("Zmluva", file));
}

TEST(TemplateEditor, AMissingFileIsSaidInTheEditor)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("ponuka.txt");
    QString shown;
    WhenModal<TQTlacTemplForm>([&](TQTlacTemplForm *f) {
        shown = f->Memo->toPlainText();
        QTest::keyClick(f, Qt::Key_Escape);
    });
    EXPECT_FALSE(EditTemplate("Ponuka", file));
    EXPECT_EQ(shown, utf("Súbor ") + file + utf(" neexistuje!"));
}

class MemoEditor : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec("create table M_T (ID integer not null primary key, NAVODKA varchar(500))");
        exec("insert into M_T values (1, 'Brúsiť')");
        table.SetDatabase(db.get());
        table.SetTableName("M_T");
        table.Open();
    }
    // Answers the editor: types the text and saves, or cancels.
    static void answer(const QString &text, bool save)
    {
        WhenModal<TQMemoForm>([text, save](TQMemoForm *f) {
            EXPECT_EQ(f->windowTitle(), utf("Technologická návodka k operácií"));
            f->Memo->setPlainText(text);
            QTest::mouseClick(save ? static_cast<QWidget *>(f->BtnZapis) : f->BtnNezapis, Qt::LeftButton);
        });
    }
    TIBTable table;
};

TEST_F(MemoEditor, OkPutsTheRecordIntoEditAndStoresTheTextWithoutPosting)
{
    TField *field = table.FieldByName("NAVODKA");
    answer(utf("Brúsiť\nOtryskať"), true);
    EditMemoField(field, utf("Technologická návodka k operácií"));
    EXPECT_EQ(table.State(), dsEdit);
    EXPECT_EQ(field->AsString(), utf("Brúsiť\r\nOtryskať"));
    table.Post();
    EXPECT_EQ(value("select NAVODKA from M_T where ID=1").toString(), utf("Brúsiť\r\nOtryskať"));
}

TEST_F(MemoEditor, AnInsertedRecordStaysInInsertAndCancelChangesNothing)
{
    TField *field = table.FieldByName("NAVODKA");
    answer("nič", false);
    EditMemoField(field, utf("Technologická návodka k operácií"));
    EXPECT_EQ(table.State(), dsBrowse);
    EXPECT_EQ(field->AsString(), utf("Brúsiť"));

    table.Append();
    table.FieldByName("ID")->SetAsInteger(2);
    answer("Vŕtať", true);
    EditMemoField(field, utf("Technologická návodka k operácií"));
    EXPECT_EQ(table.State(), dsInsert);
    EXPECT_EQ(field->AsString(), utf("Vŕtať"));
}

} // namespace
