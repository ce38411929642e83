#include "QUsersForm.h"

#include "DMUsers.h"
#include "DMZal.h"
#include "Grants.h"
#include "library/Buttons.h"
#include "library/xDBGrid.h"
#include "platform/db/DataSource.h"
#include "platform/ui/DataSetModel.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

TQUsersForm *QUsersForm = nullptr;

namespace {
// The bound of asking again for a refused new user's name or password.
constexpr int MaxNameQuestions = 100;

// The first password of a new user, typed hidden and then once more to be sure of it; a refused password
// or two that differ are asked for again. False when cancelled.
bool askFirstPassword(const QString &name, QString &password)
{
    const QString caption = QString::fromUtf8("Nový užívateľ");
    for (int asked = 0; asked < MaxNameQuestions; ++asked) {
        password.clear();
        if (!PasswordQuery(caption, QString::fromUtf8("Heslo užívateľa %1:").arg(name.toUpper()), password))
            return false;
        const QString problem = TDMUsers::NewPasswordProblem(name, password);
        if (!problem.isEmpty()) {
            ShowError(problem);
            continue;
        }
        QString again;
        if (!PasswordQuery(caption, QString::fromUtf8("Heslo ešte raz:"), again))
            return false;
        if (again == password)
            return true;
        ShowError(QString::fromUtf8("Heslá sa nezhodujú, zadajte heslo znova."));
    }
    return false;
}
} // namespace

TQUsersForm::TQUsersForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, QUsersForm);
    setWindowTitle(QString::fromUtf8("Užívatelia a oprávnenia"));
    auto *main = new QVBoxLayout(this);
    auto *grids = new QHBoxLayout;
    DBGridUsers = new TxDBGrid(this);
    DBGridUsers->setObjectName(QStringLiteral("DBGridUsers"));
    DBGridUsers->SetDataSource(&DMUsers->DSQUsers);
    DBGridUsers->AddColumn(QStringLiteral("RDB_USER"), QString::fromUtf8("Meno užívateľa"));
    TColumn *department = DBGridUsers->AddColumn(QStringLiteral("RDB_UTVAR"), QString::fromUtf8("Útvar"));
    department->PickList = QStringList{QString(), "1", "2", "3", "4", "5", "6", "7"};
    grids->addWidget(DBGridUsers, 1);
    // Both grids are edited in their cells.
    DBGridUsers->SetOptions(DBGridUsers->Options() & ~dgRowSelect);
    auto *right = new QVBoxLayout;
    lUser = new QLabel(this);
    lUser->setTextFormat(Qt::PlainText); // a user name taken in from the server's grants
    right->addWidget(lUser);
    DBGridPrivileges = new TxDBGrid(this);
    DBGridPrivileges->setObjectName(QStringLiteral("DBGridPrivileges"));
    DBGridPrivileges->SetDataSource(&DMUsers->DSQPrivileges);
    TColumn *action = DBGridPrivileges->AddColumn(QStringLiteral("RDB_PRIVILEGE"), QString::fromUtf8("Činnosť"));
    TColumn *level = DBGridPrivileges->AddColumn(QStringLiteral("RDB_LEVEL"), QString::fromUtf8("Oprávnenie"));
    level->PickList = QStringList{QString::fromUtf8("Nič"), QString::fromUtf8("Čítať"), QString::fromUtf8("Všetko")};
    DBGridPrivileges->SetOptions(DBGridPrivileges->Options() & ~dgRowSelect);
    right->addWidget(DBGridPrivileges, 1);
    grids->addLayout(right, 1);
    main->addLayout(grids, 1);

    auto *buttons = new QHBoxLayout;
    BtnNovy = new TBtnNovy(this);
    btnZmaz = new TBtnZmaz(this);
    btnInfo = new TBitBtn(this);
    btnInfo->setText(QStringLiteral("Info"));
    btnKoniec = new TBtnKoniec(this);
    for (TBitBtn *b : {BtnNovy, btnZmaz, btnInfo})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(btnKoniec);
    main->addLayout(buttons);
    resize(760, 460);

    connect(BtnNovy, &QPushButton::clicked, this, [this] {
        // Said before anything is asked: the embedded engine would only fail, slowly, at the end.
        if (!DMUsers->UsersOnServer) {
            ShowMessage(TDMUsers::LocalUsersText());
            return;
        }
        // A name refused (said by its message) is asked for again as typed, for the correction; an empty name
        // or Cancel ends the asking. A valid name is followed by the first password.
        QString name;
        for (int asked = 0; asked < MaxNameQuestions; ++asked) {
            if (!InputQuery(QString::fromUtf8("Nový užívateľ"), QString::fromUtf8("Meno užívateľa:"), name) ||
                name.trimmed().isEmpty())
                return;
            if (!IsValidUserName(name)) {
                ShowError(InvalidUserNameText);
                continue;
            }
            QString taken;
            if (!Guarded([&] { taken = DMUsers->TakenNameProblem(name); }))
                return;
            if (!taken.isEmpty()) {
                ShowError(taken);
                continue;
            }
            QString password;
            if (!askFirstPassword(name, password))
                return;
            bool added = false;
            if (Guarded([&] { added = DMUsers->NewUser(name, password); }) && added) {
                showCurrentUser();
                DBGridUsers->setFocus();
                return;
            }
        }
    });
    connect(btnZmaz, &QPushButton::clicked, this, [this] {
        Guarded([] { DMUsers->DeleteCurrentUser(); });
        showCurrentUser();
    });
    connect(btnInfo, &QPushButton::clicked, this, [] { Guarded([] { ShowMessage(DMUsers->CurrentUserObjects()); }); });
    DMUsers->QUsers.AfterScroll = [this](TDataSet *) { showCurrentUser(); };
    OnShow = [this, action] {
        Guarded([this, action] {
            DMUsers->Open();
            // The descriptions of the module words, as the privileges grid shows them.
            QStringList descriptions;
            TxTable &actions = DMUsers->QActions;
            for (actions.First(); !actions.Eof(); actions.Next())
                descriptions << actions.FieldByName(QStringLiteral("RDB_DESCRIPTION"))->AsString();
            actions.First();
            action->PickList = descriptions;
            showCurrentUser();
        });
    };
    OnHide = [] { Guarded([] { DMUsers->Close(); }); };
}

void TQUsersForm::showCurrentUser()
{
    lUser->setText(QString::fromUtf8("Oprávnenia pre užívateľa ") + DMUsers->CurrentUser());
}

void ShowUsers()
{
    // The users' data sets belong to the database of the run that made them: a later start in the same process
    // (the database they knew is gone) makes them anew.
    if (DMUsers && DMUsers->QUsers.Database() != &DMZal->DBZAL)
        delete DMUsers;
    if (!DMUsers)
        new TDMUsers;
    FormOnDemand(QUsersForm).ShowModal();
}
