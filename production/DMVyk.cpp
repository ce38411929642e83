#include "DMVyk.h"

#include "VykSql.h"
#include "shell/DMZal.h"
#include "library/FieldTitles.h"

TDMVyk *DMVyk = nullptr;

namespace {

void linkSource(TDataSource &source, TDataSet &dataSet, const QString &name, bool enabled = true)
{
    source.Name = name;
    source.SetDataSet(&dataSet);
    source.SetEnabled(enabled);
}

void setLines(TStringList &target, const QStringList &lines)
{
    target.SetText(lines.join(QLatin1Char('\n')));
}

} // namespace

TDMVyk::TDMVyk()
{
    DMVyk = this;
    TIBDatabase *db = &DMZal->DBZAL;

    QvSVykony.Name = QStringLiteral("QvSVykony");
    QvSVykony.SetDatabase(db);
    QvSVykony.SetCachedUpdates(true);
    setLines(QvSVykony.SelectSQL, VykSql::PerformanceList);
    setLines(QvSVykony.RefreshSQL, VykSql::PerformanceRefresh);
    setLines(QvSVykony.InsertSQL, VykSql::PerformanceInsert);
    setLines(QvSVykony.ModifySQL, VykSql::PerformanceModify);
    setLines(QvSVykony.DeleteSQL, VykSql::PerformanceDelete);
    linkSource(DSvVykony1, QvSVykony, QStringLiteral("DSvVykony1"), false);
    linkSource(DSvVykony2, QvSVykony, QStringLiteral("DSvVykony2"), false);
    linkSource(DSvVykony3, QvSVykony, QStringLiteral("DSvVykony3"), false);
    DSvVykony3.AutoEdit = false;

    QSVykony.Name = QStringLiteral("QSVykony");
    QSVykony.SetDatabase(db);
    QSVykony.SetCachedUpdates(true);
    QSVykony.BufferChunks = 100;
    setLines(QSVykony.SelectSQL, VykSql::OrderEntrySelect);
    setLines(QSVykony.InsertSQL, VykSql::OrderEntryInsert);
    setLines(QSVykony.ModifySQL, VykSql::OrderEntryModify);
    setLines(QSVykony.DeleteSQL, VykSql::PerformanceDelete);
    linkSource(DSVykony, QSVykony, QStringLiteral("DSVykony"));

    QZakazky.Name = QStringLiteral("QZakazky");
    QZakazky.SetDatabase(db);
    QZakazky.SQL().SetText(VykSql::OrderInfo);
    linkSource(DSZakazky, QZakazky, QStringLiteral("DSZakazky"));
    QOperacie.Name = QStringLiteral("QOperacie");
    QOperacie.SetDatabase(db);
    QOperacie.SQL().SetText(VykSql::OrderOperations);
    linkSource(DSOperacie, QOperacie, QStringLiteral("DSOperacie"));
    // The order-entry grid titles its columns itself: it shows them before a job is chosen.
    QvSVykony.OnCreateFields = [](TDataSet *d) { CommonTitles().Apply(d); };
    QOperacie.OnCreateFields = [](TDataSet *d) { CommonTitles().Apply(d); };

    setUpEvents();
}

TDMVyk::~TDMVyk()
{
    for (TDataSet *ds : std::initializer_list<TDataSet *>{&QvSVykony, &QSVykony, &QZakazky, &QOperacie}) {
        try {
            ds->Close();
        } catch (...) {
            // The connection may already be gone at the end of the run.
        }
    }
    if (DMVyk == this)
        DMVyk = nullptr;
}
