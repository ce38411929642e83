#include "BitBtn.h"

#include "Form.h"
#include "Glyphs.h"
#include "Guarded.h"

#include <QIcon>
#include <QMetaMethod>

TButton::TButton(QWidget *parent) : QPushButton(parent)
{
    // Qt would make a focused button the dialog's default; here only a button marked Default is.
    setAutoDefault(false);
    resize(75, 25);
    movingHandOver_ = true;
    connect(this, &QAbstractButton::clicked, this, &TButton::beginClick);
    handOver_ = connect(this, &QAbstractButton::clicked, this, &TButton::handOverResult);
    movingHandOver_ = false;
}

TButton::TButton(const QString &caption, QWidget *parent) : TButton(parent)
{
    setText(caption);
}

void TButton::SetDefault(bool value)
{
    default_ = value;
    setDefault(value);
}

// Handlers run in the order they were connected: the hand-over moves behind each one connected later, so
// a save runs before the form closes and a refused save keeps it open with everything typed.
void TButton::connectNotify(const QMetaMethod &signal)
{
    QPushButton::connectNotify(signal);
    if (movingHandOver_ || signal.name() != "clicked")
        return;
    // A connection made during a click is not called in it; the hand-over of this click stays where it is.
    if (clicking_)
        moveAfterClick_ = true;
    else
        handOverLast();
}

void TButton::handOverLast()
{
    movingHandOver_ = true;
    disconnect(handOver_);
    handOver_ = connect(this, &QAbstractButton::clicked, this, &TButton::handOverResult);
    movingHandOver_ = false;
}

void TButton::beginClick()
{
    // A handler whose error left the click unfinished left clicking_ set; this click starts afresh.
    clicking_ = true;
    refusalsBefore_ = GuardedRefusals();
    const auto *form = qobject_cast<TForm *>(window());
    resultsBefore_ = form ? form->ModalResultsSet() : 0;
}

void TButton::handOverResult()
{
    if (!clicking_)
        return;
    clicking_ = false;
    if (moveAfterClick_) {
        moveAfterClick_ = false;
        handOverLast();
    }
    auto *form = qobject_cast<TForm *>(window());
    if (modalResult_ == mrNone || !form)
        return;
    if (GuardedRefusals() != refusalsBefore_ || form->ModalResultsSet() != resultsBefore_)
        return;
    form->SetModalResult(modalResult_);
}

TBitBtn::TBitBtn(QWidget *parent) : TButton(parent)
{
    setIconSize(QSize(16, 16));
}

TBitBtn::TBitBtn(TBitBtnKind kind, QWidget *parent) : TBitBtn(parent)
{
    SetKind(kind);
}

QString TBitBtn::KindCaption(TBitBtnKind kind)
{
    switch (kind) {
    case bkOK:
        return QStringLiteral("OK");
    case bkCancel:
        return QStringLiteral("Zrušiť");
    case bkHelp:
        return QStringLiteral("&Pomocník");
    case bkYes:
        return QStringLiteral("&Áno");
    case bkNo:
        return QStringLiteral("&Nie");
    case bkClose:
        return QStringLiteral("&Zavrieť");
    case bkAbort:
        return QStringLiteral("Prerušiť");
    case bkRetry:
        return QStringLiteral("&Opakovať");
    case bkIgnore:
        return QStringLiteral("&Ignorovať");
    case bkAll:
        return QStringLiteral("&Všetko");
    case bkCustom:
        break;
    }
    return QString();
}

void TBitBtn::SetKind(TBitBtnKind kind)
{
    kind_ = kind;
    static const int results[] = {mrNone, mrOk,    mrCancel, mrNone,   mrYes, mrNo,
                                  mrNone, mrAbort, mrRetry,  mrIgnore, mrAll};
    static const char *glyphs[] = {"",        "BKOK",    "BKCANCEL", "BKHELP",   "BKYES", "BKNO",
                                   "BKCLOSE", "BKABORT", "BKRETRY",  "BKIGNORE", "BKALL"};
    if (kind == bkCustom)
        return;
    setText(KindCaption(kind));
    SetGlyph(QString::fromLatin1(glyphs[kind]));
    SetModalResult(results[kind]);
    SetDefault(kind == bkOK || kind == bkYes);
    SetCancel(kind == bkCancel || kind == bkNo);
}

void TBitBtn::SetGlyph(const QString &glyphName)
{
    SetGlyph(glyphName.isEmpty() ? QPixmap() : Glyph(glyphName));
}

void TBitBtn::SetGlyph(const QPixmap &glyph)
{
    setIcon(glyph.isNull() ? QIcon() : QIcon(glyph));
}
