#include "Buttons.h"

#include "platform/ui/Form.h"

#include <QBoxLayout>

namespace {
void custom(TBitBtn *b, const char *caption, const char *glyph)
{
    b->setText(QString::fromUtf8(caption));
    b->SetGlyph(QString::fromLatin1(glyph));
}
} // namespace

TBtnNovy::TBtnNovy(QWidget *parent) : TBitBtn(parent)
{
    custom(this, "&Nový", "btnNovy");
}

TBtnOprav::TBtnOprav(QWidget *parent) : TBitBtn(parent)
{
    custom(this, "&Oprav", "btnOprav");
}

TBtnZmaz::TBtnZmaz(QWidget *parent) : TBitBtn(parent)
{
    custom(this, "&Zmaž", "btnZmaz");
}

TBtnZapis::TBtnZapis(QWidget *parent) : TBitBtn(bkOK, parent)
{
    setText(QStringLiteral("&Zapíš"));
    SetDefault(false);
}

TBtnNezapis::TBtnNezapis(QWidget *parent) : TBitBtn(bkCancel, parent)
{
    setText(QStringLiteral("&Nezapíš"));
}

TBtnTlac::TBtnTlac(QWidget *parent) : TBitBtn(parent)
{
    custom(this, "&Tlač", "btnTlac");
}

TBtnKoniec::TBtnKoniec(QWidget *parent) : TBitBtn(parent)
{
    custom(this, "&Koniec", "btnKoniec");
    SetModalResult(mrCancel);
    SetCancel(true);
}

TBtnFilter::TBtnFilter(QWidget *parent) : TBitBtn(parent)
{
    custom(this, "&Vyber", "btnFilter");
}

TBtnAll::TBtnAll(QWidget *parent) : TBitBtn(bkAll, parent)
{
    SetModalResult(mrNone);
}

TBtnObnov::TBtnObnov(QWidget *parent) : TBitBtn(bkRetry, parent)
{
    SetModalResult(mrNone);
}

TBtnKoniec *AddKoniecRow(TForm *form, QBoxLayout *layout, QWidget *beside)
{
    auto *koniec = new TBtnKoniec(form);
    QObject::connect(koniec, &QPushButton::clicked, form, [form] { form->Close(); });
    form->SetCancelButton(koniec);
    auto *row = new QHBoxLayout;
    row->addWidget(beside, 1);
    row->addWidget(koniec);
    layout->addLayout(row);
    return koniec;
}
