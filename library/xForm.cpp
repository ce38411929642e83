#include "xForm.h"

#include "xEdit.h"
#include "platform/os/Format.h"
#include "platform/ui/RadioGroup.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <cmath>

TxForm::TxForm(QWidget *owner, int widthInColumns, int heightInRows, const QString &caption) : TForm(owner)
{
    Position = poScreenCenter;
    setWindowTitle(caption);
    resize(ColToPixels(widthInColumns), RowToPixels(heightInRows) + 16);
    KeyPreview = true;
}

void TxForm::KeyDown(int &key, Qt::KeyboardModifiers modifiers)
{
    QWidget *active = QApplication::focusWidget();
    if (!qobject_cast<QAbstractItemView *>(active) && !(modifiers & (Qt::ControlModifier | Qt::AltModifier)))
        MoveFocusByKey(active ? active : this, key);
    if (key != 0)
        TForm::KeyDown(key, modifiers);
}

TRadioGroup *TxForm::AddRadioGroup(TxForm *form, int row, int column, bool closeOnClick, int widthInColumns,
                                   const QString &items, const QString &name)
{
    auto *group = new TRadioGroup(form);
    group->setObjectName(name);
    group->setTitle(QString());
    group->SetItems(SplitCommaText(items));
    group->SetItemIndex(-1);
    const int width = widthInColumns ? ColToPixels(widthInColumns) : form->width();
    group->setGeometry(ColToPixels(column), RowToPixels(row), width, int(group->Items().size()) * 24 + 8);
    if (closeOnClick)
        group->OnClick = [form] { form->SetModalResult(mrOk); };
    return group;
}

QWidget *TxForm::FindControl(QWidget *form, const QString &name)
{
    const QString wanted = name.trimmed();
    for (QWidget *w : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (w->objectName() == wanted)
            return w;
    return nullptr;
}

double TxForm::GetValue(QWidget *form, const QString &name)
{
    QWidget *w = FindControl(form, name);
    if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        double value = 0;
        const QString text = edit->text().trimmed();
        return !text.isEmpty() && TryStrToFloat(text, value) ? value : 0;
    }
    if (auto *combo = qobject_cast<QComboBox *>(w))
        return combo->currentIndex() + 1;
    if (auto *group = qobject_cast<TRadioGroup *>(w))
        return group->ItemIndex() + 1;
    if (auto *check = qobject_cast<QCheckBox *>(w))
        return check->isChecked() ? 1 : 0;
    return 0;
}

int TxForm::GetIntValue(QWidget *form, const QString &name)
{
    const double v = std::trunc(GetValue(form, name));
    // Out of range numbers would be undefined as int; clamp them.
    return v >= 2147483647.0 ? 2147483647 : v <= -2147483648.0 ? -2147483647 - 1 : int(v);
}

int ChooseOption(const QString &items, const QString &caption)
{
    const int rows = int(items.count(QLatin1Char(','))) + 1;
    TxForm form(ApplicationMainForm(), 25, rows, caption);
    TxForm::AddRadioGroup(&form, 0, 0, true, 0, items, QStringLiteral("rbTlac"));
    if (form.ShowModal() != mrOk)
        return -1;
    return TxForm::GetIntValue(&form, QStringLiteral("rbTlac"));
}
