#include "library/xReporty.h"

#include "platform/report/QuickRep.h"

#include <QCoreApplication>
#include <map>

namespace {

std::map<std::type_index, TReportFactory> &classes()
{
    static std::map<std::type_index, TReportFactory> map;
    return map;
}

QHash<QString, TReportFactory> &resources()
{
    static QHash<QString, TReportFactory> hash;
    return hash;
}

std::unique_ptr<TxReporty> &instance()
{
    static std::unique_ptr<TxReporty> reporty;
    return reporty;
}

// The band of the copy that stands for the original's band: the same name, else the same type at the
// same place among the bands of that type.
TQRBand *matchBand(const TQuickRep &from, const TQRBand *band, const TQuickRep &to)
{
    if (!band->Name.isEmpty())
        return dynamic_cast<TQRBand *>(to.FindComponent(band->Name));
    int ordinal = 0;
    for (const auto &b : from.Bands()) {
        if (b.get() == band)
            break;
        if (b->BandType == band->BandType)
            ++ordinal;
    }
    for (const auto &b : to.Bands())
        if (b->BandType == band->BandType && ordinal-- == 0)
            return b.get();
    return nullptr;
}

void carryControl(const TQRPrintable &from, TQRPrintable &to)
{
    if (from.className() != to.className())
        return;
    to.Enabled = from.Enabled;
    if (auto *l = dynamic_cast<const TQRLabel *>(&from))
        static_cast<TQRLabel &>(to).Caption = l->Caption;
    else if (auto *m = dynamic_cast<const TQRMemo *>(&from))
        static_cast<TQRMemo &>(to).Lines = m->Lines;
    else if (auto *t = dynamic_cast<const TQRDBText *>(&from)) {
        static_cast<TQRDBText &>(to).Mask = t->Mask;
        static_cast<TQRDBText &>(to).DataField = t->DataField;
    } else if (auto *e = dynamic_cast<const TQRExpr *>(&from)) {
        auto &te = static_cast<TQRExpr &>(to);
        te.Mask = e->Mask;
        if (te.Expression() != e->Expression())
            te.setExpression(e->Expression());
    } else if (from.className() == QLatin1String("TQRImage")) {
        auto &ti = static_cast<TQRImage &>(to);
        const auto &fi = static_cast<const TQRImage &>(from);
        if (!fi.Picture.isNull()) {
            ti.Picture = fi.Picture;
            ti.Center = fi.Center;
            ti.Stretch = fi.Stretch;
        }
    }
}

} // namespace

void RegisterReportClass(std::type_index type, TReportFactory factory)
{
    if (factory)
        classes()[type] = std::move(factory);
    else
        classes().erase(type);
}

void RegisterReportResource(const QString &name, TReportFactory factory)
{
    if (factory)
        resources().insert(name.toUpper(), std::move(factory));
    else
        resources().remove(name.toUpper());
}

void CarryRunTimeSettings(const TQuickRep &from, TQuickRep &to)
{
    to.PrinterSettings = from.PrinterSettings;
    to.PrintIfEmpty = from.PrintIfEmpty;
    if (from.DataSet())
        to.setDataSet(from.DataSet());
    else
        to.setCursor(from.cursor());
    for (const auto &band : from.Bands()) {
        TQRBand *target = matchBand(from, band.get(), to);
        if (!target)
            continue;
        target->Enabled = band->Enabled;
        if (auto *g = dynamic_cast<const TQRGroup *>(band.get()))
            if (auto *tg = dynamic_cast<TQRGroup *>(target); tg && tg->Expression() != g->Expression())
                tg->setExpression(g->Expression());
        const bool samePlaces = band->Controls.size() == target->Controls.size();
        for (size_t i = 0; i < band->Controls.size(); ++i) {
            const TQRPrintable &c = *band->Controls[i];
            TQRPrintable *tc = nullptr;
            if (!c.Name.isEmpty())
                tc = dynamic_cast<TQRPrintable *>(to.FindComponent(c.Name));
            else if (samePlaces && target->Controls[i]->Name.isEmpty())
                tc = target->Controls[i].get();
            if (tc)
                carryControl(c, *tc);
        }
    }
}

TxReporty::TxReporty() : slovnik_(std::make_unique<TxSlovnik>()) {}

TxReporty::~TxReporty()
{
    while (!copies_.empty())
        copies_.pop_back(); // last made, first freed
}

TQuickRep *TxReporty::TranslatedReport(TQuickRep *report, int language)
{
    if (!report || language == lngSK || LanguageCode(language).isEmpty())
        return report;
    const QString key = report->Name + QLatin1Char('_') + LanguageCode(language);
    TQuickRep *copy = nullptr;
    for (const auto &c : copies_)
        if (c->Name.compare(key, Qt::CaseInsensitive) == 0)
            copy = c.get();
    if (!copy) {
        std::unique_ptr<TQuickRep> made;
        if (auto r = resources().find((QLatin1Char('T') + key).toUpper()); r != resources().end())
            made = (*r)();
        else if (auto c = classes().find(std::type_index(typeid(*report))); c != classes().end())
            made = c->second();
        if (!made)
            return report;
        made->Name = key;
        copy = made.get();
        copies_.push_back(std::move(made));
    }
    // The Slovak report is filled anew for every print; the copy follows it each time.
    CarryRunTimeSettings(*report, *copy);
    for (const auto &band : copy->Bands())
        for (const auto &c : band->Controls)
            if (auto *label = dynamic_cast<TQRLabel *>(c.get()))
                label->Caption = slovnik_->TranslateWord(label->Caption, language);
    return copy;
}

TxReporty &Reporty()
{
    if (!instance())
        instance() = std::make_unique<TxReporty>();
    return *instance();
}

void FreeReporty()
{
    instance().reset();
}
