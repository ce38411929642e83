// The printed documents of the stores on fresh databases, page by page: a stock document with its items,
// total and signature boxes, the purchase order with its supplier and items, the stock list with its
// quantities, values and prices, and the tool card with its jobs and picture.
#include "MaterialFixture.h"

#include "material/MDokladQRRep.h"
#include "material/MKartaKQRRep.h"
#include "material/MKartaQRRep.h"
#include "material/MObjednavkaQRRep.h"
#include "material/MPohybyQR1Rep.h"
#include "material/MSkladQRRep.h"
#include "material/MTZSql.h"
#include "material/MaterialPrints.h"
#include "library/xDBGrid.h"
#include "library/xDBImage.h"
#include "library/xQuery.h"
#include "platform/os/Format.h"
#include "platform/report/QRPage.h"
#include "platform/ui/Jpeg.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/ReportPreview.h"
#include "common/HostileCorpus.h"
#include "common/PersonTyping.h"
#include "common/WhenModal.h"
#include "library/QTlacForm.h"
#include "library/xForm.h"
#include "material/MPohybyForm.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

namespace {

// The texts of each page the report laid out last, in the order they were laid out.
std::vector<QStringList> laidOut(const TQuickRep *report)
{
    std::vector<QStringList> texts;
    for (const TQRPage &page : report->Pages()) {
        texts.emplace_back();
        for (const TQRItem &item : page.items)
            if (item.kind == TQRItem::Text && !item.text.trimmed().isEmpty())
                texts.back() << item.text.trimmed();
    }
    return texts;
}

std::vector<QStringList> pages(TQuickRep *report)
{
    report->prepare();
    return laidOut(report);
}

QStringList all(const std::vector<QStringList> &texts)
{
    QStringList joined;
    for (const QStringList &page : texts)
        joined << page;
    return joined;
}

class DocumentsTest : public MaterialTest {
protected:
    void TearDown() override
    {
        CancelWhenModal();
        delete MPohybyForm;
        rows.Close();
        MaterialTest::TearDown();
    }
    TxQuery &open(const QString &sql, const QVariantList &params)
    {
        rows.SetDatabase(&dm->DBZAL);
        rows.SQL().SetText(sql);
        for (int i = 0; i < params.size(); ++i)
            rows.Params()[i].SetValue(params[i]);
        rows.Open();
        return rows;
    }
    // A movement of a document (2603001 in M1 unless told) posted as the movement dialog posts it.
    void documentLine(const QDate &date, int kind, const QString &code, double quantity, double price, int job = 0,
                      const QString &store = QStringLiteral("M1"), int number = 2603001)
    {
        TDataSet &m = mtz->QMPohyby;
        if (!m.Active())
            m.Open();
        m.Append();
        m.FieldByName("DATUM")->SetValue(date);
        m.FieldByName("TYP_POHYBU")->SetValue(kind);
        m.FieldByName("SKLAD")->SetValue(store);
        m.FieldByName("C_POL")->SetValue(code);
        m.FieldByName("MNOZSTVO")->SetValue(quantity);
        m.FieldByName("CENA_NAKL")->SetValue(price);
        m.FieldByName("C_DOKLADU")->SetValue(number);
        m.FieldByName("C_INT")->SetValue(job);
        m.FieldByName("POZNAMKA")->SetValue(QString::fromUtf8("Výdaj do zlievárne"));
        mtz->PostMovementWithSign();
    }
    TxQuery rows;
};

TEST_F(DocumentsTest, AnIssueDocumentPrintsEveryItemOverItsPagesWithTheTotalAndTheSignatures)
{
    // Sixty issues of one document: more than a page holds.
    double total = 0;
    for (int i = 1; i <= 60; ++i) {
        const QString code = QStringLiteral("M-%1").arg(i, 2, 10, QLatin1Char('0'));
        item(code, "M", 1.25 * i);
        exec(QStringLiteral("update POLOZKY set ROZMER='priemer %1 mm' where C_POL='%2'").arg(i).arg(code));
        move(QDate(2026, 3, 2), 10, "M1", code, 100, 1.25 * i);
        documentLine(QDate(2026, 3, 5), 22, code, i, 1.25 * i, i == 1 ? 260012 : 0);
        total += i * 1.25 * i;
    }
    open(MTZSql::StockDocumentOfMonth, {2026, 3, 22, QStringLiteral("M1"), 2603001});
    const auto texts = pages(StockDocumentReport(&rows, 22));
    ASSERT_GE(texts.size(), 2u);
    const QStringList first = texts.front();
    for (const char *text : {"VÝDAJKA", "Výdaj do výroby", "Sklad", "M1", "č.Dokladu", "2603001", "zo dňa", "Poznámka",
                             "Výdaj do zlievárne"})
        EXPECT_TRUE(first.contains(QString::fromUtf8(text))) << text;
    EXPECT_TRUE(first.contains(DateToStr(QDate(2026, 3, 5))));
    for (const QStringList &page : texts)
        for (const char *column :
             {"č.Materiálu", "Názov", "Množstvo", "č.Zakázky", "Rozmer", "MJ", "Cena/MJ", "Hodnota"})
            EXPECT_TRUE(page.contains(QString::fromUtf8(column))) << column << " on every page";
    const QStringList everything = all(texts);
    for (int i = 1; i <= 60; ++i) {
        const QString code = QStringLiteral("M-%1").arg(i, 2, 10, QLatin1Char('0'));
        EXPECT_EQ(everything.count(code), 1) << code.toStdString();
        EXPECT_TRUE(everything.contains(QString::fromUtf8("Položka ") + code));
        EXPECT_TRUE(everything.contains(QString::fromUtf8("priemer %1 mm").arg(i)));
        // Issues print positive, with their price and value.
        EXPECT_TRUE(everything.contains(FormatFloat(QStringLiteral("0.00"), 1.25 * i * i))) << i;
    }
    EXPECT_TRUE(everything.contains(QStringLiteral("60")));
    EXPECT_FALSE(everything.contains(QStringLiteral("-60")));
    EXPECT_TRUE(everything.contains(QStringLiteral("26/0012"))) << "the job, and none printed for no job";
    EXPECT_FALSE(everything.contains(QStringLiteral("0/0000")));
    const QStringList last = texts.back();
    for (const char *text : {"Celkom", "Vystavil", "Prevzal", "Schválil", "Účtoval"})
        EXPECT_TRUE(last.contains(QString::fromUtf8(text))) << text;
    EXPECT_TRUE(last.contains(FormatFloat(QStringLiteral("0.00"), total)));
    EXPECT_TRUE(last.contains(QStringLiteral("Strana %1").arg(texts.size())));
}

TEST_F(DocumentsTest, AReceiptAndAnUnknownKindAreTitledByTheirKind)
{
    item("M-1", "M", 4);
    documentLine(QDate(2026, 3, 2), 10, "M-1", 7, 4);
    open(MTZSql::StockDocumentOfDay, {QDate(2026, 3, 2), 10, QStringLiteral("M1"), 2603001});
    QStringList receipt = all(pages(StockDocumentReport(&rows, 10)));
    EXPECT_TRUE(receipt.contains(QString::fromUtf8("PRÍJEMKA")));
    EXPECT_TRUE(receipt.contains(QString::fromUtf8("Príjem od dodávateľa")));
    EXPECT_TRUE(receipt.contains(FormatFloat(QStringLiteral("0.00"), 28))) << receipt.join('|').toStdString();
    const QStringList unknown = all(pages(StockDocumentReport(&rows, 13)));
    EXPECT_TRUE(unknown.contains(QString::fromUtf8("Neznámy pohyb")));
    EXPECT_FALSE(unknown.contains(QString::fromUtf8("Príjem od dodávateľa")));
}

TEST_F(DocumentsTest, ThePurchaseOrderNamesItsSupplierAndEveryItem)
{
    exec(QString::fromUtf8("insert into CDODAVATELOV (C_DOD, DODAVATEL, ULICA, MESTO, PSC, ICO) values (1, "
                           "'Kovohuty Krompachy', 'Lorencova 17', 'Krompachy', '05342', 31652859)"));
    exec(QString::fromUtf8("insert into MOBJEDNAVKY (C_OBJ, C_DOD, D_VYSTAV, D_DODANIA, STAV_OBJ, F_OBJ, VYSTAVIL, "
                           "POZNAMKA) values ('Obj.260001', 1, '2026-03-10', '2026-03-24', 0, 'faxom', 'Nákup', "
                           "'Dodať na vrátnicu')"));
    for (int i = 1; i <= 30; ++i)
        exec(QString::fromUtf8("insert into MOBJEDNAVKYD (C_OBJ, C_RIADKU, C_POL, NAZOV, ROZMER, MNOZ_OBJ, MJ, POPIS) "
                               "values ('Obj.260001', %1, 'P-%1', 'Piesok kremičitý', 'zrnitosť %1', %2, 'kg', "
                               "'balené po 25 kg')")
                 .arg(i)
                 .arg(SqlFloat(i * 12.5)));
    open(MTZSql::PurchaseOrderPrint, {QStringLiteral("Obj.260001")});
    const auto texts = pages(PurchaseOrderReport(&rows));
    ASSERT_GE(texts.size(), 2u);
    for (const char *text : {"Objednávka č.", "Obj.260001", "Dodávateľ", "Kovohuty Krompachy", "Lorencova 17", "05342",
                             "Krompachy", "IČO", "31652859"})
        EXPECT_TRUE(texts.front().contains(QString::fromUtf8(text))) << text;
    // Every page with items has the column captions over them.
    for (const QStringList &page : texts)
        if (!page.filter(QRegularExpression(QStringLiteral("^P-\\d+$"))).isEmpty())
            for (const char *column : {"č.", "č.Položky", "Názov položky", "Množstvo", "MJ", "Popis"}) {
                EXPECT_TRUE(page.contains(QString::fromUtf8(column))) << column;
            }
    const QStringList everything = all(texts);
    for (int i = 1; i <= 30; ++i) {
        EXPECT_EQ(everything.count(QStringLiteral("P-%1").arg(i)), 1) << i;
        EXPECT_TRUE(everything.contains(QStringLiteral("%1.").arg(i))) << i;
        EXPECT_TRUE(everything.contains(QString::fromUtf8("Piesok kremičitý zrnitosť %1").arg(i))) << i;
        EXPECT_TRUE(everything.contains(FormatFloat(QStringLiteral("#####.##"), i * 12.5))) << i;
    }
    EXPECT_EQ(everything.count(QStringLiteral("kg")), 30);
    EXPECT_EQ(everything.count(QString::fromUtf8("balené po 25 kg")), 30);
    const QStringList last = texts.back();
    for (const char *text : {"Vystavil", "Nákup", "dňa", "Poznámka", "Dodať na vrátnicu", "Dodacia lehota do", "Podpis",
                             "Pečiatka", "Potvrdenie objednávky", "Potvrdenú objednávku prosíme zaslať späť!"})
        EXPECT_TRUE(last.contains(QString::fromUtf8(text))) << text;
    EXPECT_TRUE(last.contains(DateToStr(QDate(2026, 3, 24))));

    // An order placed by e-mail asks for the supplier's acceptance instead; a short IČO keeps its zeros.
    rows.Close();
    exec("update MOBJEDNAVKY set F_OBJ='e-mailom'");
    exec("update CDODAVATELOV set ICO=123456");
    open(MTZSql::PurchaseOrderPrint, {QStringLiteral("Obj.260001")});
    const QStringList email = all(pages(PurchaseOrderReport(&rows)));
    EXPECT_TRUE(email.contains(QString::fromUtf8("Objednávka zrealizovaná e-mailom")));
    EXPECT_TRUE(email.contains(QStringLiteral("ANO               NIE")));
    EXPECT_FALSE(email.contains(QString::fromUtf8("Potvrdenie objednávky")));
    EXPECT_TRUE(email.contains(QStringLiteral("00123456")));
}

TEST_F(DocumentsTest, TheStockListPrintsQuantitiesValuesAndPricesWithTheirTotals)
{
    double value = 0, quantity = 0;
    for (int i = 1; i <= 60; ++i) {
        const QString code = QStringLiteral("S-%1").arg(i, 2, 10, QLatin1Char('0'));
        item(code, "M", 2.5);
        exec(QStringLiteral("insert into MSKLADY (C_POL, SKLAD, MNOZSTVO, MNOZ_VYDV, MNOZ_VYDO) values ('%1', 'M1', "
                            "%2, %3, 0)")
                 .arg(code)
                 .arg(i)
                 .arg(i == 3 ? 1000 : 0));
        value += i * 2.5;
        quantity += i;
    }
    item("Z-1", "M", 9);
    exec("insert into MSKLADY (C_POL, SKLAD, MNOZSTVO, MNOZ_VYDV, MNOZ_VYDO) values ('Z-1', 'M1', 0, 0, 777)");
    QStringList lines = MTZSql::StockAsOfDateSql;
    lines[3] = MTZSql::StockInventoryWhere(false);
    open(lines.join('\n'), {QStringLiteral("M"), QDate(2026, 3, 16)});
    const auto texts = pages(StockListReport(&rows, QDate(2026, 3, 16)));
    ASSERT_GE(texts.size(), 2u);
    EXPECT_TRUE(texts.front().contains(QString::fromUtf8("Súpis skladových zásob k ") + DateToStr(QDate(2026, 3, 16))));
    for (const QStringList &page : texts)
        for (const char *column : {"č.Materiálu", "Názov", "Množstvo", "na sklade", "č.Skladu", "vo výrobe",
                                   "na oprave", "Hodnota", "Cena/MJ"})
            EXPECT_TRUE(page.contains(QString::fromUtf8(column))) << column << " on every page";
    const QStringList everything = all(texts);
    for (int i = 1; i <= 60; ++i) {
        EXPECT_EQ(everything.count(QStringLiteral("S-%1").arg(i, 2, 10, QLatin1Char('0'))), 1) << i;
        EXPECT_TRUE(everything.contains(FormatFloat(QStringLiteral("#.00"), i * 2.5))) << i;
    }
    EXPECT_TRUE(everything.contains(QStringLiteral("Z-1")));
    EXPECT_TRUE(everything.contains(QStringLiteral("1000"))) << "lent to production";
    EXPECT_TRUE(everything.contains(QStringLiteral("777"))) << "at repair";
    EXPECT_EQ(everything.count(FormatFloat(QStringLiteral("#.00"), 2.5)), 60 + 1) << "each price, and S-01's value";
    const QStringList last = texts.back();
    EXPECT_TRUE(last.contains(QStringLiteral("Spolu")));
    EXPECT_TRUE(last.contains(FormatFloat(QStringLiteral("#.00"), value)));
    EXPECT_TRUE(last.contains(FormatFloat(QStringLiteral("0.###"), quantity)));
}

TEST_F(DocumentsTest, TheToolCardListsTheJobsCastWithTheToolAndShowsItsPicture)
{
    exec(QString::fromUtf8("insert into CODBERATELOV (C_ODB, ODBERATEL, ICO, ULICA, MESTO, PSC, TELEFON, FAX, EMAIL) "
                           "values (7, 'Železiarne Podbrezová', 31562141, 'Kolkáreň 35', 'Podbrezová', '97681', "
                           "'048/645 1111', '048/645 2222', 'info@zelpo.sk')"));
    item("K-1", "N");
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    exec(QString::fromUtf8("update POLOZKY set C_ODB=7, MAJITEL='Železiarne' where C_POL='K-1'"));
    TxQuery picture;
    picture.SetDatabase(&dm->DBZAL);
    picture.SQL().SetText(QStringLiteral("update POLOZKY set OBRAZOK=:o where C_POL='K-1'"));
    picture.Params()[0].SetValue(EncodeJpeg(image));
    picture.ExecSQL();
    exec("insert into MSKLADY (C_POL, SKLAD, MNOZSTVO, POZICIA1, POZICIA2, POZICIA3) values ('K-1', 'N1', 1, 'R4', "
         "'P2', 'Q7')");
    exec("insert into POLOZKYKOKILY (C_POL, NASOBNOST, MATERIAL) values ('K-1', 4, 'GG25')");
    // Products cast in the mould and jobs of them, handed over in two parts.
    exec("insert into ZAKAZKY (C_OBJ, C_ODB) values ('OBJ1', 7)");
    for (int product = 1; product <= 2; ++product) {
        exec(QStringLiteral("insert into POLOZKY (C_POL, TYP1, NAZOV, ROZMER, KOMOD) values ('V-%1', 'V', 'Výrobok', "
                            "'%2 x 80', 'K-1')")
                 .arg(product)
                 .arg(100 * product));
        exec(QStringLiteral("insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR) values (%1, 'OBJ1', 'V-%2')")
                 .arg(260030 + product)
                 .arg(product));
        for (int part = 1; part <= 2; ++part)
            exec(QStringLiteral("insert into SODVODY (DATUM, C_INT, C_DOKLADU, MNOZSTVO) values ('2026-03-0%1', %2, "
                                "%4, %3)")
                     .arg(part)
                     .arg(260030 + product)
                     .arg(10 * product + part)
                     .arg(2 * product + part - 2));
    }
    RegisterDBImageFormat("jpg", TGraphicClass::Jpeg); // as the program's start does
    open(MTZSql::ToolCard, {QStringLiteral("K-1")});
    TMKartaKQRRep *card = ToolCardReport(&rows, QStringLiteral("K-1"));
    const auto texts = pages(card);
    const QStringList everything = all(texts);
    for (const char *text : {"Karta náradia.",
                             "K-1",
                             "Položka K-1",
                             "Železiarne",
                             "IČO",
                             "31562141",
                             "Adresa",
                             "Kolkáreň 35",
                             "Podbrezová",
                             "Telefón",
                             "048/645 1111",
                             "FAX",
                             "048/645 2222",
                             "E-mail",
                             "info@zelpo.sk",
                             "Regál",
                             "R4",
                             "Polica",
                             "P2",
                             "Priečinok",
                             "Q7",
                             "Násobnosť",
                             "GG25",
                             "Zákazky :",
                             "26/0031  23  100 x 80",
                             "26/0032  43  200 x 80",
                             "Vystavil :",
                             "Podpis :",
                             "Dátum vyšrotovania :"})
        EXPECT_TRUE(everything.contains(QString::fromUtf8(text))) << text << "\n" << everything.join('|').toStdString();
    int pictures = 0;
    for (const TQRPage &page : card->Pages())
        for (const TQRItem &item : page.items)
            if (item.kind == TQRItem::Image && item.image.size() == QSize(40, 30))
                ++pictures;
    EXPECT_EQ(pictures, 1);

    // A tool without jobs, owner or picture prints its card with an empty list.
    rows.Close();
    item("K-2", "N");
    exec("insert into MSKLADY (C_POL, SKLAD, MNOZSTVO) values ('K-2', 'N1', 2)");
    open(MTZSql::ToolCard, {QStringLiteral("K-2")});
    TMKartaKQRRep *bare = ToolCardReport(&rows, QStringLiteral("K-2"));
    const QStringList plain = all(pages(bare));
    EXPECT_TRUE(plain.contains(QStringLiteral("K-2")));
    EXPECT_FALSE(plain.filter(QStringLiteral("26/00")).size());
    for (const TQRPage &page : bare->Pages())
        for (const TQRItem &item : page.items)
            EXPECT_FALSE(item.kind == TQRItem::Image && item.image.size() == QSize(40, 30))
                << "no picture left over from the card before";
}

TEST_F(DocumentsTest, TheStockCardPrintsACardForEveryStoreAndAToolsMouldData)
{
    // An item with a Slovak name and an apostrophe, kept in six stores: more cards than a page holds.
    exec(QString::fromUtf8("insert into POLOZKY (C_POL, TYP1, TYP2, NAZOV, ROZMER, MJ, VAHA_MAT, POPIS, FREE1, FREE2, "
                           "FREE3, MAJITEL, D_VYSTAV) values ('Ľ-1', 'M', 'ZL', 'Ložisko O''Neil', 'dĺžka 80', 'KS', "
                           "1.25, 'Skladovať v suchu, mimo dosahu ťažkých bremien', 'ťah', 'šírka', 'Žilina', "
                           "'Železiarne O''Brien', '2026-03-02')"));
    for (int i = 1; i <= 6; ++i)
        exec(QStringLiteral("insert into MSKLADY (C_POL, SKLAD, MNOZSTVO, POZICIA1, POZICIA2, POZICIA3) values ('Ľ-1', "
                            "'S%1', %2, 'R%1', 'P%1', 'Q%1')")
                 .arg(i)
                 .arg(10 * i + 0.5));
    open(MTZSql::StockCard, {QString::fromUtf8("Ľ-1")});
    const auto texts = pages(StockCardReport(&rows));
    ASSERT_GE(texts.size(), 2u);
    EXPECT_TRUE(texts.front().contains(QString::fromUtf8("Skladová karta materiálu")));
    const QStringList everything = all(texts);
    for (const char *text : {"č.Materiálu", "Názov", "Ložisko O'Neil", "Rozmer",  "dĺžka 80", "Typ",      "ZL",
                             "MJ",          "Váha",  "Vystavená",      "Majiteľ", "Voľné 1",  "Voľné 2",  "Voľné 3",
                             "Popis",       "Sklad", "Množstvo",       "Regál",   "Polica",   "Priečinok"})
        EXPECT_EQ(everything.count(QString::fromUtf8(text)), 6) << text << " on every card";
    for (const char *text :
         {"Železiarne O'Brien", "ťah", "šírka", "Žilina", "Skladovať v suchu, mimo dosahu ťažkých bremien"})
        EXPECT_EQ(everything.count(QString::fromUtf8(text)), 6) << text;
    EXPECT_EQ(everything.count(FormatFloat(QStringLiteral("0.###"), 1.25)), 6);
    EXPECT_EQ(everything.count(QStringLiteral("KS")), 12) << "the unit, and beside each quantity";
    EXPECT_EQ(everything.count(DateToStr(QDate(2026, 3, 2))), 6);
    for (int i = 1; i <= 6; ++i)
        for (const QString &text :
             {QStringLiteral("S%1").arg(i), FormatFloat(QStringLiteral("0.###"), 10 * i + 0.5),
              QStringLiteral("R%1").arg(i), QStringLiteral("P%1").arg(i), QStringLiteral("Q%1").arg(i)})
            EXPECT_EQ(everything.count(text), 1) << text.toStdString();
    EXPECT_FALSE(everything.contains(QStringLiteral("Kokila/Model"))) << "a material has no mould data";
    EXPECT_TRUE(texts.back().contains(QStringLiteral("Strana %1").arg(texts.size())));

    // A tool's cards carry its mould data.
    rows.Close();
    item("K-1", "N");
    exec("insert into MSKLADY (C_POL, SKLAD, MNOZSTVO) values ('K-1', 'N1', 1)");
    exec(
        QString::fromUtf8("insert into POLOZKYKOKILY (C_POL, NASOBNOST, MATERIAL, CHLADITKA) values ('K-1', 4, 'GG25', "
                          "'oceľové')"));
    open(MTZSql::StockCard, {QStringLiteral("K-1")});
    const QStringList tool = all(pages(StockCardReport(&rows)));
    for (const char *text : {"K-1", "Položka K-1", "N1", "Kokila/Model", "Násobnosť", "4", "GG25", "Chladítka",
                             "oceľové", "Mat. chladítok"})
        EXPECT_TRUE(tool.contains(QString::fromUtf8(text))) << text;
}

// The movements form's statement of a detail view: the movements of the filter with their items.
QString movementsOf(const QString &condition, const QString &order)
{
    QStringList lines = MTZSql::MovementsView;
    lines[2] = QStringLiteral("where ") + condition;
    lines[3] = QStringLiteral("order by ") + order;
    return lines.join('\n');
}

TEST_F(DocumentsTest, TheMovementsListGroupsTheMovementsByStoreWithTheirSumsOverItsPages)
{
    // Forty movements in each of two stores, of items with Slovak names and an apostrophe.
    double value[2] = {}, quantity[2] = {};
    for (int i = 1; i <= 40; ++i) {
        const QString code = QStringLiteral("P-%1").arg(i, 2, 10, QLatin1Char('0'));
        exec(QString::fromUtf8("insert into POLOZKY (C_POL, TYP1, NAZOV, ROZMER, MJ) values ('%1', 'M', 'Šamot "
                               "O''Reilly %2', 'zrnitosť %2', 'KG')")
                 .arg(code)
                 .arg(i));
        for (int s = 0; s < 2; ++s) {
            const int kind = i % 4 == 0 ? 22 : 10;
            move(QDate(2026, 3, 1 + i % 20), kind, s == 0 ? "M1" : "M2", code, i + s, 1.5);
            const double signedQuantity = (kind == 22 ? -1 : 1) * (i + s);
            quantity[s] += signedQuantity;
            value[s] += signedQuantity * 1.5;
        }
    }
    open(movementsOf(QStringLiteral("datum between '2026-03-01' and '2026-03-31'"), QStringLiteral("SKLAD,C_DOKLADU")),
         {});
    const auto texts = pages(MovementsListReport(&rows, QString()));
    ASSERT_GE(texts.size(), 2u);
    EXPECT_TRUE(texts.front().contains(QString::fromUtf8("Skladové pohyby")));
    for (const QStringList &page : texts)
        for (const char *column : {"Dátum", "Doklad", "Položka", "Názov", "Množstvo", "Cena/MJ", "Hodnota", "Rozmer"})
            EXPECT_TRUE(page.contains(QString::fromUtf8(column))) << column << " on every page";
    const QStringList everything = all(texts);
    for (int i = 1; i <= 40; ++i) {
        const QString code = QStringLiteral("P-%1").arg(i, 2, 10, QLatin1Char('0'));
        EXPECT_EQ(everything.count(code), 2) << code.toStdString();
        EXPECT_EQ(everything.count(QString::fromUtf8("Šamot O'Reilly %1").arg(i)), 2) << i;
        EXPECT_EQ(everything.count(QString::fromUtf8("zrnitosť %1").arg(i)), 2) << i;
    }
    EXPECT_TRUE(everything.contains(QStringLiteral("-4"))) << "an issue prints as it is stored";
    EXPECT_TRUE(everything.contains(QStringLiteral("1/3/26")) || everything.contains(QStringLiteral("1.3.26")));
    // Each store under its number, with its sums, and the total after them.
    const int firstStore = int(everything.indexOf(QStringLiteral("M1")));
    const int secondStore = int(everything.indexOf(QStringLiteral("M2")));
    ASSERT_GE(firstStore, 0);
    ASSERT_GT(secondStore, firstStore);
    EXPECT_EQ(everything.count(QStringLiteral("Spolu sklad")), 2);
    const QString firstSum = FormatFloat(QStringLiteral("0.00"), value[0]);
    const QString secondSum = FormatFloat(QStringLiteral("0.00"), value[1]);
    ASSERT_TRUE(everything.contains(firstSum));
    EXPECT_LT(everything.indexOf(firstSum), secondStore) << "the first store's sum closes it";
    EXPECT_GT(everything.indexOf(secondSum), secondStore);
    EXPECT_TRUE(everything.contains(FormatFloat(QStringLiteral("0.###"), quantity[0])));
    EXPECT_TRUE(everything.contains(FormatFloat(QStringLiteral("0.###"), quantity[1])));
    const QStringList last = texts.back();
    EXPECT_TRUE(last.contains(QStringLiteral("Spolu")));
    EXPECT_TRUE(last.contains(FormatFloat(QStringLiteral("0.00"), value[0] + value[1])));
    EXPECT_TRUE(last.contains(FormatFloat(QStringLiteral("0.###"), quantity[0] + quantity[1])));

    // The sums by store and kind: a line of value for each, captioned by the columns summed by.
    rows.Close();
    const QString grouping = QStringLiteral("SKLAD, TYP_POHYBU, STREDISKO, TYP2");
    open(QStringLiteral("select %1, sum(mnozstvo*MPOHYBY.cena_nakl) as hodnota\n%2\nwhere datum between "
                        "'2026-03-01' and '2026-03-31'\ngroup by %1")
             .arg(grouping, MTZSql::MovementsView[1]),
         {});
    const QStringList sums = all(pages(MovementsListReport(&rows, grouping)));
    for (const char *column : {"Sklad", "Typ", "Stredisko", "Typ2", "Hodnota", "Spolu"})
        EXPECT_TRUE(sums.contains(QString::fromUtf8(column))) << column;
    for (const char *column : {"Množstvo", "Položka", "Spolu sklad", "Cena/MJ"})
        EXPECT_FALSE(sums.contains(QString::fromUtf8(column))) << column;
    EXPECT_EQ(sums.count(QStringLiteral("M1")), 2) << "receipts and issues";
    EXPECT_EQ(sums.count(QStringLiteral("22")), 2);
    EXPECT_TRUE(sums.contains(FormatFloat(QStringLiteral("0.00"), value[0] + value[1])));

    // Back to the movements one by one: the store groups and the quantities return.
    rows.Close();
    open(movementsOf(QStringLiteral("sklad='M2'"), QStringLiteral("DATUM,C_DOKLADU")), {});
    const QStringList again = all(pages(MovementsListReport(&rows, QString())));
    EXPECT_TRUE(again.contains(QStringLiteral("Spolu sklad")));
    EXPECT_TRUE(again.contains(QStringLiteral("Množstvo")));
    EXPECT_FALSE(again.contains(QStringLiteral("Stredisko")));
}

// Chooses the option of the next choice dialog; the next print dialog previews, and the preview is closed.
void previewChoice(int option)
{
    WhenModal<TxForm>([option](TxForm *f) {
        const QList<QRadioButton *> radios = f->findChildren<QRadioButton *>();
        ASSERT_GT(radios.size(), option);
        QTest::mouseClick(radios[option], Qt::LeftButton);
    });
    WhenModal<TQTlacForm>([](TQTlacForm *f) { QTest::mouseClick(f->BitBtnPozri, Qt::LeftButton); });
    WhenModal<TReportPreview>([](TReportPreview *p) { p->close(); });
}

TEST_F(DocumentsTest, TheMovementsFormPrintsTheCurrentMovementsDocumentAndItsSelectionAsAList)
{
    exec(QString::fromUtf8("insert into POLOZKY (C_POL, TYP1, NAZOV, MJ) values ('Ľ-1', 'M', 'Koks O''Hara', 'KG')"));
    item("M-2", "M", 3);
    documentLine(Date(), 22, QString::fromUtf8("Ľ-1"), 2, 4);
    documentLine(Date(), 22, "M-2", 3, 3);
    documentLine(Date(), 10, QString::fromUtf8("Ľ-1"), 5, 4, 0, "M1", 2603002);
    documentLine(Date(), 22, "M-2", 7, 3, 0, "N1");
    mtz->QMPohyby.Close();
    // What the last print of a stock document laid out.
    const auto printed = [this](int kind) { return all(laidOut(StockDocumentReport(&mtz->QvMPohyby, kind))); };
    bool checked = false;
    WhenModal<TMPohybyForm>([&](TMPohybyForm *f) {
        // One item's issues listed: "Doklad" prints the whole document of the current movement, as it was made.
        TabAndType(f->eSklad, QStringLiteral("M1"));
        TabAndType(f->eTyp, QStringLiteral("22"));
        TabAndType(f->ePolozka, QString::fromUtf8("Ľ-1"));
        ClickOn(f->BtnFilter);
        previewChoice(0);
        ClickOn(f->BtnTlac);
        const QStringList issue = printed(22);
        EXPECT_TRUE(issue.contains(QString::fromUtf8("VÝDAJKA")));
        EXPECT_TRUE(issue.contains(QStringLiteral("2603001")));
        EXPECT_TRUE(issue.contains(QString::fromUtf8("Koks O'Hara")));
        EXPECT_TRUE(issue.contains(QStringLiteral("M-2"))) << "the document's other line";
        EXPECT_FALSE(issue.contains(QStringLiteral("5"))) << "a receipt";
        EXPECT_FALSE(issue.contains(QStringLiteral("7"))) << "another store's issue";
        EXPECT_TRUE(issue.contains(FormatFloat(QStringLiteral("0.00"), 2 * 4 + 3 * 3))) << "the document's total";

        // Receipts and issues listed together: the receipt's row prints the receipt alone, under its own title.
        for (QLineEdit *cleared : {f->eTyp, f->ePolozka}) {
            TabTo(cleared);
            Press(Qt::Key_Delete);
        }
        ClickOn(f->BtnFilter);
        int receiptRow = -1;
        for (int row = 0; row < mtz->QMPohyby.RecordCount(); ++row)
            mtz->QMPohyby.WithRecord(row, [&] {
                if (mtz->QMPohyby.FieldByName("TYP_POHYBU")->AsInteger() == 10)
                    receiptRow = row;
            });
        EXPECT_GE(receiptRow, 0);
        ClickCell(f->Grid, std::max(receiptRow, 0), 0);
        previewChoice(0);
        ClickOn(f->BtnTlac);
        const QStringList receipt = printed(10);
        EXPECT_TRUE(receipt.contains(QString::fromUtf8("PRÍJEMKA")));
        EXPECT_TRUE(receipt.contains(QString::fromUtf8("Príjem od dodávateľa")));
        EXPECT_FALSE(receipt.contains(QString::fromUtf8("VÝDAJKA")));
        EXPECT_FALSE(receipt.contains(QStringLiteral("M-2"))) << "the issues are another document";
        EXPECT_TRUE(receipt.contains(FormatFloat(QStringLiteral("0.00"), 5 * 4))) << "the receipt's total";

        // The pop-up's document of the month prints the same receipt.
        WhenModal<TQTlacForm>([](TQTlacForm *d) { QTest::mouseClick(d->BitBtnPozri, Qt::LeftButton); });
        WhenModal<TReportPreview>([](TReportPreview *p) { p->close(); });
        f->PohybyMenu->actions()[3]->trigger(); // "Doklad (mesiac)"
        EXPECT_EQ(printed(10), receipt);

        // A summary has no movements to make a document of: it says so and prints nothing.
        f->cbPohlad->setCurrentIndex(4);
        f->BtnFilter->click();
        WhenModal<TxForm>(
            [](TxForm *d) { QTest::mouseClick(d->findChildren<QRadioButton *>().value(0), Qt::LeftButton); });
        f->BtnTlac->click();
        EXPECT_EQ(responder->Texts().value(0),
                  QString::fromUtf8("Doklad sa tlačí z pohybov jednotlivo, nie zo sumáru."));
        // Its list prints the sums of the view.
        previewChoice(1);
        f->BtnTlac->click();
        const QStringList sums =
            all(laidOut(MovementsListReport(&mtz->QvMPohyby, QString::fromUtf8("SKLAD, TYP_POHYBU, STREDISKO, TYP2"))));
        EXPECT_TRUE(sums.contains(QStringLiteral("M1")));
        EXPECT_TRUE(sums.contains(QStringLiteral("22")));
        EXPECT_TRUE(sums.contains(QStringLiteral("Stredisko")));
        EXPECT_FALSE(sums.contains(QStringLiteral("Množstvo")));
        checked = true;
        f->SetModalResult(mrCancel);
    });
    ShowStockMovements();
    EXPECT_TRUE(checked);
}

TEST(ToolCardJobLine, FormatsTheJobTheQuantityAndTheDimension)
{
    EXPECT_EQ(ToolCardJobLine(260031, 23, QStringLiteral("100 x 80  ")), "26/0031  23  100 x 80");
    EXPECT_EQ(ToolCardJobLine(70005, 1234.4, QString()), "7/0005  1234  ");
}

} // namespace
