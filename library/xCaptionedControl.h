// TxCaptionedControl: what the captioned data-aware controls share: a caption label of a given width that
// widens to fit its text, and a caption taken from the field when none was given.
#pragma once

#include <QLabel>
#include <QWidget>

class TDBControl;

class TxCaptionedControl : public QWidget {
    Q_OBJECT
public:
    QString Caption() const { return label_->text(); }
    void SetCaption(const QString &caption);
    QFont LabelFont() const { return label_->font(); }
    void SetLabelFont(const QFont &font);
    int LabelWidth() const { return labelWidth_; }
    void SetLabelWidth(int width);
    QLabel *Label() const { return label_; }
    // Places the children for the control's size.
    virtual void Layout() = 0;

protected:
    // margin: what a label that had to widen gets beyond its text.
    TxCaptionedControl(QWidget *parent, int margin);
    // Without a caption given yet, the caption becomes the field's display name (the bound field's, else
    // that of the data set's field of the name, else the name itself).
    void CaptionFromField(TDBControl &control, const QString &fieldName);
    // Whether a caption wider than the label widens it now.
    virtual bool LabelWidens() const { return true; }
    int TextWidth() const;
    void resizeEvent(QResizeEvent *e) override;

    QLabel *label_;
    int labelWidth_ = 80;

private:
    void fitLabel();
    int margin_;
    bool captionGiven_ = false;
};
