// Data-aware controls: Qt widgets bound to one field of a data source. They show the field's text, follow
// scrolls and state changes, start an edit when the user types and write back only what the user changed.
#pragma once

#include "DateEdit.h"
#include "MaskEdit.h"
#include "platform/db/DataSource.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

// The field link of one control: the control says how to show the field and how to write its value.
class TControlDataLink : public TFieldDataLink {
public:
    // Writes the control's value when the user changed it; the field keeps its value otherwise.
    void UpdateRecord() { UpdateData(); }
};

// What every data-aware control has: a data source, a field name and a read-only switch.
class TDBControl {
public:
    virtual ~TDBControl() = default;
    TDataSource *DataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource *source) { link_.SetDataSource(source); }
    QString DataField() const { return link_.FieldName(); }
    void SetDataField(const QString &name) { link_.SetFieldName(name); }
    TField *Field() const { return link_.Field(); }
    bool ReadOnly() const { return link_.ReadOnly; }
    void SetReadOnly(bool on);
    TControlDataLink &DataLink() { return link_; }
    // Writes a change the control holds into its field, as the focus moving to a clicked button does: a
    // refused value stays on screen, pending, for the command's own check to report.
    void WritePending();

protected:
    explicit TDBControl(QWidget *self);
    // Shows the field's value (or nothing without a field).
    virtual void ShowField() = 0;
    // Writes the control's value into the field.
    virtual void WriteField() = 0;
    virtual void UpdateReadOnly() {}
    // The user changed the value: puts the data set into edit (keeping the new value on screen) and marks
    // the change. When the field cannot be changed now it beeps, shows the field again and returns false.
    bool UserChanged();
    // Throws the user's change away and shows the field again.
    void Revert();
    // Escape over a change of the field's text in an edit: the change is thrown away, the text selected and
    // the key consumed (true). Without a change the key goes on (a form's Cancel).
    bool RevertOnEscape(QKeyEvent *e, QLineEdit *edit);
    // Leaving the control writes a pending change. A refused value is reported, its text stays and the focus
    // comes back to it for the correction (see WriteRefused). Nothing is said when the focus went to a
    // clicked button (its save or cancel decides), nor again when the report of the refusal itself, another
    // window, takes the focus.
    void CommitOnExit(const QFocusEvent *e);
    bool Editable() const;

    TControlDataLink link_;
    bool showing_ = false; // the control is being filled from the field, not by the user

private:
    // Writes the control's value; a refusal (on leaving or on a save) gives the focus back to the control
    // once its message is done, so the correction is typed over the selected text.
    void WriteRefused();

    QWidget *self_;
    bool holding_ = false;    // an edit is starting: the screen keeps the user's value
    bool refused_ = false;    // the value on screen was refused and the user has not changed it since
    bool quietWrite_ = false; // written on the way to a clicked button, which reports a refusal itself
    bool leaving_ = false;    // written as the focus leaves the control
};

// An edit of a field's text: DisplayText while browsing, Text (in the field's edit mask) while being
// edited with the focus in it.
class TDBEdit : public TMaskEdit, public TDBControl {
    Q_OBJECT
public:
    explicit TDBEdit(QWidget *parent = nullptr);
    // The most characters typed; 0 takes a text field's size. A longer value is still shown whole.
    int MaxLength = 0;

protected:
    void ShowField() override;
    void WriteField() override;
    void UpdateReadOnly() override;
    void keyPressEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
};

// A label showing a field's DisplayText.
class TDBText : public QLabel, public TDBControl {
    Q_OBJECT
public:
    explicit TDBText(QWidget *parent = nullptr);

protected:
    void ShowField() override;
    void WriteField() override {}
};

// A combo box over a field's text: a typed value (editable style) or one of Items (list style).
class TDBComboBox : public QComboBox, public TDBControl {
    Q_OBJECT
public:
    enum TComboStyle { csDropDown, csDropDownList };
    explicit TDBComboBox(QWidget *parent = nullptr);
    void SetStyle(TComboStyle style);
    TComboStyle Style() const { return style_; }
    void SetItems(const QStringList &items);

protected:
    void ShowField() override;
    void WriteField() override;
    void UpdateReadOnly() override;
    void keyPressEvent(QKeyEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    TComboStyle style_ = csDropDown;
};

// A check box over a field: a Boolean field directly, any other field by the texts of ValueChecked and
// ValueUnchecked (each may list several texts separated by ';', the first is written).
class TDBCheckBox : public QCheckBox, public TDBControl {
    Q_OBJECT
public:
    explicit TDBCheckBox(QWidget *parent = nullptr);
    QString ValueChecked = QStringLiteral("True");
    QString ValueUnchecked = QStringLiteral("False");

protected:
    void ShowField() override;
    void WriteField() override;
    void UpdateReadOnly() override;
    void focusOutEvent(QFocusEvent *e) override;
};

// A memo over a text field; line ends are stored as CR LF. Enter makes a new line; Tab (and Ctrl+Tab) moves
// the focus on and Shift+Tab back, as in every other control, so no tab character is typed. Typing and
// pasting stop at the most characters the field takes: a key past it beeps, a paste keeps what fits.
class TDBMemo : public QPlainTextEdit, public TDBControl {
    Q_OBJECT
public:
    explicit TDBMemo(QWidget *parent = nullptr);
    // The most characters stored, a line end counting two (CR LF); 0: the field's own size.
    int MaxLength = 0;

protected:
    void ShowField() override;
    void WriteField() override;
    void UpdateReadOnly() override;
    void keyPressEvent(QKeyEvent *e) override;
    bool event(QEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    // The characters still free when the selection is replaced; -1 without a limit.
    int room() const;
};

// A date edit over a date field: the field's DisplayText while browsing, the date in the date mask while
// being edited with the focus in it; a null date shows blank. Leaving it with a date that does not exist
// says so and keeps the text and the focus; nothing is written.
class TDBDateEdit : public TDateEdit, public TDBControl {
    Q_OBJECT
public:
    explicit TDBDateEdit(QWidget *parent = nullptr);

protected:
    void ShowField() override;
    void WriteField() override;
    void UpdateReadOnly() override;
    void DateChosen(const QDate &date) override;
    void ShowForEditing() override;
    void keyPressEvent(QKeyEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    // The date shown while the field is null (none here).
    virtual QDate NullDate() const { return QDate(); }
};

// The most characters typing may give a text field (its size), never less than the text it holds already;
// 32767 (no limit) for other fields.
int TypingLength(const TField *field, const QString &text, int limit = 0);

// What the focused control of the window holds goes into its field before a save: a value the field refuses
// throws (for the save's handler to report, once) and the focus comes back to it; then the focus leaves it,
// so a control that is not data-aware (a grid's cell editor) hands over its text too.
void CommitFocusedControl(QWidget *window);

// A data-aware control of type T on a data source's field, named objectPrefix + the field's name.
template <class T> T *MakeBound(QWidget *parent, TDataSource *source, const QString &objectPrefix, const QString &field)
{
    auto *c = new T(parent);
    c->setObjectName(objectPrefix + field);
    c->SetDataSource(source);
    c->SetDataField(field);
    return c;
}
