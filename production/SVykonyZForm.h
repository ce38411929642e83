// TSVykonyZForm (global SVykonyZForm), "Nezhodné výrobky": a performance's defective pieces split into
// twenty causes; ShowDefectBreakdown insists that they add up to the defects.
#pragma once

#include "platform/ui/FormGlobal.h"
#include "platform/ui/Form.h"

#include <array>

class QLineEdit;
class TBitBtn;
class TDataSet;

class TSVykonyZForm : public TForm {
    Q_OBJECT
public:
    explicit TSVykonyZForm(QWidget *owner = nullptr);
    // Z01 .. Z20, named like the fields.
    std::array<QLineEdit *, 20> Edits{};
    TBitBtn *TBtnZapis;
    TBitBtn *TBtnNezapis;
};

extern TFormGlobal<TSVykonyZForm> SVykonyZForm;

// Not forced: only when the causes do not add up to ZMATKY. The dialog returns until they do.
void ShowDefectBreakdown(TDataSet *row, bool forced);
