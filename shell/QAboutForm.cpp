#include "QAboutForm.h"

#include "DMZal.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/Guarded.h"

#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TQAboutForm *QAboutForm = nullptr;

namespace {
constexpr int LogoSize = 58;
constexpr int ReadmeGrowth = 64;
} // namespace

TQAboutForm::TQAboutForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, QAboutForm);
    setWindowTitle(QString::fromUtf8("O aplikácií TarvIS"));
    auto *main = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    ImageLogo = new QLabel(this);
    ImageLogo->setFixedSize(LogoSize, LogoSize);
    ImageLogo->setAlignment(Qt::AlignCenter);
    top->addWidget(ImageLogo);
    auto *title = new QVBoxLayout;
    auto *name = new QLabel(QStringLiteral("TarvIS"), this);
    QFont big = name->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    name->setFont(big);
    title->addWidget(name);
    title->addWidget(new QLabel(QStringLiteral("verzia 1.6"), this));
    top->addLayout(title, 1);
    main->addLayout(top);
    auto *facts = new QFormLayout;
    lDB = new QLabel(this);
    lServer = new QLabel(this);
    lODS = new QLabel(this);
    lDBCnt = new QLabel(this);
    lAttCnt = new QLabel(this);
    facts->addRow(QString::fromUtf8("Databáza"), lDB);
    facts->addRow(QStringLiteral("SQL Server"), lServer);
    facts->addRow(QStringLiteral("ODS"), lODS);
    facts->addRow(QString::fromUtf8("Počet databáz"), lDBCnt);
    facts->addRow(QString::fromUtf8("Počet pripojení"), lAttCnt);
    main->addLayout(facts);
    memoReadme = new QPlainTextEdit(this);
    memoReadme->setReadOnly(true);
    memoReadme->setFixedHeight(0);
    memoReadme->hide();
    main->addWidget(memoReadme);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    main->addLayout(buttons);
    OnShow = [this] { ShowFacts(); };
}

void TQAboutForm::ShowFacts()
{
    TxDatabase &db = DMZal->DBZAL;
    lDB->setText(db.DatabaseName);
    for (QLabel *l : {lServer, lDBCnt, lAttCnt, lODS})
        l->clear();
    // Without a server (or a connection) the dialog opens without its facts; the error is shown.
    Guarded([&] {
        const TServerInfo info = db.ServerInfo();
        lServer->setText(info.Version);
        lDBCnt->setText(QString::number(info.NumDatabases));
        lAttCnt->setText(QString::number(info.NumAttachments));
    });
    if (db.Connected())
        Guarded([&] {
            int major = 0, minor = 0;
            db.OdsVersion(major, minor);
            lODS->setText(QStringLiteral("%1.%2").arg(major).arg(minor));
        });
    const QString logo = DMZal->ProgramFolder() + QStringLiteral("logo.bmp");
    if (QFile::exists(logo))
        ImageLogo->setPixmap(QPixmap(logo).scaled(LogoSize, LogoSize, Qt::KeepAspectRatio));
    QFile readme(QDir::current().filePath(QStringLiteral("readme.txt")));
    if (readme.open(QIODevice::ReadOnly)) {
        memoReadme->setPlainText(QString::fromLocal8Bit(readme.readAll()));
        if (!grown_) {
            grown_ = true;
            memoReadme->setFixedHeight(memoReadme->height() + ReadmeGrowth);
            resize(width(), height() + ReadmeGrowth);
            memoReadme->show();
        }
    }
}

void ShowAbout()
{
    FormOnDemand(QAboutForm).ShowModal();
}
