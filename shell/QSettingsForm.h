// TQSettingsForm (global QSettingsForm): edits the settings of performances, wages and invoices read at
// start and writes them back to the settings file.
#pragma once

#include "platform/ui/Form.h"

class QCheckBox;
class QLineEdit;
class TBitBtn;
class TxPageControl;

class TQSettingsForm : public TForm {
    Q_OBJECT
public:
    explicit TQSettingsForm(QWidget *owner = nullptr);

    TxPageControl *pcSettings;
    QCheckBox *cbVYKnotifymnozstvo;
    QCheckBox *cbVYKevidovatzmatky;
    QCheckBox *cbVYKzmatkypodrobne;
    QLineEdit *ePRIPLNOC;
    QLineEdit *eVIKEND;
    QLineEdit *ePRIPLDOCH;
    QLineEdit *eCisloFa;
    QLineEdit *eDPH;
    TBitBtn *BtnZapis;
    TBitBtn *BtnNezapis;

    // The settings into the controls.
    void LoadControls();
    // Every number is converted first: a text that is no number raises EConvertError and changes
    // nothing. Then the settings take the controls' values and are written to the settings file.
    void SaveControls();
};

extern TQSettingsForm *QSettingsForm;

void ShowSettings();
