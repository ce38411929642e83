#include "MPohybyQR1Rep.h"

#include "MaterialReportParts.h"

using namespace MaterialReport;

namespace {

const QString QuantitySum = QStringLiteral("sum(MNOZSTVO)");

// The captions and masks of the columns a summary groups by.
struct TGroupColumn {
    const char *field, *caption, *mask;
};
const TGroupColumn GroupColumns[] = {{"DATUM", "Dátum", "d/m/yy"}, {"SKLAD", "Sklad", ""},
                                     {"TYP_POHYBU", "Typ", ""},    {"STREDISKO", "Stredisko", ""},
                                     {"TYP2", "Typ2", ""},         {"C_INT", "č.Zákazky", "#0\"/\"0000;; "}};

} // namespace

TMPohybyQR1Rep::TMPohybyQR1Rep()
{
    SetUp(this, QStringLiteral("MPohybyQR1Rep"), QString::fromUtf8("Skladové pohyby"));

    TQRBand *title = AddBand(rbTitle, QStringLiteral("TitleBand"));
    title->Height = 40;
    auto *heading = Caption(title, QString::fromUtf8("Skladové pohyby"), 0, 6, Width(), 13, true);
    heading->Alignment = Qt::AlignHCenter;

    const TItemTable table = ItemTable(this, {{"Dátum", "DATUM", 0, 48, TColumn::Text, "d/m/yy"},
                                              {"Doklad", "C_DOKLADU", 52, 58},
                                              {"Položka", "C_POL", 114, 84},
                                              {"Názov", "{NAZOV}", 202, 168, TColumn::LongText},
                                              {"Množstvo", "MNOZSTVO", 374, 62, TColumn::Number, "0.###"},
                                              {"Cena/MJ", "CENA_NAKL", 440, 64, TColumn::Number, "0.00"}});
    for (TQRBand *band : {table.head, table.detail})
        for (const auto &control : band->Controls)
            movement_.push_back(control.get());
    // The value and the dimension print in a summary too: the dimension stays empty there.
    Caption(table.head, QStringLiteral("Hodnota"), 508, 2, 84)->Alignment = Qt::AlignRight;
    Number(table.detail, QStringLiteral("HODNOTA"), 592, 1, 84, QStringLiteral("0.00"));
    Caption(table.head, QStringLiteral("Rozmer"), 600, 2, 118);
    movement_.push_back(table.head->Controls.back().get());
    movement_.push_back(Lines(table.detail, {QStringLiteral("{ROZMER}")}, 600, 1, 118));
    for (int i = 0; i < 4; ++i) {
        TSlot slot{Caption(table.head, QString(), 124 * i, 2, 120), Value(table.detail, QString(), 124 * i, 1, 120)};
        slot.caption->Name = QStringLiteral("QRStlpec%1").arg(i + 1);
        slot.value->Name = QStringLiteral("QRSkupina%1").arg(i + 1);
        slots_.push_back(slot);
    }

    // The movements of a store under its number, with the store's sums.
    store_ = AddGroup(QStringLiteral("QRGroupSklad"), QStringLiteral("SKLAD"));
    store_->Height = 20;
    store_->Font().setPointSize(8);
    store_->Font().setBold(true);
    Caption(store_, QStringLiteral("Sklad"), 0, 4, 48);
    Value(store_, QStringLiteral("SKLAD"), 52, 4, 120);
    TQRBand *footer = AddBand(rbGroupFooter, QStringLiteral("GroupFooterBand"));
    store_->FooterBand = footer;
    footer->Height = 22;
    footer->Frame.DrawTop = true;
    footer->Font().setPointSize(8);
    footer->Font().setBold(true);
    Caption(footer, QStringLiteral("Spolu sklad"), 114, 3, 80);
    Value(footer, QStringLiteral("SKLAD"), 202, 3, 120);
    quantitySums_.push_back(Number(footer, QuantitySum, 436, 3, 80, QStringLiteral("0.###")));
    Number(footer, QStringLiteral("sum(HODNOTA)"), 592, 3, 100, QStringLiteral("0.00"));

    TQRBand *summary = table.summary;
    summary->Height = 24;
    summary->Frame.DrawTop = true;
    summary->Font().setBold(true);
    Caption(summary, QStringLiteral("Spolu"), 114, 4, 80);
    quantitySums_.push_back(Number(summary, QuantitySum, 436, 4, 80, QStringLiteral("0.###")));
    Number(summary, QStringLiteral("sum(HODNOTA)"), 592, 4, 110, QStringLiteral("0.00"));
    PageNumber(this);
    SetGrouping(QString());
}

void TMPohybyQR1Rep::SetGrouping(const QString &grouping)
{
    QStringList columns;
    for (const QString &field : grouping.split(QLatin1Char(','), Qt::SkipEmptyParts))
        columns << field.trimmed().toUpper();
    const bool movements = columns.isEmpty();
    store_->Enabled = movements;
    store_->FooterBand->Enabled = movements;
    for (TQRPrintable *control : movement_)
        control->Enabled = movements;
    // Disabled sums would still add up every row, and a summary's rows have no quantity.
    for (TQRExpr *sum : quantitySums_) {
        sum->Enabled = movements;
        sum->setExpression(movements ? QuantitySum : QString());
    }
    for (size_t i = 0; i < slots_.size(); ++i) {
        const QString field = columns.value(int(i));
        const TGroupColumn *column = nullptr;
        for (const TGroupColumn &c : GroupColumns)
            if (field == QLatin1String(c.field))
                column = &c;
        slots_[i].caption->Enabled = slots_[i].value->Enabled = !field.isEmpty();
        slots_[i].caption->Caption = column ? QString::fromUtf8(column->caption) : field;
        slots_[i].value->DataField = field;
        slots_[i].value->Mask = column ? QString::fromUtf8(column->mask) : QString();
    }
}
