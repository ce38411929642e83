// TQUsersForm (global QUsersForm): the users of the system and their module privileges, edited in two
// grids; every privilege change goes to the server as grants (TDMUsers).
#pragma once

#include "platform/ui/Form.h"

class QLabel;
class TBitBtn;
class TxDBGrid;

class TQUsersForm : public TForm {
    Q_OBJECT
public:
    explicit TQUsersForm(QWidget *owner = nullptr);

    TxDBGrid *DBGridUsers;
    QLabel *lUser;
    TxDBGrid *DBGridPrivileges;
    TBitBtn *BtnNovy;
    TBitBtn *btnZmaz;
    TBitBtn *btnInfo;
    TBitBtn *btnKoniec;

private:
    void showCurrentUser();
};

extern TQUsersForm *QUsersForm;

// Makes the users' data module and the form on first use and shows it modally.
void ShowUsers();
