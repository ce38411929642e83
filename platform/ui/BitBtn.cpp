#include "BitBtn.h"

#include "Form.h"
#include "Glyphs.h"

#include <QIcon>

TButton::TButton(QWidget *parent) : QPushButton(parent)
{
    // Qt would make a focused button the dialog's default; here only a button marked Default is.
    setAutoDefault(false);
    resize(75, 25);
    connect(this, &QAbstractButton::clicked, this, &TButton::handOverResult);
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

void TButton::handOverResult()
{
    // Connected first, so the form has the result before the caller's click handlers run; they may
    // still take it back, since the form closes only after the click has been handled.
    if (modalResult_ == mrNone)
        return;
    if (auto *form = qobject_cast<TForm *>(window()))
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
