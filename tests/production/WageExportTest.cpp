// The wage export's exact bytes: four CR LF lines per record in Windows-1250, points whatever the locale,
// no "-0.00", the file named by the month in the working folder.
#include "WorkshopFixture.h"
#include "production/MzdySql.h"
#include "production/WageExport.h"

#include <QFile>

namespace {

class WageExport : public WorkshopTest {
protected:
    void SetUp() override
    {
        WorkshopTest::SetUp();
        if (HasFatalFailure())
            return;
        employee(57, "Novák");
        employee(58, "Šťastný");
        exec(QStringLiteral("insert into SMZDY (ROK, MESIAC, OSC, MZDA_VYK, MZDA_REZ, PRIPL_PRO, PRIPL_NOC) "
                            "values (2026, 7, 57, 234.5, 0, 120, null)"));
        exec(QStringLiteral("insert into SMZDY (ROK, MESIAC, OSC, MZDA_VYK, MZDA_REZ, PRIPL_PRO, PRIPL_NOC) "
                            "values (2026, 7, 58, 1234.567, -0.001, 0.004, 17)"));
        exec(QStringLiteral("insert into SMZDY (ROK, MESIAC, OSC, MZDA_VYK) values (2026, 6, 57, 5)"));
        wages.SetDatabase(&dm->DBZAL);
        wages.SQL().SetText(MzdySql::WagesOfMonth);
        wages.ParamByName("rok").SetValue(2026);
        wages.ParamByName("mesiac").SetValue(7);
        wages.Open();
    }
    void TearDown() override
    {
        wages.Close();
        WorkshopTest::TearDown();
    }
    TxQuery wages;
    const QByteArray expected = "57;302;234.50\r\n57;303;0.00\r\n57;307;120.00\r\n57;318;0.00\r\n"
                                "58;302;1234.57\r\n58;303;0.00\r\n58;307;0.00\r\n58;318;17.00\r\n";
};

TEST_F(WageExport, ExactBytesWithPointsUnderASlovakLocale)
{
    ASSERT_EQ(FormatSettings().DecimalSeparator, QLatin1Char(','));
    EXPECT_EQ(WageExportBytes(&wages), expected);
    EXPECT_EQ(FormatFloat("0.00", 1.5), "1,50") << "the rest of the program keeps its commas";
}

TEST_F(WageExport, WrittenIntoTheWorkingFolderUnderTheMonthsName)
{
    EXPECT_EQ(WageExportFileName(2026, 7), "mzdy202607.txt");
    const QString saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    QFile(QDir(folder.path()).filePath("mzdy202607.txt")).open(QIODevice::WriteOnly); // replaced
    const QString name = WriteWageExport(&wages, 2026, 7);
    QDir::setCurrent(saved);
    QFile file(QDir(folder.path()).filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), expected);
    EXPECT_EQ(responder->Texts(), QStringList{QString::fromUtf8("Mzdové údaje boli uložené do súboru mzdy202607.txt")});
}

TEST_F(WageExport, AnEmptyMonthGivesAnEmptyFile)
{
    wages.Close();
    wages.ParamByName("mesiac").SetValue(8);
    wages.Open();
    EXPECT_TRUE(WageExportBytes(&wages).isEmpty());
}

} // namespace
