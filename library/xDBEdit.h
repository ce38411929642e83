// TxDBEdit: a data-aware edit with its caption label and an optional button (a drop-down, dots, lookup or
// calendar button), the edit of every detail dialog; Enter, Down and Up move the focus.
#pragma once

#include "xCaptionedControl.h"
#include "xDBFilter.h"
#include "platform/ui/DBControls.h"

#include <functional>

class TBitBtn;

enum TButtonStyle { bsNone, bsDown, bsDots, bsLookup, bsDate };

class TxDBEdit : public TxCaptionedControl {
    Q_OBJECT
public:
    explicit TxDBEdit(QWidget *parent = nullptr);

    TDataSource *DataSource() const { return edit_->DataSource(); }
    void SetDataSource(TDataSource *source);
    QString DataField() const { return edit_->DataField(); }
    // Without a caption given yet, the caption becomes the field's display name.
    void SetDataField(const QString &name);
    TField *Field() const { return edit_->Field(); }

    TLabelPosition LabelPosition() const { return labelPosition_; }
    void SetLabelPosition(TLabelPosition position);
    TButtonStyle ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TButtonStyle style);

    bool ReadOnly() const { return edit_->ReadOnly(); }
    void SetReadOnly(bool on) { edit_->SetReadOnly(on); }
    TEditCharCase CharCase() const { return edit_->CharCase; }
    void SetCharCase(TEditCharCase charCase) { edit_->CharCase = charCase; }
    // The most characters typing may give the field (0: the field's own size); a longer value the field
    // already holds is shown whole.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length) { maxLength_ = std::max(0, length); }
    // The mask the field is edited in, given with the control: the field takes it as the edit gets the focus
    // (empty: the field's own mask).
    QString EditMask;
    void SetEditWidth(int characters);
    bool EnterToTab = true;
    int Tag = 0;

    // Replaces the button's own action (the calendar of bsDate).
    std::function<void(TxDBEdit *)> OnButtonClick;
    // Replaces the edit's own key handling: Enter goes to it alone (nothing moves the focus); other keys
    // go on to the edit unless the handler sets the key to 0.
    std::function<void(int &key, Qt::KeyboardModifiers)> OnKeyDown;
    std::function<void(TxDBEdit *)> OnChange;

    QString GetEditText() const { return edit_->Text(); }
    // Unless read-only, starts an edit and sets the field's text.
    void SetEditText(const QString &text);
    // Presses the button as a click does.
    void ButtonClick();

    TDBEdit *Edit() const { return edit_; }
    TBitBtn *Button() const { return button_; }
    // Lays the label, the edit and the button out for the size, position and button.
    void Layout() override;

protected:
    bool LabelWidens() const override { return labelPosition_ == lpLeft; }
    QWidget *ValueControl() const override;
    int TrailingWidth() const override;
    bool CaptionOnTop() const override { return labelPosition_ == lpTop; }
    QSize ValueHint(bool minimum) const override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;

private:
    void showCalendar();
    int editPixels() const;

    TDBEdit *edit_;
    TBitBtn *button_;
    TLabelPosition labelPosition_ = lpLeft;
    TButtonStyle buttonStyle_ = bsNone;
    int editChars_ = 0;
    int maxLength_ = 0;
};
