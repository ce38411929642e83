// The standard buttons of the program's forms: the same Slovak captions, accelerators, glyphs and modal
// results for the same actions in every dialog.
#pragma once

#include "platform/ui/BitBtn.h"

class QBoxLayout;
class TForm;

// New record.
class TBtnNovy : public TBitBtn {
    Q_OBJECT
public:
    explicit TBtnNovy(QWidget *parent = nullptr);
};

// Edit the record.
class TBtnOprav : public TBitBtn {
    Q_OBJECT
public:
    explicit TBtnOprav(QWidget *parent = nullptr);
};

// Delete the record.
class TBtnZmaz : public TBitBtn {
    Q_OBJECT
public:
    explicit TBtnZmaz(QWidget *parent = nullptr);
};

// Save and close with mrOk; not the default button, so Enter never saves by itself.
class TBtnZapis : public TBitBtn {
    Q_OBJECT
public:
    explicit TBtnZapis(QWidget *parent = nullptr);
};

// Close without saving (mrCancel); answers Escape.
class TBtnNezapis : public TBitBtn {
    Q_OBJECT
public:
    explicit TBtnNezapis(QWidget *parent = nullptr);
};

// Print.
class TBtnTlac : public TBitBtn {
    Q_OBJECT
public:
    explicit TBtnTlac(QWidget *parent = nullptr);
};

// Close the window (mrCancel); answers Escape.
class TBtnKoniec : public TBitBtn {
    Q_OBJECT
public:
    explicit TBtnKoniec(QWidget *parent = nullptr);
};

// The bottom row of a window: the given button across, "Koniec" at the right closing the form; Escape
// presses it.
TBtnKoniec *AddKoniecRow(TForm *form, QBoxLayout *layout, QWidget *beside);

// Choose / filter.
class TBtnFilter : public TBitBtn {
    Q_OBJECT
public:
    explicit TBtnFilter(QWidget *parent = nullptr);
};

// All (the All kind, no modal result).
class TBtnAll : public TBitBtn {
    Q_OBJECT
public:
    explicit TBtnAll(QWidget *parent = nullptr);
};

// Refresh (the Retry kind, no modal result).
class TBtnObnov : public TBitBtn {
    Q_OBJECT
public:
    explicit TBtnObnov(QWidget *parent = nullptr);
};
