#include "StockDocumentNumber.h"

#include "MTZSql.h"
#include "MaterialRules.h"
#include "platform/db/SqlWait.h"
#include "platform/fbapi/Decode.h"
#include "platform/fbapi/IBError.h"
#include "platform/fbapi/ParamParser.h"
#include "platform/fbapi/Statement.h"
#include "platform/fbapi/Transaction.h"

namespace {

// Binds the named parameters of a parsed statement from name/value pairs.
void bind(fb::Statement &st, const QStringList &names, const QVariantMap &values)
{
    for (int i = 0; i < names.size(); ++i)
        st.setParam(i, values.value(names[i].toLower()));
}

} // namespace

int DrawStockDocumentNumber(fb::Attachment &attachment, const QDate &date, int kind, const QString &store)
{
    const QDate first(date.year(), date.month(), 1);
    const QVariantMap values{{QStringLiteral("datum_od"), first},
                             {QStringLiteral("datum_do"), first.addMonths(1).addDays(-1)},
                             {QStringLiteral("mesiac"), first},
                             {QStringLiteral("typ_pohybu"), kind},
                             {QStringLiteral("sklad"), store}};
    TSqlWait wait;
    fb::Transaction tr(attachment);
    const fb::ParsedSql last = fb::parseParams(MTZSql::LastDocumentNumber);
    fb::Statement highest;
    highest.prepare(tr, last.sql);
    bind(highest, last.names, values);
    highest.openCursor(tr);
    QVariant top;
    if (highest.fetchNext())
        top = fb::decode(highest.outputs()[0], highest.row());
    highest.closeCursor();
    int number = top.isNull() || top.toInt() == 0 ? FirstDocumentNumberBase(date) : top.toInt();

    const fb::ParsedSql draw = fb::parseParams(MTZSql::DrawDocumentNumber);
    fb::Statement keep;
    keep.prepare(tr, draw.sql);
    // A number drawn at the same moment by another workstation is refused by the key (after its
    // transaction commits, which it does at once): the next one is tried.
    constexpr int attempts = 200;
    for (int i = 0; i < attempts; ++i) {
        ++number;
        QVariantMap row = values;
        row.insert(QStringLiteral("c_dokladu"), number);
        bind(keep, draw.names, row);
        try {
            keep.execute(tr);
            tr.commit();
            return number;
        } catch (const EIBError &e) {
            if (e.SQLCode != -803)
                throw;
        }
    }
    throw EDatabaseError(QString::fromUtf8("Číslo dokladu sa nepodarilo prideliť, skúste to znova."));
}
