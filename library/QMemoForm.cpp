#include "library/QMemoForm.h"

#include "library/FormKit.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QVBoxLayout>

TQMemoForm::TQMemoForm(QWidget *owner) : TForm(owner)
{
    setObjectName(QStringLiteral("QMemoForm"));
    Position = poScreenCenter;
    Memo = new QPlainTextEdit(this);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Memo, 1);
    const TSaveRow save = AddSaveRow(this, layout);
    BtnZapis = save.Ok;
    BtnNezapis = save.Cancel;
    setFixedSize(560, 360);
}

TQMemoForm *QMemoForm()
{
    static QPointer<TQMemoForm> form;
    if (!form)
        form = new TQMemoForm(ApplicationMainForm());
    return form;
}

void EditMemoField(TField *field, const QString &caption)
{
    TQMemoForm *form = QMemoForm();
    form->setWindowTitle(caption);
    QString text = field->AsString();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    form->Memo->setPlainText(text);
    form->Memo->setFocus();
    if (form->ShowModal() != mrOk)
        return;
    TDataSet *ds = field->DataSet();
    const TDataSetState state = ds->State();
    if (state != dsEdit && state != dsInsert && state != dsSetKey)
        ds->Edit();
    QString stored = form->Memo->toPlainText();
    stored.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    field->SetAsString(stored);
}
