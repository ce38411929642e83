#include "xForm.h"

#include "xEdit.h"
#include "platform/os/Format.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/RadioGroup.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

TxForm::TxForm(QWidget *owner, int widthInColumns, int heightInRows, const QString &caption) : TForm(owner)
{
    Position = poScreenCenter;
    setWindowTitle(caption);
    // The title bar shows the caption in bold beside the window's icon and its three buttons: a dialog of a few
    // short options is made as wide as that, so that its caption reads whole.
    QFont bold = font();
    bold.setBold(true);
    const int titleWidth = QFontMetrics(bold).horizontalAdvance(caption) + 120;
    resize(std::max(ColToPixels(widthInColumns), titleWidth), RowToPixels(heightInRows) + 16);
    KeyPreview = true;
}

void TxForm::KeyDown(int &key, Qt::KeyboardModifiers modifiers)
{
    QWidget *active = QApplication::focusWidget();
    // Down and Up go from option to option of a radio group, so that every option can be reached by keys;
    // the next control of a group's option would be the group's only focusable option again.
    if ((key == Qt::Key_Down || key == Qt::Key_Up) && !(modifiers & (Qt::ControlModifier | Qt::AltModifier)) &&
        qobject_cast<QRadioButton *>(active) && qobject_cast<TRadioGroup *>(active->parentWidget())) {
        const QList<QRadioButton *> options =
            active->parentWidget()->findChildren<QRadioButton *>(Qt::FindDirectChildrenOnly);
        const qsizetype n = options.size();
        const qsizetype at = options.indexOf(static_cast<QRadioButton *>(active));
        options[(at + (key == Qt::Key_Down ? 1 : n - 1)) % n]->setFocus(Qt::TabFocusReason);
        key = 0;
        return;
    }
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

QStringList SplitOptions(const QString &items)
{
    QStringList options;
    QString current;
    bool quoted = false;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QChar c = items[i];
        if (c == QLatin1Char('"')) {
            if (quoted && i + 1 < items.size() && items[i + 1] == QLatin1Char('"'))
                current += items[++i]; // "" inside quotes is one quote
            else
                quoted = !quoted;
        } else if (c == QLatin1Char(',') && !quoted) {
            options << current.trimmed();
            current.clear();
        } else {
            current += c;
        }
    }
    options << current.trimmed();
    return options;
}

int ChooseOption(const QString &items, const QString &caption)
{
    // An option is all between two commas, blanks and all ("Potvrdenie objednávky"); the radio group reads
    // comma text, where a blank would part it, so each option goes to it quoted.
    const QStringList options = SplitOptions(items);
    QStringList quoted;
    for (QString option : options)
        quoted << QLatin1Char('"') + option.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    // Asked from a modal window, it stands above that window, not the main one.
    TxForm form(ModalOwner(), 25, int(options.size()), caption);
    TRadioGroup *group =
        TxForm::AddRadioGroup(&form, 0, 0, true, 0, quoted.join(QLatin1Char(',')), QStringLiteral("rbTlac"));
    // Twenty-five columns hold the usual options; a longer one widens the dialog so it reads whole.
    const int wanted = group->sizeHint().width();
    if (wanted > group->width()) {
        form.resize(wanted, form.height());
        group->resize(wanted, group->height());
    }
    if (form.ShowModal() != mrOk)
        return -1;
    return TxForm::GetIntValue(&form, QStringLiteral("rbTlac"));
}
