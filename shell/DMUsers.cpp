#include "DMUsers.h"

#include "AdminSql.h"
#include "DMZal.h"
#include "Grants.h"
#include "Routines.h"
#include "library/DataModuleSetUp.h"
#include "library/ServiceBlocks.h"
#include "library/xQuery.h"
#include "platform/db/Field.h"
#include "platform/fbapi/IBError.h"
#include "platform/os/Exception.h"
#include "platform/ui/Dialogs.h"

#include <algorithm>

TDMUsers *DMUsers = nullptr;

namespace {

const QString Sysdba = QStringLiteral("SYSDBA");
const QString User = QStringLiteral("RDB_USER");
const QString Word = QStringLiteral("RDB_PRIVILEGE");
const QString Level = QStringLiteral("RDB_LEVEL");
// The words SYSDBA's first privilege rows are made for, each at "Všetko".
const QStringList SysdbaWords{QStringLiteral("System"),    QStringLiteral("Odbyt"),     QStringLiteral("Kalkulacie"),
                              QStringLiteral("TPV"),       QStringLiteral("Vyroba"),    QStringLiteral("MTZ"),
                              QStringLiteral("Expedicia"), QStringLiteral("Dochadzka"), QStringLiteral("Mzdy")};

bool isSysdba(const QString &user)
{
    return user.compare(Sysdba, Qt::CaseInsensitive) == 0;
}

} // namespace

TDMUsers::TDMUsers()
{
    DMUsers = this;
    TIBDatabase *db = &DMZal->DBZAL;
    SetUpTable(QUsers, DSQUsers, QStringLiteral("QUsers"), db, QStringLiteral("QUSERS"));
    QUsers.SetIndexFieldNames(User);
    SetUpTable(QActions, DSQActions, QStringLiteral("QActions"), db, QStringLiteral("QACTIONS"));
    QActions.SetIndexFieldNames(QStringLiteral("RDB_DESCRIPTION"));
    SetUpTable(QPrivileges, DSQPrivileges, QStringLiteral("QPrivileges"), db, QStringLiteral("QPRIVILEGES"));
    QPrivileges.OnCreateFields = [this](TDataSet *ds) { privilegeFields(ds); };
    QPrivileges.OnNewRecord = [this](TDataSet *ds) { privilegeNewRecord(ds); };
    QPrivileges.BeforePost = [this](TDataSet *ds) { privilegeBeforePost(ds); };
    QPrivileges.AfterPost = [this](TDataSet *ds) { privilegeAfterPost(ds); };
}

TDMUsers::~TDMUsers()
{
    if (DMUsers == this)
        DMUsers = nullptr;
}

QString TDMUsers::LocalUsersText()
{
    return QString::fromUtf8("Užívateľov spravuje server; na lokálnej databáze ich nie je možné vytvárať.");
}

void TDMUsers::Open()
{
    UsersOnServer = IsServerDatabaseName(DMZal->DBZAL.DatabaseName);
    ExecSqlParams(AdminSql::ImportServerUsers);
    QUsers.Open();
    if (QUsers.IsEmpty())
        QUsers.AppendRecord({Sysdba});
    QActions.Open();
    if (QActions.IsEmpty()) {
        for (const auto &[word, description] : ModuleWords())
            QActions.AppendRecord({word, description});
        QActions.First();
    }
    QUsers.First();
    QPrivileges.SetMaster(&DSQUsers, User, User + QStringLiteral(";") + Word);
    if (QPrivileges.IsEmpty() && isSysdba(CurrentUser()))
        for (const QString &word : SysdbaWords)
            QPrivileges.AppendRecord({Sysdba, word, int(plAll)});
}

void TDMUsers::Close()
{
    QPrivileges.Close();
    QUsers.Close();
    QActions.Close();
}

QString TDMUsers::CurrentUser() const
{
    if (!QUsers.Active() || QUsers.IsEmpty())
        return QString();
    return QUsers.FieldByName(User)->AsString().trimmed();
}

void TDMUsers::privilegeFields(TDataSet *ds)
{
    TField *level = ds->FieldByName(Level);
    level->SetDisplayLabel(QStringLiteral("Oprávnenie"));
    level->OnGetText = [](TField *f, QString &text, bool display) {
        text = f->IsNull() ? QString() : PrivilegeLevelText(f->AsInteger());
        if (!display)
            text = text.trimmed();
    };
    // A text that is no level is refused and the edit stays as it was: only "Nič" removes a privilege.
    level->OnSetText = [](TField *f, const QString &text) {
        const int value = PrivilegeLevelOf(text);
        if (value < 0)
            throw EDatabaseError(QString::fromUtf8("Neznáma úroveň oprávnenia \"%1\": zadajte Nič, Čítať alebo Všetko")
                                     .arg(text.trimmed()));
        f->SetValue(value);
    };
    TField *word = ds->FieldByName(Word);
    word->SetDisplayLabel(QString::fromUtf8("Činnosť"));
    // The column shows the word's description, longer than the word itself.
    int widest = word->DisplayWidth();
    for (const auto &[w, description] : ModuleWords())
        widest = std::max(widest, int(description.size()));
    word->SetDisplayWidth(widest);
    word->OnGetText = [this](TField *f, QString &text, bool) {
        const QVariant description =
            QActions.Active() ? QActions.Lookup(Word, f->AsString(), QStringLiteral("RDB_DESCRIPTION")) : QVariant();
        text = description.isNull() ? f->AsString() : description.toString();
    };
    // A description of QACTIONS (as the pick list offers) or a module word.
    word->OnSetText = [this](TField *f, const QString &text) {
        const QString typed = text.trimmed();
        QVariant w = QActions.Lookup(QStringLiteral("RDB_DESCRIPTION"), typed, Word);
        if (w.isNull())
            w = QActions.Lookup(Word, typed, Word);
        if (w.isNull())
            throw EDatabaseError(QString::fromUtf8("Neznáma činnosť \"%1\"").arg(typed));
        f->SetValue(w.toString());
    };
}

void TDMUsers::privilegeNewRecord(TDataSet *ds)
{
    ds->FieldByName(User)->SetValue(CurrentUser());
}

void TDMUsers::privilegeBeforePost(TDataSet *ds)
{
    const TField *level = ds->FieldByName(Level);
    if (!level->IsNull() && (level->AsInteger() < plNone || level->AsInteger() > plAll))
        throw EDatabaseError(QString::fromUtf8("Neprípustná úroveň oprávnenia"));
    if (isSysdba(ds->FieldByName(User)->AsString().trimmed()) && level->AsInteger() < plRead) {
        ShowError(QString::fromUtf8("Táto úroveň oprávnenia je neprípustná pre užívateľa SYSDBA"));
        Abort();
    }
}

void TDMUsers::privilegeAfterPost(TDataSet *ds)
{
    const int level = ds->FieldByName(Level)->AsInteger();
    GrantModule(ds->FieldByName(User)->AsString().trimmed(), ds->FieldByName(Word)->AsString().trimmed(), level);
    // "Nič" is kept as the absence of a row.
    if (level < plRead)
        ds->Delete();
}

void TDMUsers::GrantModule(const QString &user, const QString &word, int level)
{
    if (isSysdba(user))
        return;
    TPrivilegeRows rows;
    TxQuery q;
    q.SetDatabase(&DMZal->DBZAL);
    q.SelectValue(AdminSql::UserLevels, {user});
    for (q.First(); !q.Eof(); q.Next())
        rows.append({q.Fields(0)->AsString().trimmed(), q.Fields(1)->AsInteger()});
    q.Close();
    for (const QString &sql : GrantStatements(user, word, level, rows))
        ExecSqlNoParams(sql);
}

QString TDMUsers::NewPasswordProblem(const QString &name, const QString &password)
{
    if (password.isEmpty())
        return QString::fromUtf8("Heslo nesmie byť prázdne.");
    // Anyone may list the user names: a name as password opens the account to every colleague.
    if (password.trimmed().compare(name.trimmed(), Qt::CaseInsensitive) == 0)
        return QString::fromUtf8("Heslo sa nesmie zhodovať s menom užívateľa.");
    // The server's user administration takes a password's letters in plain ASCII only.
    for (const QChar c : password)
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return QString::fromUtf8("Heslo nesmie obsahovať písmená s diakritikou.");
    if (password.size() < MinPasswordLength)
        return QString::fromUtf8("Heslo musí mať aspoň %1 znakov.").arg(MinPasswordLength);
    return QString();
}

bool TDMUsers::NewUser(const QString &typed, const QString &password)
{
    if (typed.trimmed().isEmpty())
        return false;
    if (!IsValidUserName(typed)) {
        ShowError(InvalidUserNameText);
        return false;
    }
    const QString problem = NewPasswordProblem(typed, password);
    if (!problem.isEmpty()) {
        ShowError(problem);
        return false;
    }
    const QString name = typed.toUpper();
    const QString taken = TakenNameProblem(typed);
    if (!taken.isEmpty()) {
        ShowError(taken);
        return false;
    }
    try {
        if (!DMZal->DBZAL.AddUser(name, password))
            return false;
    } catch (const EIBError &e) {
        // The server's users are kept under a unique name: one made there outside this list.
        if (e.ConstraintName.isEmpty())
            throw;
        ShowError(QString::fromUtf8("Užívateľ %1 už na serveri existuje, zvoľte iné meno.").arg(name));
        return false;
    }
    QUsers.AppendRecord({name});
    return true;
}

QString TDMUsers::TakenNameProblem(const QString &typed)
{
    const QString name = typed.trimmed().toUpper();
    if (SelectValueParams(AdminSql::UserListed, {name}).toInt() == 0)
        return QString();
    return QString::fromUtf8("Užívateľ %1 už existuje, zvoľte iné meno.").arg(name);
}

void TDMUsers::DeleteCurrentUser()
{
    const QString user = CurrentUser();
    if (user.isEmpty())
        return;
    if (isSysdba(user)) {
        ShowError(QString::fromUtf8("Užívateľa SYSDBA nie je možné zmazať"));
        return;
    }
    if (!Confirm(QString::fromUtf8("Zmazať užívateľa ") + user + QStringLiteral(" !?"),
                 QString::fromUtf8("Zmazanie užívateľa")))
        return;
    // The server's user goes first: a refused call leaves the user whole, his rows and his rights. A name the
    // server does not know (never made there, or removed by an earlier delete whose rows stayed) is gone there.
    // A local database file has no server keeping its users.
    if (IsServerDatabaseName(DMZal->DBZAL.DatabaseName)) {
        try {
            DMZal->DBZAL.DeleteUser(user);
        } catch (const EIBError &e) {
            if (!e.UnknownUser)
                throw;
        }
    }
    // Each row set to "Nič" revokes what it gave and removes itself.
    QPrivileges.First();
    while (!QPrivileges.IsEmpty()) {
        const int before = QPrivileges.RecordCount();
        QPrivileges.Edit();
        QPrivileges.FieldByName(Level)->SetValue(int(plNone));
        QPrivileges.Post();
        QPrivileges.First();
        if (QPrivileges.RecordCount() >= before)
            throw EDatabaseError(QString::fromUtf8("Oprávnenie užívateľa ") + user +
                                 QString::fromUtf8(" sa nepodarilo zrušiť"));
    }
    QUsers.Delete();
}

QString TDMUsers::CurrentUserObjects()
{
    QString text;
    for (const QString &name : SelectColumnParams(AdminSql::UserObjects, {CurrentUser()}))
        text += name.trimmed() + QStringLiteral(", ");
    return text;
}
