#include "QAboutForm.h"

#include "DMZal.h"
#include "platform/fbapi/IBError.h"
#include "platform/os/TextFile.h"
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

// The server refused the connected user what was asked: it tells its load to its administrator alone.
bool refusedToUser(const EIBError &e)
{
    return e.SQLCode == -551 || e.IBErrorCode == isc_insufficient_svc_privileges;
}
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
    // Without a server (or a connection) the dialog opens without its facts; the error is shown. A user who is
    // not the server's administrator is told the version alone, and the load stays empty without a word: the
    // refusal is no failure of his.
    Guarded([&] {
        TServerInfo info;
        bool loadTold = true;
        try {
            info = db.ServerInfo();
        } catch (const EIBError &e) {
            if (!refusedToUser(e))
                throw;
            loadTold = false;
            try {
                info = db.ServerInfo(true);
            } catch (const EIBError &versionRefused) {
                if (!refusedToUser(versionRefused))
                    throw;
            }
        }
        lServer->setText(info.Version);
        if (loadTold) {
            lDBCnt->setText(QString::number(info.NumDatabases));
            lAttCnt->setText(QString::number(info.NumAttachments));
        }
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
        // Written here in UTF-8 or on a Windows workstation in Windows-1250, as the settings file.
        memoReadme->setPlainText(DecodeText(readme.readAll()));
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
