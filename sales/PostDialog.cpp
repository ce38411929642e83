#include "PostDialog.h"

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

void AddSaveButtons(TForm *form, QBoxLayout *layout, TBitBtn *&ok, TBitBtn *&cancel, TUnsavedData unsaved)
{
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    ok = new TBtnZapis(form);
    ok->SetModalResult(mrNone);
    cancel = new TBtnNezapis(form);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    QObject::connect(ok, &QPushButton::clicked, form, [form, save = unsaved.Save] { SaveAndClose(form, save); });
    unsaved.Discard.push_back(cancel);
    form->SetUnsavedData(std::move(unsaved));
}
