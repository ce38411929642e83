// The clock, the server probe, colours, folders and the Windows-1250 code page.
#include "common/PersonTyping.h"
#include "platform/os/Clock.h"
#include "platform/os/Color.h"
#include "platform/os/Exception.h"
#include "platform/os/Folders.h"
#include "platform/os/ServerProbe.h"
#include "platform/os/Win1250.h"

#include <QDir>
#include <QTest>
#include <QGuiApplication>
#include <QPalette>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Points XDG_CONFIG_HOME and XDG_DATA_HOME at a temporary folder for one test.
class XdgFolders {
public:
    XdgFolders() : oldConfig_(qgetenv("XDG_CONFIG_HOME")), oldData_(qgetenv("XDG_DATA_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", dir_.filePath(QStringLiteral("data")).toLocal8Bit());
    }
    ~XdgFolders()
    {
        restore("XDG_CONFIG_HOME", oldConfig_);
        restore("XDG_DATA_HOME", oldData_);
    }
    QString path(const QString &name) const { return dir_.filePath(name); }

private:
    static void restore(const char *name, const QByteArray &value)
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    QTemporaryDir dir_;
    QByteArray oldConfig_, oldData_;
};

TEST(ClockTest, FixedForTestsThenRunsAgain)
{
    const QDateTime moment(QDate(2026, 12, 31), QTime(23, 59, 58));
    SetNowForTests(moment);
    EXPECT_EQ(Now(), moment);
    EXPECT_EQ(Date(), QDate(2026, 12, 31));
    ClearNowForTests();
    EXPECT_LE(std::abs(Now().secsTo(QDateTime::currentDateTime())), 2);
}

TEST(ServerProbeTest, ConnectsOnlyWhereSomeoneListens)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    EXPECT_TRUE(IsServerListening(QStringLiteral("127.0.0.1"), server.serverPort(), 300));
    const quint16 port = server.serverPort();
    server.close();
    EXPECT_FALSE(IsServerListening(QStringLiteral("127.0.0.1"), port, 300));
}

TEST(ColorTest, BgrIntegers)
{
    EXPECT_EQ(ColorToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ColorToQColor(clNavy), QColor(0, 0, 128));
    EXPECT_EQ(ColorToQColor(0x00336699), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(QColorToColor(QColor(0x99, 0x66, 0x33)), 0x336699);
    EXPECT_TRUE(ColorToQColor(clBtnFace).isValid());
    EXPECT_EQ(ColorToQColor(clWindow), QGuiApplication::palette().color(QPalette::Base));
}

TEST(FoldersTest, ProgramAndDataFolders)
{
    XdgFolders xdg;
    EXPECT_TRUE(ProgramFolder().endsWith(QLatin1Char('/')));
    EXPECT_EQ(QFileInfo(ProgramFileName()).absolutePath() + QLatin1Char('/'), ProgramFolder());
    const QString data = AppDataFolder();
    EXPECT_EQ(data, xdg.path(QStringLiteral("data")) + QStringLiteral("/TarvIS/"));
    EXPECT_TRUE(QDir(data).exists());
    EXPECT_TRUE(CurrentFolder().endsWith(QLatin1Char('/')));
}

TEST(FoldersTest, EditorFromEnvironment)
{
    XdgFolders xdg;
    const QString marker = xdg.path(QStringLiteral("opened"));
    const QString file = xdg.path(QStringLiteral("a b.txt"));
    const QByteArray oldVisual = qgetenv("VISUAL");
    // A stand-in editor that records the file it was given.
    const QString editor = xdg.path(QStringLiteral("editor.sh"));
    {
        QFile script(editor);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\nprintf %s \"$1\" > \"%1\"\n").arg(marker).toLocal8Bit());
    }
    QFile::setPermissions(editor, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("VISUAL", editor.toLocal8Bit());
    EXPECT_TRUE(OpenInTextEditor(file));
    qputenv("VISUAL", oldVisual);
    // The editor runs on its own: its file is waited for (a minute only when it never comes).
    ASSERT_TRUE(WaitFor("the started program writes its marker",
                        [&] { return QFile::exists(marker) && QFileInfo(marker).size() > 0; }));
    QFile f(marker);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLocal8Bit(f.readAll()), file);
}

TEST(Win1250Test, SlovakLettersRoundTrip)
{
    const QString text = QStringLiteral("Žltý kôň úpäl ďábelské ódy; ŽLTÝ KÔŇ ÚPÄL ĎÁBELSKÉ ÓDY; "
                                        "áäčďéíĺľňóôŕšťúýž ÁÄČĎÉÍĹĽŇÓÔŔŠŤÚÝŽ € „“");
    const QByteArray bytes = Win1250::fromUnicode(text);
    EXPECT_EQ(bytes.size(), text.size()); // one byte a character
    EXPECT_EQ(Win1250::toUnicode(bytes), text);
    EXPECT_EQ(Win1250::fromUnicode(QStringLiteral("ľ")), QByteArray("\xBE"));
    EXPECT_EQ(Win1250::fromUnicode(QStringLiteral("Š")), QByteArray("\x8A"));
    EXPECT_EQ(Win1250::fromUnicode(QStringLiteral("日")), QByteArray("?"));
}

} // namespace
