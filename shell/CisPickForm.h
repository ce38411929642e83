// TCisPickForm: the base of the pick lists — a grid of one data set that a double click or "&Vyber"
// closes with OK, "&Koniec" to cancel, and a filter group whose "&Filter" button the lists fill in.
#pragma once

#include "library/SqlLiteral.h"
#include "platform/ui/FormGlobal.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QList>

class QBoxLayout;
class QFormLayout;
class QPushButton;
class TBitBtn;
class TDataSource;
class TxDBGrid;

class TCisPickForm : public TForm {
    Q_OBJECT
public:
    TCisPickForm(const QString &caption, TDataSource *source, QWidget *owner = nullptr);
    ~TCisPickForm() override;

    TxDBGrid *Grid;
    QGroupBox *FilterBox;
    QPushButton *BtnFilter;
    TBitBtn *BtnVyber;
    TBitBtn *BtnKoniec;

    // Applies what the filter edits hold; errors are shown.
    void RunFilter();

protected:
    // Adds an edit to the filter group; leaving one marked `filterOnExit` runs the filter.
    template <class Edit = QLineEdit> Edit *AddFilterEdit(const QString &caption, bool filterOnExit = false)
    {
        auto *edit = new Edit(FilterBox);
        addFilterRow(caption, edit, filterOnExit);
        return edit;
    }
    // The list's own filter from the edits.
    virtual void ApplyFilter() = 0;
    void ClearFilterEdits();
    QBoxLayout *TopLayout;
    QBoxLayout *ButtonLayout;

    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void addFilterRow(const QString &caption, QLineEdit *edit, bool filterOnExit);
    QFormLayout *filterLayout_;
    QList<QLineEdit *> edits_;
    QList<QLineEdit *> exitEdits_;
    bool filtering_ = false;
};

class TField;

// Writes a picked value into a field, putting its data set into edit when the value changes.
void SetPickedValue(TField *field, const QVariant &value);
