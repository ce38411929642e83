// Layout of banded reports over rows in memory: what lands on which page, where, and with what text.
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/report/QuickRep.h"

#include <QMap>
#include <gtest/gtest.h>

namespace {

std::unique_ptr<TMemoryCursor> rows(int count)
{
    auto c = std::make_unique<TMemoryCursor>(
        QStringList{"GRP", "NAME", "QTY"},
        QVector<ReportCursor::FieldKind>{ReportCursor::fkString, ReportCursor::fkString, ReportCursor::fkInteger});
    for (int i = 1; i <= count; ++i)
        c->append({i <= 2 ? "A" : "B", QStringLiteral("Riadok %1").arg(i), i});
    return c;
}

QStringList texts(const TQRPage &page)
{
    QStringList out;
    for (const TQRItem &item : page.items)
        if (item.kind == TQRItem::Text)
            out << item.text;
    return out;
}

const TQRItem *findText(const TQRPage &page, const QString &text)
{
    for (const TQRItem &item : page.items)
        if (item.kind == TQRItem::Text && item.text == text)
            return &item;
    return nullptr;
}

// A list: page header with the page number, column header, detail of name and quantity, page footer.
struct ListReport {
    TQuickRep rep;
    TQRBand *header, *columns, *detail, *footer, *summary;
    TQRExpr *total;

    ListReport()
    {
        rep.ReportTitle = QStringLiteral("Zoznam");
        header = rep.AddBand(rbPageHeader, "PageHeaderBand");
        header->Height = 30;
        header->Add<TQRLabel>("QRlTitle")->Caption = QStringLiteral("Zoznam objednávok");
        auto *page = header->Add<TQRSysData>("QRPage");
        page->Data = qrsPageNumber;
        page->Text = QStringLiteral("Strana: ");
        page->Left = 500;
        columns = rep.AddBand(rbColumnHeader, "ColumnHeaderBand");
        columns->Height = 20;
        columns->Add<TQRLabel>()->Caption = QStringLiteral("Názov");
        detail = rep.AddBand(rbDetail, "DetailBand");
        detail->Height = 17;
        auto *name = detail->Add<TQRDBText>("QRName");
        name->DataField = "NAME";
        name->Left = 8;
        auto *qty = detail->Add<TQRDBText>("QRQty");
        qty->DataField = "QTY";
        qty->Left = 300;
        qty->Width = 60;
        qty->Alignment = Qt::AlignRight;
        footer = rep.AddBand(rbPageFooter, "PageFooterBand");
        footer->Height = 20;
        footer->Add<TQRLabel>()->Caption = QStringLiteral("Päta");
        summary = rep.AddBand(rbSummary, "SummaryBand");
        summary->Height = 20;
        summary->Add<TQRLabel>()->Caption = QStringLiteral("Spolu");
        total = summary->Add<TQRExpr>("QRTotal");
        total->setExpression("SUM(QTY)");
        total->Left = 300;
    }
};

} // namespace

TEST(ReportLayout, BandsStackFromTheTopMarginInOrder)
{
    ListReport r;
    auto data = rows(3);
    r.rep.setCursor(data.get());
    ASSERT_EQ(r.rep.prepare(), 1);
    const TQRPage &page = r.rep.Pages()[0];
    EXPECT_EQ(texts(page), (QStringList{"Zoznam objednávok", "Strana: 1", "Názov", "Riadok 1", "1", "Riadok 2", "2",
                                        "Riadok 3", "3", "Spolu", "6", "Päta"}))
        << texts(page).join('|').toStdString();
    const double top = MmToUnits(10), left = MmToUnits(10);
    const TQRItem *first = findText(page, "Riadok 1");
    ASSERT_TRUE(first);
    EXPECT_DOUBLE_EQ(first->rect.top(), top + 30 + 20);
    EXPECT_DOUBLE_EQ(first->rect.left(), left + 8);
    EXPECT_DOUBLE_EQ(findText(page, "Riadok 3")->rect.top(), top + 30 + 20 + 2 * 17);
    // The page footer sits on the bottom margin, whatever the content above it.
    EXPECT_DOUBLE_EQ(findText(page, "Päta")->rect.top(), r.rep.PaperSizeUnits().height() - MmToUnits(10) - 20);
}

TEST(ReportLayout, PageBreaksRepeatPageHeaderAndColumnHeader)
{
    ListReport r;
    auto data = rows(200);
    r.rep.setCursor(data.get());
    const int pages = r.rep.prepare();
    ASSERT_GT(pages, 2);
    const double limit = r.rep.PaperSizeUnits().height() - MmToUnits(10) - 20;
    int details = 0;
    for (const TQRPage &page : r.rep.Pages()) {
        const QStringList t = texts(page);
        EXPECT_EQ(t.value(0), "Zoznam objednávok");
        EXPECT_EQ(t.value(1), QStringLiteral("Strana: %1").arg(page.number));
        EXPECT_EQ(t.count("Názov"), 1) << "page " << page.number;
        EXPECT_EQ(t.count("Päta"), 1);
        for (const TQRItem &item : page.items)
            if (item.text.startsWith("Riadok")) {
                ++details;
                EXPECT_LE(item.rect.top() + 17, limit + 1e-9) << "a record runs into the footer";
            }
    }
    EXPECT_EQ(details, 200);
    EXPECT_TRUE(findText(r.rep.Pages().back(), "Spolu"));
    EXPECT_EQ(findText(r.rep.Pages().back(), "Riadok 200") != nullptr ||
                  findText(r.rep.Pages()[size_t(pages - 2)], "Riadok 200") != nullptr,
              true);
}

TEST(ReportLayout, NoRowsMeansNoColumnHeaderAndPrintIfEmptyDecides)
{
    ListReport r;
    auto data = rows(0);
    r.rep.setCursor(data.get());
    ASSERT_EQ(r.rep.prepare(), 1);
    const QStringList t = texts(r.rep.Pages()[0]);
    EXPECT_FALSE(t.contains("Názov"));
    EXPECT_TRUE(t.contains("Spolu"));
    r.rep.PrintIfEmpty = false;
    EXPECT_EQ(r.rep.prepare(), 0);
}

TEST(ReportLayout, GroupsPrintHeadersAndFootersWithTheirOwnSums)
{
    ListReport r;
    TQRGroup *group = r.rep.AddGroup("QRGroup1", "GRP");
    group->Height = 18;
    group->Add<TQRDBText>()->DataField = "GRP";
    TQRBand *groupFooter = r.rep.AddBand(rbGroupFooter, "GroupFooterBand");
    groupFooter->Height = 18;
    group->FooterBand = groupFooter;
    auto *last = groupFooter->Add<TQRExpr>();
    last->setExpression("'Koniec ' + GRP + ': ' + STR(SUM(QTY)) + '/' + STR(COUNT())");
    auto data = rows(5); // A: 1, 2; B: 3, 4, 5
    r.rep.setCursor(data.get());
    r.rep.prepare();
    const QStringList t = texts(r.rep.Pages()[0]);
    const QStringList expected{"A", "Riadok 1", "1", "Riadok 2", "2", "Koniec A: 3/2",  "B",     "Riadok 3",
                               "3", "Riadok 4", "4", "Riadok 5", "5", "Koniec B: 12/3", "Spolu", "15"};
    EXPECT_EQ(t.mid(3, expected.size()), expected) << t.join('|').toStdString();

    // Summary only: the detail band is off, the sums still count every record.
    r.detail->Enabled = false;
    r.rep.prepare();
    const QStringList s = texts(r.rep.Pages()[0]);
    EXPECT_FALSE(s.contains("Riadok 1"));
    EXPECT_TRUE(s.contains("Koniec A: 3/2"));
    EXPECT_TRUE(s.contains("Koniec B: 12/3"));
    EXPECT_TRUE(s.contains("15"));
}

TEST(ReportLayout, BeforePrintCanSuppressABandAndSeesTheRecord)
{
    ListReport r;
    auto data = rows(4);
    r.rep.setCursor(data.get());
    int seen = 0;
    r.detail->BeforePrint = [&](TQRBand *, bool &print) {
        ++seen;
        print = data->value("QTY").toInt() % 2 == 0;
    };
    bool after = false;
    r.rep.AfterPrint = [&](TQuickRep *) { after = true; };
    r.rep.prepare();
    const QStringList t = texts(r.rep.Pages()[0]);
    EXPECT_EQ(seen, 4);
    EXPECT_FALSE(t.contains("Riadok 1"));
    EXPECT_TRUE(t.contains("Riadok 2"));
    EXPECT_FALSE(t.contains("Riadok 3"));
    EXPECT_TRUE(t.contains("Riadok 4"));
    EXPECT_TRUE(after);
    // A suppressed record takes no room: the second printed record follows the first directly.
    EXPECT_DOUBLE_EQ(
        findText(r.rep.Pages()[0], "Riadok 4")->rect.top() - findText(r.rep.Pages()[0], "Riadok 2")->rect.top(), 17);
}

TEST(ReportLayout, DetailInTwoColumnsFillsDownThenAcross)
{
    ListReport r;
    r.rep.Page.Columns = 2;
    auto data = rows(120);
    r.rep.setCursor(data.get());
    ASSERT_EQ(r.rep.prepare(), 2);
    const TQRPage &page = r.rep.Pages()[0];
    const TQRItem *a = findText(page, "Riadok 1");
    ASSERT_TRUE(a);
    double secondColumnX = -1;
    int inSecond = 0;
    for (const TQRItem &item : page.items)
        if (item.text.startsWith("Riadok") && item.rect.left() > a->rect.left() + 1) {
            ++inSecond;
            if (secondColumnX < 0) {
                secondColumnX = item.rect.left();
                EXPECT_DOUBLE_EQ(item.rect.top(), a->rect.top()) << "the second column starts at the top";
            }
        }
    EXPECT_GT(inSecond, 0);
    EXPECT_DOUBLE_EQ(secondColumnX - a->rect.left(), r.rep.Width() / 2);
}

TEST(ReportLayout, MemoSubstitutesExpressionsAndStretchesItsBand)
{
    TQuickRep rep;
    TQRBand *title = rep.AddBand(rbTitle);
    title->Height = 20;
    auto *memo = title->Add<TQRMemo>("QReMemo1");
    memo->Width = 600;
    memo->Height = 16;
    memo->AutoStretch = true;
    memo->Lines = QStringList{"Zmluva č. {C_OBJ} z {MATERIAL}.", "druhý", "tretí", "štvrtý"};
    TQRBand *detail = rep.AddBand(rbDetail);
    detail->Height = 17;
    detail->Add<TQRDBText>()->DataField = "C_OBJ";
    // A fixed-width text column comes padded with blanks.
    TMemoryCursor data({"C_OBJ", "MATERIAL"}, {ReportCursor::fkInteger, ReportCursor::fkString},
                       {{42, "GG25          "}});
    rep.setCursor(&data);
    rep.prepare();
    const TQRPage &page = rep.Pages()[0];
    ASSERT_TRUE(findText(page, "Zmluva č. 42 z GG25."));
    const TQRItem *fourth = findText(page, "štvrtý");
    const TQRItem *detailText = findText(page, "42");
    ASSERT_TRUE(fourth && detailText);
    EXPECT_GE(detailText->rect.top(), fourth->rect.bottom() - 1e-9) << "the band grew to hold the memo";
}

TEST(ReportLayout, AMemoLongerThanThePageGoesOnOverTheNextPages)
{
    // An A5 document of one record: a heading and two side-by-side memos of 150 lines in its detail band,
    // a summary after it.
    TQuickRep rep;
    rep.Page.PaperSize = QPageSize::A5;
    rep.Page.Orientation = QPageLayout::Landscape;
    TQRBand *header = rep.AddBand(rbPageHeader);
    header->Height = 20;
    header->Add<TQRLabel>()->Caption = QStringLiteral("Hlavička");
    TQRBand *detail = rep.AddBand(rbDetail);
    detail->Height = 300;
    detail->Add<TQRLabel>()->Caption = QStringLiteral("Operácie");
    QStringList names, wages;
    for (int i = 1; i <= 150; ++i) {
        names << QStringLiteral("Operácia %1").arg(i);
        wages << QStringLiteral("%1,00").arg(i);
    }
    TQRMemo *memos[2];
    for (int m = 0; m < 2; ++m) {
        memos[m] = detail->Add<TQRMemo>();
        memos[m]->Left = m * 200;
        memos[m]->Top = 40;
        memos[m]->Width = 150;
        memos[m]->Height = 20;
        memos[m]->AutoStretch = true;
        memos[m]->Lines = m == 0 ? names : wages;
    }
    TQRBand *summary = rep.AddBand(rbSummary);
    summary->Height = 20;
    summary->Add<TQRLabel>()->Caption = QStringLiteral("Koniec");
    TMemoryCursor data({"C_INT"}, {ReportCursor::fkInteger}, {{1}});
    rep.setCursor(&data);
    const int pages = rep.prepare();
    ASSERT_GE(pages, 4);

    const double bottom = rep.PaperSizeUnits().height() - MmToUnits(10);
    const double contentTop = MmToUnits(10) + 20;
    QMap<QString, int> printed;
    for (const TQRPage &page : rep.Pages()) {
        EXPECT_EQ(texts(page).value(0), "Hlavička") << page.number;
        double firstLine = bottom;
        for (const TQRItem &item : page.items) {
            if (item.kind != TQRItem::Text)
                continue;
            EXPECT_LE(item.rect.bottom(), bottom + 1e-6) << item.text.toStdString() << " below page " << page.number;
            ++printed[item.text];
            if (item.text.startsWith("Operácia ") && page.number > 1)
                firstLine = std::min(firstLine, item.rect.top());
        }
        if (page.number > 1 && firstLine < bottom) {
            EXPECT_DOUBLE_EQ(firstLine, contentTop) << "continued under the page header on page " << page.number;
        }
    }
    for (int i = 1; i <= 150; ++i) {
        EXPECT_EQ(printed.value(QStringLiteral("Operácia %1").arg(i)), 1) << i;
        EXPECT_EQ(printed.value(QStringLiteral("%1,00").arg(i)), 1) << i;
    }
    // Each wage stays on the line of its operation, and the summary follows the last line.
    for (const TQRPage &page : rep.Pages())
        for (const TQRItem &item : page.items)
            if (item.text.startsWith("Operácia ")) {
                const TQRItem *wage = findText(page, item.text.mid(9) + ",00");
                ASSERT_TRUE(wage) << item.text.toStdString();
                EXPECT_DOUBLE_EQ(wage->rect.top(), item.rect.top());
            }
    const TQRPage &last = rep.Pages().back();
    const TQRItem *end = findText(last, "Koniec");
    const TQRItem *lastLine = findText(last, "Operácia 150");
    ASSERT_TRUE(end && lastLine) << "the summary on the page of the last line, which has room for it";
    EXPECT_GE(end->rect.top(), lastLine->rect.bottom() - 1e-6);
    EXPECT_EQ(printed.value("Operácie"), 1) << "the band's own controls print once";
}

TEST(ReportLayout, ControlsAreFoundAndSetByName)
{
    ListReport r;
    EXPECT_EQ(r.rep.FindComponent("qrname"), r.detail->Controls[0].get());
    EXPECT_EQ(r.rep.Find<TQRBand>("DetailBand"), r.detail);
    EXPECT_EQ(r.rep.FindComponent("nothing"), nullptr);
    auto *label = r.rep.Find<TQRLabel>("QRlTitle");
    ASSERT_TRUE(label);
    EXPECT_TRUE(setPropertyByName(label, "caption", "Iný titul"));
    EXPECT_TRUE(setPropertyByName(label, "LEFT", "12"));
    EXPECT_TRUE(setPropertyByName(label, "Alignment", "taRightJustify"));
    EXPECT_TRUE(setPropertyByName(label, "Font.Style", "[fsBold]"));
    EXPECT_FALSE(setPropertyByName(label, "NoSuchProperty", "1"));
    EXPECT_EQ(label->Caption, "Iný titul");
    EXPECT_EQ(label->Left, 12);
    EXPECT_EQ(label->Alignment, Qt::AlignRight);
    EXPECT_TRUE(label->font().bold());
    EXPECT_FALSE(r.header->font().bold()) << "a control's font does not change its band's";
    EXPECT_TRUE(setPropertyByName(r.rep.FindComponent("QRTotal"), "Expression", "COUNT()"));
}

TEST(ReportLayout, SysDataPrintsTheFixedClock)
{
    SetNowForTests(QDateTime(QDate(2024, 3, 5), QTime(8, 30)));
    TQuickRep rep;
    TQRBand *title = rep.AddBand(rbTitle);
    title->Add<TQRSysData>()->Data = qrsDate;
    rep.prepare();
    ClearNowForTests();
    EXPECT_EQ(texts(rep.Pages()[0]).value(0), FormatDateTime(FormatSettings().ShortDateFormat, QDate(2024, 3, 5)));
}
