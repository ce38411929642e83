// TQInitForm (global QInitForm): the small borderless splash window painted while the program creates its
// data modules and forms, before the message loop runs.
#pragma once

#include "platform/ui/Form.h"

class QFrame;
class QLabel;

class TQInitForm : public TForm {
    Q_OBJECT
public:
    explicit TQInitForm(QWidget *owner = nullptr);
    ~TQInitForm() override;

    QFrame *Bevel1;
    QLabel *imageEIS;
    QLabel *labelEIS;
    QLabel *labelInit;
    QLabel *labelWWW;
    QLabel *labelCompany;

    // Puts the program's name, slogan and logo on the splash; an Exception when the logo cannot be read.
    void Dress(const QString &logoResource);
};

// The splash while it exists, else null.
extern TQInitForm *QInitForm;
