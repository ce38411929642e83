#include "CisPolForm.h"

#include "CisSql.h"
#include "DMCis.h"
#include "library/xDBGrid.h"
#include "platform/os/Format.h"

#include <QLineEdit>

TFormGlobal<TCisPolForm> CisPolForm{"CisPolForm"};

namespace {

QString maskLine(QChar mask, const QString &conditions)
{
    return CisSql::ItemPickOfType.arg(SqlLiteral(QString(mask))) + QLatin1Char(' ') + conditions;
}

} // namespace

TCisPolForm::TCisPolForm(QWidget *owner)
    : TCisPickForm(QString::fromUtf8("Číselník položiek"), &DMCis->DSQPolozky, owner)
{
    TrackGlobal(this, CisPolForm);
    const QList<QPair<const char *, const char *>> columns{
        {"C_POL", "č.Položky"},     {"NAZOV", "Názov"},         {"ROZMER", "Rozmer"}, {"MATERIAL", "Materiál"},
        {"C_POL_EXT", "č.Externé"}, {"C_VYKRESU", "č.Výkresu"}, {"KP", "KP"},         {"CENA_NAKL", "Cena/MJ"},
        {"POPIS", "Popis"}};
    for (const auto &c : columns)
        Grid->AddColumn(QString::fromUtf8(c.first), QString::fromUtf8(c.second));
    eC_POL = AddFilterEdit(QString::fromUtf8("Č.položky"));
    connect(eC_POL, &QLineEdit::textEdited, eC_POL, [this](const QString &text) {
        const int pos = eC_POL->cursorPosition();
        eC_POL->setText(text.toUpper());
        eC_POL->setCursorPosition(pos);
    });
    eNAZOV = AddFilterEdit(QString::fromUtf8("Názov"));
    eROZMER = AddFilterEdit(QStringLiteral("Rozmer"));
    eC_VYKRESU = AddFilterEdit(QString::fromUtf8("Č.výkresu"));
    eC_ODB = AddFilterEdit(QString::fromUtf8("Č.odberateľa"), true);
    ePOPIS = AddFilterEdit(QStringLiteral("Popis"));
    eKP = AddFilterEdit(QStringLiteral("KP"));
    eSKLAD = AddFilterEdit(QStringLiteral("Sklad"));
    eC_POL_EXT = AddFilterEdit(QString::fromUtf8("Č.externé"));
}

void TCisPolForm::ApplyFilter()
{
    QString conditions;
    const auto add = [&](QLineEdit *edit, const QString &column, const QString &before) {
        const QString text = edit->text().trimmed();
        if (!text.isEmpty())
            conditions += CisSql::ItemColumnLike.arg(column, SqlLikePrefix(before + text));
    };
    const QString any = QStringLiteral("%");
    add(eC_POL, QStringLiteral("c_pol"), QString());
    add(eNAZOV, QStringLiteral("nazov"), any);
    add(eROZMER, QStringLiteral("rozmer"), any);
    add(ePOPIS, QStringLiteral("popis"), any);
    add(eC_POL_EXT, QStringLiteral("c_pol_ext"), QString());
    add(eC_VYKRESU, QStringLiteral("c_vykresu"), any);
    add(eKP, QStringLiteral("KP"), QString());
    const QString store = eSKLAD->text().trimmed();
    if (!store.isEmpty())
        conditions += CisSql::ItemInStore.arg(SqlLiteral(store));
    const QString customer = eC_ODB->text().trimmed();
    if (!customer.isEmpty())
        conditions += CisSql::ItemOfCustomer.arg(StrToInt(customer)); // a text that is no number is refused here
    TxQuery &q = DMCis->QPolozky;
    q.Close();
    q.SQL().SetStrings(2, maskLine(TypeMask, conditions));
    q.Open();
    ClearFilterEdits();
    Grid->setFocus();
}

bool PickItem(QString &code, QChar mask)
{
    TCisPolForm &f = FormOnDemand(CisPolForm);
    f.TypeMask = mask;
    TxQuery &q = DMCis->QPolozky;
    bool found = false;
    const QString trimmed = code.trimmed();
    if (!trimmed.isEmpty()) {
        q.Close();
        q.SQL().SetStrings(2, CisSql::ItemPickByCode);
        q.ParamByName(QStringLiteral("c_pol")).SetValue(trimmed.size() >= 15 ? code : trimmed + QLatin1Char('%'));
        q.Open();
        // One row, or several: two rows tell, the rest of a long list need not be read.
        const int rows = q.RecordCountUpTo(2);
        found = rows == 1 || (rows > 0 && q.FieldByName(QStringLiteral("C_POL"))->AsString().trimmed() == trimmed);
    }
    if (!found) {
        if (!q.Active() || q.IsEmpty()) {
            q.Close();
            q.SQL().SetStrings(2, maskLine(mask, QString()));
            q.Open();
        }
        f.eC_POL->setFocus();
        found = f.ShowModal() == mrOk && !q.IsEmpty();
    }
    if (found)
        code = q.FieldByName(QStringLiteral("C_POL"))->AsString().trimmed();
    return found;
}

bool PickItemForEdit(QLineEdit *edit, QChar mask)
{
    QString code = edit->text();
    const bool found = PickItem(code, mask);
    edit->setText(code);
    return found;
}

bool PickProductForField(TField *field)
{
    QString code = field->AsString();
    const bool found = PickItem(code, QLatin1Char('V'));
    SetPickedValue(field, code);
    return found;
}

bool PickAnyItemForField(TField *field)
{
    return PickItemForFieldDS(field, QLatin1Char('_'));
}

bool PickItemForFieldDS(TField *field, QChar mask, TxQuery **dataSet)
{
    QString code = field->AsString();
    const bool found = PickItem(code, mask);
    if (found)
        SetPickedValue(field, code);
    if (dataSet)
        *dataSet = &DMCis->QPolozky;
    return found;
}
