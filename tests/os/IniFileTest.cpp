// Settings files: lookup rules, verbatim values, writes that keep the rest of the file, code pages.
#include "platform/os/Exception.h"
#include "platform/os/IniFile.h"
#include "platform/os/TextFile.h"
#include "platform/os/Win1250.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QString write(const QByteArray &bytes)
    {
        QFile f(path());
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path();
    }
    QByteArray contents() const
    {
        QFile f(path());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    QString path() const { return dir.filePath(QStringLiteral("TarvIS.ini")); }
    QTemporaryDir dir;
};

TEST_F(IniFileTest, LookupRules)
{
    TIniFile ini(write("; comment=1\n"
                       "top=ignored\n"
                       "[Masks]\n"
                       "  c_vyr  =  >LL000;0;_  \n"
                       "C_VYR=second\n"
                       "[Defaults]\n"
                       "Stavy=Nový,\"V riešení, čaká\",Hotový\n"
                       "Path=C:\\Program Files\\MRP\\Data0001\n"
                       "Quoted=\"abc\"\n"
                       "Empty=\n"
                       "no equals sign\n"
                       "[masks]\n"
                       "c_vyr=from the second section\n"
                       "extra=x\n"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("MASKS"), QStringLiteral("C_Vyr"), QString()),
              QStringLiteral(">LL000;0;_"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("defaults"), QStringLiteral("stavy"), QString()),
              QStringLiteral("Nový,\"V riešení, čaká\",Hotový"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Defaults"), QStringLiteral("Path"), QString()),
              QStringLiteral("C:\\Program Files\\MRP\\Data0001"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Defaults"), QStringLiteral("Quoted"), QString()),
              QStringLiteral("\"abc\""));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Defaults"), QStringLiteral("Empty"), QStringLiteral("d")), QString());
    EXPECT_EQ(ini.ReadString(QStringLiteral("Defaults"), QStringLiteral("Missing"), QStringLiteral("d")),
              QStringLiteral("d"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Masks"), QStringLiteral("extra"), QStringLiteral("d")),
              QStringLiteral("d"));
    EXPECT_EQ(ini.ReadString(QString(), QStringLiteral("top"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("Masks"), QStringLiteral("; comment")));

    EXPECT_EQ(ini.ReadSections(), (QStringList{QStringLiteral("Masks"), QStringLiteral("Defaults")}));
    EXPECT_EQ(ini.ReadSection(QStringLiteral("masks")), QStringList{QStringLiteral("c_vyr")});
    EXPECT_EQ(ini.ReadSectionValues(QStringLiteral("Masks")), QStringList{QStringLiteral("c_vyr=>LL000;0;_")});
    EXPECT_TRUE(ini.SectionExists(QStringLiteral("DEFAULTS")));
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("Company")));
    EXPECT_TRUE(ini.ReadSectionValues(QStringLiteral("Company")).isEmpty());
}

TEST_F(IniFileTest, TypedReads)
{
    TIniFile ini(write("[Vykony]\nEvidovatZmatky=0\nNotifyProfesia= 3 \nZmatkyPodrobne=2\nBad=áno\n"
                       "[Mzdy]\nPriplatokNoc=8,5\nKoefUkol=0.25\nMinMzdaSobota=abc\nHex=0x10\n"
                       "[Dates]\nIso=2026-02-05\nTyped=5.2.2026\nBad=zajtra\n"));
    EXPECT_FALSE(ini.ReadBool(QStringLiteral("Vykony"), QStringLiteral("EvidovatZmatky"), true));
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("Vykony"), QStringLiteral("ZmatkyPodrobne"), false));
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("Vykony"), QStringLiteral("Bad"), true));
    EXPECT_FALSE(ini.ReadBool(QStringLiteral("Vykony"), QStringLiteral("Missing"), false));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Vykony"), QStringLiteral("NotifyProfesia"), 1), 3);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Vykony"), QStringLiteral("Bad"), 1), 1);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Mzdy"), QStringLiteral("Hex"), 0), 16);
    EXPECT_DOUBLE_EQ(ini.ReadFloat(QStringLiteral("Mzdy"), QStringLiteral("PriplatokNoc"), 0), 8.5);
    EXPECT_DOUBLE_EQ(ini.ReadFloat(QStringLiteral("Mzdy"), QStringLiteral("KoefUkol"), 0), 0.25);
    EXPECT_DOUBLE_EQ(ini.ReadFloat(QStringLiteral("Mzdy"), QStringLiteral("MinMzdaSobota"), 600), 600);
    EXPECT_EQ(ini.ReadDate(QStringLiteral("Dates"), QStringLiteral("Iso"), QDate()), QDate(2026, 2, 5));
    EXPECT_EQ(ini.ReadDate(QStringLiteral("Dates"), QStringLiteral("Typed"), QDate()), QDate(2026, 2, 5));
    EXPECT_EQ(ini.ReadDate(QStringLiteral("Dates"), QStringLiteral("Bad"), QDate(2000, 1, 1)), QDate(2000, 1, 1));
}

TEST_F(IniFileTest, WritesKeepTheRestOfTheFile)
{
    TIniFile ini(write("; nastavenia\r\n[MRP]\r\nPath=C:\\Data\r\nDPH=19\r\n\r\n[Vykony]\r\nEvidovatZmatky=1\r\n"));
    ini.WriteString(QStringLiteral("mrp"), QStringLiteral("dph"), QStringLiteral("20"));
    ini.WriteString(QStringLiteral("MRP"), QStringLiteral("CisloFa"), QStringLiteral("2026/"));
    ini.WriteBool(QStringLiteral("Vykony"), QStringLiteral("EvidovatZmatky"), false);
    ini.WriteFloat(QStringLiteral("Mzdy"), QStringLiteral("PriplatokNoc"), 8.5);
    ini.WriteInteger(QStringLiteral("Mzdy"), QStringLiteral("Pocet"), 3);
    EXPECT_EQ(contents(), QByteArray("; nastavenia\r\n[MRP]\r\nPath=C:\\Data\r\nDPH=20\r\nCisloFa=2026/\r\n\r\n"
                                     "[Vykony]\r\nEvidovatZmatky=0\r\n\r\n[Mzdy]\r\nPriplatokNoc=8.5\r\nPocet=3\r\n"));
    // What was written reads back, also through a fresh object.
    EXPECT_DOUBLE_EQ(TIniFile(path()).ReadFloat(QStringLiteral("Mzdy"), QStringLiteral("PriplatokNoc"), 0), 8.5);

    ini.DeleteKey(QStringLiteral("MRP"), QStringLiteral("path"));
    ini.EraseSection(QStringLiteral("vykony"));
    EXPECT_EQ(contents(), QByteArray("; nastavenia\r\n[MRP]\r\nDPH=20\r\nCisloFa=2026/\r\n\r\n"
                                     "[Mzdy]\r\nPriplatokNoc=8.5\r\nPocet=3\r\n"));
}

TEST_F(IniFileTest, MissingFileIsCreatedOnFirstWrite)
{
    TIniFile ini(path());
    EXPECT_EQ(ini.ReadString(QStringLiteral("MRP"), QStringLiteral("DPH"), QStringLiteral("19")), QStringLiteral("19"));
    EXPECT_FALSE(QFile::exists(path()));
    ini.WriteString(QStringLiteral("MRP"), QStringLiteral("Path"),
                    QStringLiteral("C:\\Program Files\\MRP\\Podvojné účtovníctvo"));
    EXPECT_EQ(contents(), QStringLiteral("[MRP]\nPath=C:\\Program Files\\MRP\\Podvojné účtovníctvo\n").toUtf8());
}

TEST_F(IniFileTest, LineBreaksInValuesDoNotMakeNewKeys)
{
    TIniFile ini(path());
    ini.WriteString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("one\n[B]\nx=1"));
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("B")));
    EXPECT_EQ(ini.ReadString(QStringLiteral("A"), QStringLiteral("k"), QString()), QStringLiteral("one [B] x=1"));
}

TEST_F(IniFileTest, ChangesByAnotherWriterAreSeen)
{
    TIniFile reader(write("[A]\nk=1\n"));
    EXPECT_EQ(reader.ReadString(QStringLiteral("A"), QStringLiteral("k"), QString()), QStringLiteral("1"));
    TIniFile(path()).WriteString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("22"));
    EXPECT_EQ(reader.ReadString(QStringLiteral("A"), QStringLiteral("k"), QString()), QStringLiteral("22"));
}

TEST_F(IniFileTest, Windows1250FileIsReadAndStaysSo)
{
    const QString company = QStringLiteral("Zlievareň Žilina, s.r.o.");
    TIniFile ini(write(
        Win1250::fromUnicode(QStringLiteral("[Company]\nNazov=") + company + QStringLiteral("\nMesto=Košice\n"))));
    EXPECT_EQ(ini.ReadSectionValues(QStringLiteral("Company")),
              (QStringList{QStringLiteral("Nazov=") + company, QStringLiteral("Mesto=Košice")}));
    ini.WriteString(QStringLiteral("Company"), QStringLiteral("Ulica"), QStringLiteral("Ďumbierska 5"));
    EXPECT_EQ(contents(), Win1250::fromUnicode(QStringLiteral("[Company]\nNazov=") + company +
                                               QStringLiteral("\nMesto=Košice\nUlica=Ďumbierska 5\n")));
    // A character outside the code page turns the file into UTF-8 rather than losing it.
    ini.WriteString(QStringLiteral("Company"), QStringLiteral("Pozn"), QStringLiteral("日本"));
    EXPECT_EQ(TIniFile(path()).ReadString(QStringLiteral("Company"), QStringLiteral("Nazov"), QString()), company);
    EXPECT_EQ(TIniFile(path()).ReadString(QStringLiteral("Company"), QStringLiteral("Pozn"), QString()),
              QStringLiteral("日本"));
}

TEST_F(IniFileTest, MarkedFileInTheCodePageKeepsItsLinesAfterAWrite)
{
    // The UTF-8 mark twice, then bytes only the code page reads: the second mark is text of the first line.
    TIniFile ini(write("\xEF\xBB\xBF\xEF\xBB\xBF[A]\n[B]\nk=\xBE\n"));
    ini.WriteString(QStringLiteral("C"), QStringLiteral("n"), QStringLiteral("Ďalší"));
    const TIniFile reread(path());
    EXPECT_EQ(reread.ReadSections(), (QStringList{QStringLiteral("B"), QStringLiteral("C")}));
    EXPECT_EQ(reread.ReadString(QStringLiteral("B"), QStringLiteral("k"), QString()), QStringLiteral("ľ"));
    EXPECT_EQ(reread.ReadString(QStringLiteral("C"), QStringLiteral("n"), QString()), QStringLiteral("Ďalší"));
}

TEST_F(IniFileTest, FailedWriteLeavesTheOldFileWhole)
{
    TIniFile ini(write("[MRP]\nDPH=19\n"));
    // A file size limit below the new file's size makes the write fail, for root too.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = old;
    tiny.rlim_cur = 8;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    EXPECT_THROW(ini.WriteString(QStringLiteral("MRP"), QStringLiteral("Path"), QStringLiteral("C:\\Data")), Exception);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(contents(), QByteArray("[MRP]\nDPH=19\n"));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("MRP"), QStringLiteral("Path")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("TarvIS.ini")}); // no leftovers
}

TEST_F(IniFileTest, ReadTextFileDecodesBothEncodings)
{
    const QString text = QStringLiteral("Žltý kôň úpäl ďábelské ódy");
    write(Win1250::fromUnicode(text));
    EXPECT_EQ(ReadTextFile(path()), text);
    write("\xEF\xBB\xBF" + text.toUtf8());
    EXPECT_EQ(ReadTextFile(path()), text);
    bool ok = true;
    EXPECT_TRUE(ReadTextFile(dir.filePath(QStringLiteral("none.txt")), &ok).isEmpty());
    EXPECT_FALSE(ok);
}

} // namespace
