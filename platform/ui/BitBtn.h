// TButton and TBitBtn: push buttons that carry a modal result, the Default and Cancel marks the form's
// Enter and Escape keys look for, and (bit-buttons) a 16 x 16 glyph and a standard kind. The modal result
// reaches the form only after every click handler has run, and only when none of them refused.
#pragma once

#include <QPushButton>

// Standard kinds of a bit-button: each sets caption, glyph, modal result and the Default/Cancel marks.
enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

class TButton : public QPushButton {
    Q_OBJECT
public:
    explicit TButton(QWidget *parent = nullptr);
    TButton(const QString &caption, QWidget *parent = nullptr);

    // A click hands this result to the button's form (mrNone: none) once its handlers are done: not when
    // one of them refused (an error or an abort through Guarded), nor when one set the form's result itself.
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    // Enter anywhere in the form presses the Default button; Escape presses the Cancel button.
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }

protected:
    void connectNotify(const QMetaMethod &signal) override;

private:
    void beginClick();
    void handOverResult();
    // Makes the hand-over the last handler of clicked again.
    void handOverLast();
    QMetaObject::Connection handOver_;
    bool movingHandOver_ = false;
    bool clicking_ = false;
    bool moveAfterClick_ = false;
    int refusalsBefore_ = 0;
    int resultsBefore_ = 0;
    int modalResult_ = 0;
    bool default_ = false;
    bool cancel_ = false;
};

class TBitBtn : public TButton {
    Q_OBJECT
public:
    explicit TBitBtn(QWidget *parent = nullptr);
    TBitBtn(TBitBtnKind kind, QWidget *parent = nullptr);

    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind kind);
    // The glyph by its name among the program's glyphs (case-insensitive); an empty name clears it.
    void SetGlyph(const QString &glyphName);
    void SetGlyph(const QPixmap &glyph);

    // The caption a kind gives its button.
    static QString KindCaption(TBitBtnKind kind);

private:
    TBitBtnKind kind_ = bkCustom;
};
