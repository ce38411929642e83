#include "PostDialog.h"

#include "library/Buttons.h"
#include "library/xDBEdit.h"
#include "platform/ui/Form.h"
#include "platform/ui/Guarded.h"

#include <QBoxLayout>

bool SaveAndClose(TForm *form, const std::function<void()> &save)
{
    if (QWidget *w = form->focusWidget())
        w->clearFocus();
    if (!Guarded(save))
        return false;
    form->SetModalResult(mrOk);
    return true;
}

void AddSaveButtons(TForm *form, QBoxLayout *layout, TBitBtn *&ok, TBitBtn *&cancel, std::function<void()> save)
{
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    ok = new TBtnZapis(form);
    ok->SetModalResult(mrNone);
    cancel = new TBtnNezapis(form);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    QObject::connect(ok, &QPushButton::clicked, form, [form, save] { SaveAndClose(form, save); });
}

TxDBEdit *NewDataEdit(QWidget *parent, TDataSource *source, const char *field, const char *caption)
{
    auto *e = new TxDBEdit(parent);
    e->setObjectName(QStringLiteral("DBe") + QString::fromLatin1(field));
    e->SetCaption(QString::fromUtf8(caption));
    e->SetDataSource(source);
    e->SetDataField(QString::fromLatin1(field));
    return e;
}
