// TButton and TBitBtn: push buttons that carry a modal result, the Default and Cancel marks the form's
// Enter and Escape keys look for, and (bit-buttons) a 16 x 16 glyph and a standard kind.
#pragma once

#include <QPushButton>

// Standard kinds of a bit-button: each sets caption, glyph, modal result and the Default/Cancel marks.
enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

class TButton : public QPushButton {
    Q_OBJECT
public:
    explicit TButton(QWidget *parent = nullptr);
    TButton(const QString &caption, QWidget *parent = nullptr);

    // A click hands this result to the button's form (mrNone: none).
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    // Enter anywhere in the form presses the Default button; Escape presses the Cancel button.
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }

private:
    void handOverResult();
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
