// The base data module's shared rules: order-item states, the privilege check and the Slovak
// translation of server errors for the data sets' error events.
#include "DMZal.h"

#include "Routines.h"
#include "ZalSql.h"
#include "platform/fbapi/IBError.h"

#include <cstdlib>

bool TDMZal::SetOrderState(int cInt, int state, int minState)
{
    int target = state, low = minState, high = state - 1;
    if (state < 0) {
        // Undo a mark: only ever downwards.
        target = -state;
        low = target + 1;
        high = 999;
    }
    return QOrderState.ExecSql(QString(), {target, cInt, low, high}) == 1;
}

QString TDMZal::OrderStateName(int state)
{
    switch (state) {
    case stVystavena:
        return QString::fromUtf8("Vystavená");
    case stTlacena:
        return QString::fromUtf8("Tlačená");
    case stPotvrdena:
        return QString::fromUtf8("Potvrdená");
    case stPoziadavky:
        return QString::fromUtf8("Požiadavky");
    case stPlanovana:
        return QString::fromUtf8("Plánovaná");
    case stVyrabana:
        return QString::fromUtf8("Vyrábaná");
    case stExpedovana:
        return QString::fromUtf8("EXPedovaná");
    case stOdvedena:
        return QString::fromUtf8("Odvedená");
    case stUkoncena:
        return QString::fromUtf8("Ukončená");
    case stStornovana:
        return QString::fromUtf8("Stornovaná");
    default:
        return QString::number(state);
    }
}

bool TDMZal::HasRight(const QString &module, int level, bool showMessage)
{
    // Read once per connection: the query stays open.
    if (!QPrivileges.Active())
        QPrivileges.Open();
    QPrivileges.First();
    bool granted = QPrivileges.Eof();
    while (!granted && !QPrivileges.Eof()) {
        const QString word = QPrivileges.Fields(0)->AsString();
        if ((word == module || word == QLatin1String("System")) && QPrivileges.Fields(1)->AsInteger() >= level)
            granted = true;
        QPrivileges.Next();
    }
    if (!granted && showMessage)
        MessageBox(QString::fromUtf8("Nemáš oprávnenie na vykonanie požadovanej činnosti !"),
                   QString::fromUtf8("Kontrola oprávnenia"), mtError, mbOK);
    return granted;
}

bool TDMZal::TranslateDbError(TDataSet *, const EDatabaseError &error, const QStringList &pairs)
{
    try {
        const auto *server = dynamic_cast<const EIBError *>(&error);
        // A refused read is no refused save: its own message says what went wrong.
        if (!server || server->SQLCode == 0 || server->Read)
            return false;
        const QString message = fb::SqlCodeMessage(server->SQLCode);
        if (message.isEmpty())
            return false;
        QString text =
            QString::fromUtf8("Chyba pri pokuse o zápis/zmenu/zmazanie !") + QStringLiteral("\r\n") + message;
        // The pair naming the refusing constraint says what was refused; the server's own lines, codes and
        // names are never shown to the user.
        const QString upper = server->ServerMessage.toUpper();
        for (const QString &pair : pairs) {
            const int bar = int(pair.indexOf(QLatin1Char('|')));
            const QString name = bar < 0 ? QString() : pair.left(bar);
            if (!name.isEmpty() && upper.contains(name)) {
                text += QStringLiteral("\r\n\r\n") + pair.mid(bar + 1);
                break;
            }
        }
        MessageBox(text, QStringLiteral("SQL Chyba"), mtError, mbOK);
        return true;
    } catch (...) {
        // The translation must never replace the error being handled.
        return false;
    }
}

void TDMZal::DataSetErrorHandler(TDataSet *dataSet, EDatabaseError &error, TDataAction &action)
{
    if (TranslateDbError(dataSet, error))
        action = daAbort;
}

void TDMZal::DataSetErrorHandlerEx(TDataSet *dataSet, EDatabaseError &error, const QStringList &pairs,
                                   TDataAction &action)
{
    action = TranslateDbError(dataSet, error, pairs) ? daAbort : daFail;
}
