// TxCaptionedControl: what the captioned data-aware controls share: a caption label of a given width that
// widens to fit its text, a caption taken from the field when none was given, and size hints made of the
// caption and the control beside or below it, so a layout gives both their room.
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
    // The caption's text width.
    int TextWidth() const;
    // Places the children for the control's size.
    virtual void Layout() = 0;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    // margin: what a label that had to widen gets beyond its text.
    TxCaptionedControl(QWidget *parent, int margin);
    // Without a caption given yet, the caption becomes the field's display name (the bound field's, else
    // that of the data set's field of the name, else the name itself).
    void CaptionFromField(TDBControl &control, const QString &fieldName);
    // Whether a caption wider than the label widens it now.
    virtual bool LabelWidens() const { return true; }
    // The control that shows the value, and what stands right of it (a button's width).
    virtual QWidget *ValueControl() const = 0;
    virtual int TrailingWidth() const { return 0; }
    // Whether the caption stands above the value instead of left of it.
    virtual bool CaptionOnTop() const { return false; }
    // The value control's hint, for a value that is given a width of its own.
    virtual QSize ValueHint(bool minimum) const;
    // The height of a caption above the value.
    int TopCaptionHeight() const;
    void resizeEvent(QResizeEvent *e) override;

    QLabel *label_;
    int labelWidth_ = 80;

private:
    void fitLabel();
    QSize hint(bool minimum) const;
    int margin_;
    bool captionGiven_ = false;
};
