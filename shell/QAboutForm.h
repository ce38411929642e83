// TQAboutForm (global QAboutForm): the program's title and version with the connected database server's
// version, load and on-disk structure, the logo and the read-me file when they are there.
#pragma once

#include "platform/ui/Form.h"

class QLabel;
class QPlainTextEdit;

class TQAboutForm : public TForm {
    Q_OBJECT
public:
    explicit TQAboutForm(QWidget *owner = nullptr);

    QLabel *ImageLogo;
    QLabel *lDB;
    QLabel *lServer;
    QLabel *lODS;
    QLabel *lDBCnt;
    QLabel *lAttCnt;
    QPlainTextEdit *memoReadme;

    // Fills the facts (without a connection the server's are left empty), the logo and the read-me.
    void ShowFacts();

private:
    bool grown_ = false;
};

extern TQAboutForm *QAboutForm;

void ShowAbout();
