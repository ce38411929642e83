#include "FormKit.h"

#include "library/Buttons.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/Form.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>

bool SaveAndClose(TForm *form, const std::function<void()> &save)
{
    if (!Guarded([form, &save] {
            CommitFocusedControl(form);
            save();
        }))
        return false;
    form->SetModalResult(mrOk);
    return true;
}

TSaveRow AddSaveRow(TForm *form, QBoxLayout *layout, std::function<void()> save, TSaveCaptions captions)
{
    TSaveRow row;
    if (captions == TSaveCaptions::Zapis) {
        row.Ok = new TBtnZapis(form);
        row.Cancel = new TBtnNezapis(form);
    } else {
        row.Ok = new TBitBtn(bkOK, form);
        row.Cancel = new TBitBtn(bkCancel, form);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(row.Ok);
    buttons->addWidget(row.Cancel);
    layout->addLayout(buttons);
    if (save) {
        row.Ok->SetModalResult(mrNone);
        QObject::connect(row.Ok, &QPushButton::clicked, form,
                         [form, save = std::move(save)] { SaveAndClose(form, save); });
    }
    return row;
}

void AddSaveButtons(TForm *form, QBoxLayout *layout, TBitBtn *&ok, TBitBtn *&cancel, TUnsavedData unsaved)
{
    const TSaveRow row = AddSaveRow(form, layout, unsaved.Save);
    ok = row.Ok;
    cancel = row.Cancel;
    unsaved.Discard.push_back(cancel);
    form->SetUnsavedData(std::move(unsaved));
}
