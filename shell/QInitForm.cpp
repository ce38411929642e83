#include "QInitForm.h"

#include "platform/os/Exception.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPixmap>

TQInitForm *QInitForm = nullptr;

namespace {

QLabel *label(QWidget *parent, const QString &name, const QRect &geometry, const QString &caption)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    return l;
}

} // namespace

TQInitForm::TQInitForm(QWidget *owner) : TForm(owner)
{
    setObjectName(QStringLiteral("QInitForm"));
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setFixedSize(302, 176);
    Position = poScreenCenter;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::ToolTipText));
    setPalette(pal);
    setAutoFillBackground(true);

    // Created (and so painted) in this order: the frame behind everything else.
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Bevel1->setLineWidth(2);
    Bevel1->setGeometry(0, 0, 302, 176);

    imageEIS = label(this, QStringLiteral("imageEIS"), QRect(10, 38, 110, 100), QString());
    imageEIS->setAlignment(Qt::AlignCenter);

    labelEIS = label(this, QStringLiteral("labelEIS"), QRect(126, 8, 168, 28), QStringLiteral("labelEIS"));
    QFont big = labelEIS->font();
    big.setBold(true);
    big.setPixelSize(24);
    labelEIS->setFont(big);
    labelEIS->setAlignment(Qt::AlignCenter);

    labelInit = label(this, QStringLiteral("labelInit"), QRect(126, 96, 168, 18),
                      QString::fromUtf8("Inicializácia aplikácie ..."));

    labelWWW = label(this, QStringLiteral("labelWWW"), QRect(126, 40, 168, 18), QString());
    QPalette navy = labelWWW->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    labelWWW->setPalette(navy);
    labelWWW->setAlignment(Qt::AlignCenter);

    labelCompany = label(this, QStringLiteral("labelCompany"), QRect(126, 122, 168, 44),
                         QString::fromUtf8("Informačný systém pre riadenie výroby"));
    QFont italic = labelCompany->font();
    italic.setItalic(true);
    labelCompany->setFont(italic);
    labelCompany->setWordWrap(true);
}

TQInitForm::~TQInitForm()
{
    if (QInitForm == this)
        QInitForm = nullptr;
}

void TQInitForm::Dress(const QString &logoResource)
{
    labelEIS->move(labelEIS->x(), 32);
    labelEIS->setText(QStringLiteral("Tarv IS"));
    labelWWW->move(labelWWW->x(), 61);
    QFont bold = labelWWW->font();
    bold.setBold(true);
    labelWWW->setFont(bold);
    labelWWW->setText(QString::fromUtf8("Výroba pod kontrolou"));

    const QPixmap logo(logoResource);
    if (logo.isNull())
        throw Exception(QStringLiteral("Resource %1 not found").arg(logoResource));
    imageEIS->setAutoFillBackground(true); // not transparent: the logo stands on its own background
    imageEIS->setPixmap(logo);
}
