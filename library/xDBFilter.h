// The filter controls of the lists: an edit that filters while the user types (TxDBFilterEdit), a group
// of such edits with a Filter button (TxDBFilterPanel) and a list of named conditions with a value edit
// (TxDBFilterCombo). Each builds an SQL condition and hands it to the data set as its filter.
#pragma once

#include "xEdit.h"
#include "platform/db/DBTypes.h"
#include "platform/os/Strings.h"

#include <QGroupBox>
#include <functional>

class QComboBox;
class QLabel;
class TBitBtn;
class TDataSource;

// May change the condition before it is applied.
using TxBeforeFilterEvent = std::function<void(QObject *sender, QString &filterText)>;
using TxNotifyEvent = std::function<void(QObject *sender)>;

class TxDBFilterEdit : public TxEdit {
    Q_OBJECT
public:
    explicit TxDBFilterEdit(QWidget *parent = nullptr);

    TDataSource *DataSource = nullptr;
    // The condition with "?" where the typed value goes, e.g. "ICO like '?%'" or "d_vystav>=?".
    QString SQLWhere;
    // How the typed value becomes a literal.
    TFieldType SQLParamType = ftUnknown;
    // Edits with the same non-zero Tag combine their conditions; the others are cleared by typing here.
    int Tag = 0;
    TxBeforeFilterEvent BeforeFilter;
    TxNotifyEvent OnClick;

    // Builds the condition of this edit and its sibling edits and sets it as the data set's filter.
    void ApplyFilter();

protected:
    void keyReleaseEvent(QKeyEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
};

class TxDBFilterPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit TxDBFilterPanel(QWidget *parent = nullptr);

    TDataSource *DataSource = nullptr;
    TxBeforeFilterEvent BeforeFilter;
    TxNotifyEvent AfterFilter;
    TBitBtn *FilterButton;

    bool FilterVisible() const { return isVisible(); }
    // Shows the panel (in front, focusing its first edit when it was hidden) or hides it.
    void SetFilterVisible(bool value);
    // The button's click: the conditions of the child edits become the filter.
    void ApplyFilter();
    QString FilterText() const { return filterText_; }

protected:
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    QString filterText_;
    bool shownFromHidden_ = false;
};

enum TLabelPosition { lpLeft, lpTop };

class TxDBFilterCombo : public QWidget {
    Q_OBJECT
public:
    explicit TxDBFilterCombo(QWidget *parent = nullptr);

    TDataSource *DataSource = nullptr;
    TxBeforeFilterEvent BeforeFilter;
    TxNotifyEvent AfterFilter;

    QString Caption() const;
    void SetCaption(const QString &caption);
    TLabelPosition LabelPosition() const { return labelPosition_; }
    void SetLabelPosition(TLabelPosition position);
    // Lines "Caption=condition"; a condition with "?" asks for a value first.
    const TStringList &SQLItems() const { return sqlItems_; }
    void SetSQLItems(const TStringList &items);
    int ItemIndex() const;
    // Selects an item and takes its condition as a user's choice does (the value edit shown when the
    // condition asks for a value), but without filtering.
    void SetItemIndex(int index);
    void SetValueText(const QString &text);
    // The chosen condition with the value becomes the data set's filter.
    void ApplyFilter();

    QLabel *Label;
    QComboBox *List;
    TxEdit *ValueEdit;

    // Room for the caption and the list (and the value edit beside it), so a layout never squeezes them away.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void layOut();
    void listChanged();
    // The condition of the list's item; true when it asks for a value (the value edit is then shown).
    bool takeCondition();
    TStringList sqlItems_;
    TLabelPosition labelPosition_ = lpLeft;
    QString condition_;
};
