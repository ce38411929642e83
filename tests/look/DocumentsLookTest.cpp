// The printed documents as a person sees them: the internal order, the job ticket, the delivery note, the
// invoice, the order confirmation and the contract, each produced on the demo foundry as the program produces
// it (through its print dialog onto the printer), each page written as a picture to build/look/ and checked
// by DocumentRules: the texts of a line stand apart, barcode digits stand clear of the bars, every text lies
// within the printable area. A fault names the document, the page and its two texts.
#include "DocumentRules.h"
#include "road/RoadFixture.h"

#include "common/TempDatabase.h"
#include "common/WhenModal.h"
#include "dispatch/DMExp.h"
#include "dispatch/EDListQRRep.h"
#include "dispatch/EFakturaForm.h"
#include "dispatch/EFakturaQRRep.h"
#include "library/AsBarcode.h"
#include "library/Buttons.h"
#include "library/QRAsBarcode.h"
#include "library/QTlacForm.h"
#include "library/QTlacTemplForm.h"
#include "library/xQuery.h"
#include "material/MDokladQRRep.h"
#include "material/MKartaKQRRep.h"
#include "material/MKartaQRRep.h"
#include "material/MObjednavkaQRRep.h"
#include "material/MPohybyQR1Rep.h"
#include "material/MSkladQRRep.h"
#include "material/MTZSql.h"
#include "material/MaterialPrints.h"
#include "production/QRTlacSprievodka.h"
#include "sales/OrderDocuments.h"
#include "sales/QRTlacIntObj.h"
#include "sales/ZakPotObjQRRep.h"
#include "sales/ZakZmlQRRep.h"
#include "shell/DMZal.h"
#include "platform/os/TextFile.h"
#include "platform/ui/ReportPreview.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPainter>
#include <QPlainTextEdit>

namespace {

// Pictures at twice the report resolution: 192 dots to the inch, sharp enough to read small print.
constexpr double kPictureScale = 2;

// The print dialog's "Tlač": the report goes to the printer (the fixture's PDF file).
void printOnPrinter()
{
    WhenModal<TQTlacForm>([](TQTlacForm *f) { QTest::mouseClick(f->BitBtnTlac, Qt::LeftButton); });
}

// The samples shipped beside the program (the tests' own program folder has none).
QString shipped(const QString &file)
{
    return QDir(TempDatabase::buildDir()).filePath(file);
}

// The logo beside the program, which the program stamps into a report it makes.
void stampLogo(TQuickRep *report)
{
    StampReport(report, nullptr, shipped(QStringLiteral("logo.bmp")), QString());
}

} // namespace

class DocumentsLook : public RoadTest {
protected:
    void SetUp() override
    {
        RoadTest::SetUp();
        if (HasFatalFailure())
            return;
        // The company section of the settings file, as the foundry fills it in for its document heads.
        CompanyList = TStringList{
            QString::fromUtf8("Nazov=Zlievareň Považie, a.s."),  QString::fromUtf8("Meno=Zlievareň Považie, a.s."),
            QString::fromUtf8("Ulica=Priemyselná 1274/12"),      QString::fromUtf8("Adresa=Priemyselná 1274/12"),
            QString::fromUtf8("Mesto=017 01 Považská Bystrica"), QString::fromUtf8("ICO=IČO: 36 312 455"),
            QString::fromUtf8("DIC=IČ DPH: SK2020187344")};
        ASSERT_TRUE(QDir().mkpath(QStringLiteral(TARVIS_LOOK_DIR)));
    }

    // Writes every page of the printed report as <name>-<page>.png (the pictures of an earlier, longer print
    // gone) and checks it.
    void look(const QString &name, const QString &document, const TQuickRep *report, const QStringList &barcodes = {})
    {
        ASSERT_NE(report, nullptr) << name.toStdString();
        ASSERT_GT(report->PageCount(), 0) << name.toStdString() << " printed no page";
        QDir dir(QStringLiteral(TARVIS_LOOK_DIR));
        for (const QString &old : dir.entryList({name + QStringLiteral("-*.png")}, QDir::Files))
            dir.remove(old);
        for (const TQRPage &page : report->Pages()) {
            const QString file = dir.filePath(QStringLiteral("%1-%2.png").arg(name, QString::number(page.number)));
            EXPECT_TRUE(PagePicture(page, kPictureScale).save(file)) << file.toStdString();
        }
        for (const DocumentFault &fault : DocumentFaults(*report, barcodes))
            ADD_FAILURE() << fault.describe(document).toStdString();
        EXPECT_TRUE(boxes().isEmpty()) << boxes().join('\n').toStdString();
    }

    QString text(const QString &sql) { return value(sql).toString().trimmed(); }
    // The invoiced delivery note of the demo foundry and the order with a purchase contract.
    int invoicedNote() { return count(QStringLiteral("select min(C_DL) from EDLISTY where C_FAKTURY is not null")); }
    QString contractOrder() { return text(QStringLiteral("select min(C_OBJ) from ZAKZML")); }

    // The order of a job is a customer's with a long name with Slovak letters and an apostrophe.
    void slovakOrderCustomer(int job)
    {
        exec(QString::fromUtf8("update ZAKAZKY set ODBERATEL='Zlievareň Ľubochňa O''Brien a syn, s.r.o.' where "
                               "C_OBJ=(select C_OBJ from ZAKAZKYD where C_INT=%1)")
                 .arg(job));
    }

    // The customer of a note gets a long name with Slovak letters and an apostrophe.
    void slovakCustomer(const QString &customerOf)
    {
        exec(QString::fromUtf8("update CODBERATELOV set ODBERATEL='Zlievareň Ľubochňa O''Brien a syn, s.r.o.', "
                               "ULICA='Štúrova 1274/12', MESTO='Považská Bystrica' where C_ODB=(%1)")
                 .arg(customerOf));
    }

    // The widest figures the note's masks print: a quantity of five digits, a unit price of five before the
    // decimals, a line's value of six (their sum seven) and a weight of five; the products get long Slovak
    // names.
    void longFigures(int note)
    {
        const QString line = QStringLiteral("C_DL=%1 and C_RIADKU=%2").arg(note);
        const QString product = QStringLiteral("C_POL=(select C_VYR from EDLISTYD where %1)");
        exec(QStringLiteral("update EDLISTYD set MNOZ_VYR=99999, CENA_KURZ1=9.99 where ") + line.arg(1));
        exec(QStringLiteral("update EDLISTYD set MNOZ_VYR=5, CENA_KURZ1=99999.99 where ") + line.arg(2));
        exec(QString::fromUtf8("update POLOZKY set VAHA1=0.5, NAZOV='Ložisko čerpadla DN 50' where ") +
             product.arg(line.arg(1)));
        exec(QString::fromUtf8("update POLOZKY set VAHA1=1234.5, NAZOV='Teleso šúpätka DN 80' where ") +
             product.arg(line.arg(2)));
        exec(QString::fromUtf8("update EDLISTY set PREVZAL='Ľubomír Ďurovčík' where C_DL=%1").arg(note));
        slovakCustomer(QStringLiteral("select C_ODB from EDLISTY where C_DL=%1").arg(note));
        ASSERT_EQ(count(QStringLiteral("select count(*) from EDLISTYD where C_DL=%1").arg(note)), 2);
    }
};

TEST_F(DocumentsLook, InternalOrder)
{
    // The complaint job: its head carries the complaint's reference too.
    const int job = count(QStringLiteral("select min(C_INT) from ZAKAZKYD where C_INT_RE<>0 and C_INT>0"));
    ASSERT_GT(job, 0);
    slovakOrderCustomer(job);
    WhenModal<TReportPreview>([](TReportPreview *p) { p->close(); });
    PrintInternalOrder(job);
    look(QStringLiteral("internal-order"), QString::fromUtf8("Interná objednávka %1").arg(job), QRTlacIntObj,
         {QString::number(job)});
}

TEST_F(DocumentsLook, JobTicket)
{
    // The job with the longest route of those released to production.
    const int job = count(QStringLiteral("select first 1 d.C_INT from ZAKAZKYD d where d.C_INT>0 and d.STAV_ZAK "
                                         "between 5 and 50 order by (select count(*) from ZAKOPERACIE o where "
                                         "o.C_INT=d.C_INT and o.C_OPERACIE<1000) desc, d.C_INT"));
    ASSERT_GT(job, 0);
    QStringList barcodes;
    TxQuery *ops = OpenQuery(
        QStringLiteral("select C_OPERACIE from ZAKOPERACIE where C_INT=%1 and C_OPERACIE<1000 order by 1").arg(job));
    for (; !ops->Eof(); ops->Next())
        barcodes << JobTicketBarcodeText(job, 1, ops->Fields(0)->AsInteger());
    ops->Close();
    ASSERT_GE(barcodes.size(), 3);
    slovakOrderCustomer(job);
    responder->InputAnswers = {QStringLiteral("1")};
    printOnPrinter();
    PrintJobTicket(job);
    look(QStringLiteral("job-ticket"), QString::fromUtf8("Sprievodný lístok %1").arg(job), QRTlacSprievodka, barcodes);
}

TEST_F(DocumentsLook, DeliveryNote)
{
    const int note = invoicedNote();
    ASSERT_GT(note, 0);
    // With the prices in the note's currency: every column filled.
    TQuickRep *report = exp->PrepareDeliveryNote(note, pmNoteCurrency);
    stampLogo(report);
    printOnPrinter();
    exp->PrintDeliveryNote(note, pmNoteCurrency);
    look(QStringLiteral("delivery-note"), QString::fromUtf8("Dodací list %1").arg(note), report);
}

TEST_F(DocumentsLook, Invoice)
{
    const int note = invoicedNote();
    ASSERT_GT(note, 0);
    TQuickRep *report = PrepareInvoice(note);
    stampLogo(report);
    printOnPrinter();
    PrintInvoice(note);
    look(QStringLiteral("invoice"), QString::fromUtf8("Faktúra k dodaciemu listu %1").arg(note), report);
}

// The delivery note and its invoice with the widest figures, a long Slovak customer's name and products' names:
// every figure printed whole, clear of its neighbours.
TEST_F(DocumentsLook, DispatchDocumentsWithLongFigures)
{
    const int note = invoicedNote();
    ASSERT_GT(note, 0);
    longFigures(note);
    if (HasFatalFailure())
        return;
    const QStringList both{"99999,99 EUR", "998990,01 EUR", "1498989,96 EUR", "56172,000",
                           QString::fromUtf8("Zlievareň Ľubochňa O'Brien a syn, s.r.o.")};
    const auto check = [&](TQuickRep *report, const QString &name, const QString &document) {
        const QStringList printed = reportTexts(*report);
        for (const QString &expected : both)
            EXPECT_TRUE(printed.contains(expected)) << document.toStdString() << ": " << expected.toStdString();
        look(name, document, report);
    };

    TQuickRep *report = exp->PrepareDeliveryNote(note, pmNoteCurrency);
    stampLogo(report);
    printOnPrinter();
    exp->PrintDeliveryNote(note, pmNoteCurrency);
    check(report, QStringLiteral("delivery-note-long"), QString::fromUtf8("Dodací list %1 s dlhými číslami").arg(note));

    report = PrepareInvoice(note);
    stampLogo(report);
    printOnPrinter();
    PrintInvoice(note);
    check(report, QStringLiteral("invoice-long"),
          QString::fromUtf8("Faktúra k dodaciemu listu %1 s dlhými číslami").arg(note));
}

TEST_F(DocumentsLook, OrderConfirmation)
{
    const QString order = contractOrder();
    ASSERT_FALSE(order.isEmpty());
    if (!ZakPotObjQRRep)
        CreateReport(ZakPotObjQRRep, &CompanyList);
    stampLogo(ZakPotObjQRRep);
    printOnPrinter();
    PrintOrderConfirmation(order);
    look(QStringLiteral("order-confirmation"), QString::fromUtf8("Potvrdenie objednávky %1").arg(order),
         ZakPotObjQRRep);
}

TEST_F(DocumentsLook, Contract)
{
    const QString order = contractOrder();
    ASSERT_FALSE(order.isEmpty());
    // The template dialog shows the contract template beside the program, as the program loads it there.
    bool shown = false;
    WhenModal<TQTlacTemplForm>([&](TQTlacTemplForm *f) {
        bool read = false;
        const QString tmpl = ReadTextFile(shipped(QStringLiteral("zmluva.txt")), &read);
        shown = read;
        f->Memo->setPlainText(QString(tmpl).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QTest::mouseClick(f->BtnTlac, Qt::LeftButton);
    });
    printOnPrinter();
    PrintContract(order);
    ASSERT_TRUE(shown) << "no contract template beside the program";
    look(QStringLiteral("contract"), QString::fromUtf8("Kúpna zmluva k objednávke %1").arg(order), ZakZmlQRRep);
}

// The stores' documents over the demo foundry's stores: a stock document and the movements list over every
// movement (more than a page), both as one by one and summed, the purchase order, the stock list, and the stock
// card and the tool card of a mould with its mould data and jobs. An item gets a long Slovak name with an
// apostrophe.
TEST_F(DocumentsLook, StoresDocuments)
{
    exec(QString::fromUtf8("update POLOZKY set NAZOV='Ferosilícium ťažké O''Brien zrnité, balené v ľahkých vreciach' "
                           "where C_POL='M-FESI'"));
    TxQuery rows;
    rows.SetDatabase(&dm->DBZAL);
    const auto print = [&](const QString &sql, const QVariantList &params, const QString &name, const QString &document,
                           const std::function<TQuickRep *()> &report) {
        rows.Close();
        rows.SQL().SetText(sql);
        for (int i = 0; i < params.size(); ++i)
            rows.Params()[i].SetValue(params[i]);
        rows.Open();
        TQuickRep *made = report();
        stampLogo(made);
        made->prepare();
        look(name, document, made);
    };
    QStringList movements = MTZSql::MovementsView;
    movements[2] = QStringLiteral("where datum>'2000-01-01'");
    movements[3] = QStringLiteral("order by SKLAD,C_DOKLADU");
    print(movements.join('\n'), {}, QStringLiteral("stock-document"), QString::fromUtf8("Výdajka"),
          [&] { return StockDocumentReport(&rows, 22); });
    print(movements.join('\n'), {}, QStringLiteral("movements-list"), QString::fromUtf8("Skladové pohyby"),
          [&] { return MovementsListReport(&rows, QString()); });
    const QString grouping = QStringLiteral("SKLAD, TYP_POHYBU, STREDISKO, TYP2");
    movements[0] =
        QStringLiteral("select ") + grouping + QStringLiteral(", sum(mnozstvo*MPOHYBY.cena_nakl) as hodnota");
    movements[3] = QStringLiteral("group by ") + grouping;
    print(movements.join('\n'), {}, QStringLiteral("movements-sums"), QString::fromUtf8("Skladové pohyby, sumár"),
          [&] { return MovementsListReport(&rows, grouping); });
    const QString order = text(QStringLiteral("select min(C_OBJ) from MOBJEDNAVKY"));
    print(MTZSql::PurchaseOrderPrint, {order}, QStringLiteral("purchase-order"),
          QString::fromUtf8("Objednávka %1").arg(order), [&] { return PurchaseOrderReport(&rows); });
    QStringList stock = MTZSql::StockAsOfDateSql;
    stock[3] = MTZSql::StockInventoryWhere(false);
    print(stock.join('\n'), {QStringLiteral("M"), QDate(2026, 12, 31)}, QStringLiteral("stock-list"),
          QString::fromUtf8("Skladový súpis"), [&] { return StockListReport(&rows, QDate(2026, 12, 31)); });
    const QString mould = text(QStringLiteral("select min(k.C_POL) from POLOZKYKOKILY k join MSKLADY s on "
                                              "s.C_POL=k.C_POL where k.ZALIATOK is not null or k.MATCHLAD is null"));
    ASSERT_FALSE(mould.isEmpty());
    print(MTZSql::StockCard, {mould}, QStringLiteral("stock-card"), QString::fromUtf8("Skladová karta %1").arg(mould),
          [&] { return StockCardReport(&rows); });
    print(MTZSql::ToolCard, {mould}, QStringLiteral("tool-card"), QString::fromUtf8("Karta náradia %1").arg(mould),
          [&] { return ToolCardReport(&rows, mould); });
    rows.Close();
}

// The rules themselves on a page made by hand: what a person would see as wrong is named by its two texts,
// and what looks right passes, however wide the frame of a short text.
TEST(DocumentRules, NameWhatAPersonWouldSee)
{
    TQuickRep rep;
    rep.Font = QFont(QStringLiteral("Arial"), 9);
    TQRBand *band = rep.AddBand(rbTitle);
    band->Height = 300;
    const auto label = [&](const char *text, double left, double top, double width = 0,
                           Qt::Alignment alignment = Qt::AlignLeft) {
        auto *l = band->Add<TQRLabel>();
        l->Caption = QString::fromUtf8(text);
        l->Left = left;
        l->Top = top;
        if (width > 0) {
            l->Width = width;
            l->AutoSize = false;
        }
        l->Alignment = alignment;
    };
    label("Množstvo", 0, 0);
    label("Cena/ks", 40, 0); // inside the caption before it
    label("Spolu", 0, 20);
    label("12,00", 0, 20, 300, Qt::AlignRight); // a frame over the whole line, the text at its end
    label("7050,00 EUR", 300, 40, 100, Qt::AlignRight);
    label("1680,000", 400.5, 40); // half a unit after: no blank between, read as one
    label("Ďakujeme", 0, 60);
    label("gjpy", 0, 76); // the next line, closely set
    label("Váha 1680,000", rep.Width() - 20, 100);
    // A barcode printed as the report control prints it, with a text written over its bars, and a picture
    // of another one with its digits drawn into the bars.
    auto *good = band->Add<TQRAsBarcode>();
    good->Left = 0;
    good->Top = 140;
    good->setText(QStringLiteral("123456"));
    label("X", 10, 145);
    TAsBarcode drawn;
    drawn.setText(QStringLiteral("654321"));
    drawn.setHeight(30);
    auto *bad = band->Add<TQRImage>();
    bad->Left = 300;
    bad->Top = 140;
    bad->Width = drawn.CanvasWidth();
    bad->Height = drawn.CanvasHeight();
    bad->Picture = QImage(drawn.CanvasWidth(), drawn.CanvasHeight(), QImage::Format_RGB32);
    bad->Picture.fill(Qt::white);
    {
        QPainter painter(&bad->Picture);
        drawn.DrawBarcode(painter);
    }
    rep.prepare();

    QStringList found;
    for (const DocumentFault &f : DocumentFaults(rep, {QStringLiteral("123456"), QStringLiteral("654321")}))
        found << QStringList{f.rule, f.first, f.rule.startsWith(QLatin1String("outside")) ? QString() : f.second}.join(
            '|');
    found.sort();
    QStringList expected{QString::fromUtf8("texts overlap|Množstvo|Cena/ks"),
                         QStringLiteral("texts touch|7050,00 EUR|1680,000"),
                         QString::fromUtf8("outside the printable area|Váha 1680,000|"),
                         QStringLiteral("text over the bars|X|the bars of 123456"),
                         QStringLiteral("digits drawn into the barcode's picture|654321|the bars of 654321"),
                         QStringLiteral("barcode without its digits|654321|the bars of 654321")};
    expected.sort();
    EXPECT_EQ(found, expected);

    // A right-aligned text is where its ink is: at the frame's end, as wide as its advance.
    const TQRItem *price = nullptr;
    for (const TQRItem &item : rep.Pages()[0].items)
        if (item.text == QStringLiteral("12,00"))
            price = &item;
    ASSERT_NE(price, nullptr);
    const QRectF ink = DrawnTextRect(*price);
    EXPECT_NEAR(ink.right(), price->rect.right(), 0.01);
    EXPECT_LT(ink.width(), 40);
    EXPECT_GT(ink.width(), 20);
}

// Two texts of a line: overlapping and touching ones are named, ones a blank or more apart are not, and the
// width that counts is the widest the preview shows, not the paper's alone.
TEST(DocumentRules, TextsOnOneLineOverlapTouchOrStandApart)
{
    const auto text = [](const char *caption, double left, double top = 0, bool bold = false,
                         Qt::Alignment alignment = Qt::AlignLeft, double width = 200) {
        TQRItem item;
        item.text = QString::fromUtf8(caption);
        item.font = QFont(QStringLiteral("Arial"), 8, bold ? QFont::Bold : QFont::Normal);
        item.rect = QRectF(left, top, width, 14);
        item.alignment = alignment;
        return item;
    };
    const auto meet = [](const TQRItem &a, const TQRItem &b) {
        return TextsOnOneLine(a, DrawnTextRect(a), b, DrawnTextRect(b));
    };
    // Measured on paper, at eight times the report resolution.
    QImage paper(1, 1, QImage::Format_Mono);
    paper.setDotsPerMeterX(qRound(8 * kReportDpi / 0.0254));
    paper.setDotsPerMeterY(paper.dotsPerMeterX());
    const auto onPaper = [&](const TQRItem &item, const QString &t) {
        return QFontMetricsF(item.font, &paper).horizontalAdvance(t) / 8;
    };
    const TQRItem caption = text("Popis operácie", 0);
    const double end = DrawnTextRect(caption).right();
    const double blank = onPaper(caption, QStringLiteral(" "));

    // Over each other, in either order.
    EXPECT_EQ(meet(caption, text("Norma", end - 10)), TextsMeet::Overlap);
    EXPECT_EQ(meet(text("Norma", end - 10), caption), TextsMeet::Overlap);
    // A right-aligned figure running out of its frame to the left over the text before it.
    EXPECT_EQ(meet(caption, text("1 234 567,89 €", end - 60, 0, false, Qt::AlignRight, 60)), TextsMeet::Overlap);
    // Closer than a blank: "Popis operácieNorma".
    EXPECT_EQ(meet(caption, text("Norma", end + blank / 3)), TextsMeet::Touch);
    // A blank and a little more apart, on the same line or just below it, reads as two.
    EXPECT_EQ(meet(caption, text("Norma", end + blank * 1.5)), TextsMeet::Apart);
    EXPECT_EQ(meet(caption, text("Norma", 0, 14)), TextsMeet::Apart);
    EXPECT_EQ(meet(caption, text("Norma", end - 10, 20)), TextsMeet::Apart);

    // The job ticket's old captions: a blank apart on paper, they run together in the preview at 80 %.
    const TQRItem time = text("Čas Min./ks", 0, 0, true, Qt::AlignLeft, MmToUnits(17));
    const TQRItem next = text("Popis operácie", MmToUnits(17), 0, true);
    EXPECT_EQ(meet(time, next), TextsMeet::Touch);
    EXPECT_GT(MmToUnits(17) - onPaper(time, time.text), onPaper(time, QStringLiteral(" ")) * 1.4);
}
