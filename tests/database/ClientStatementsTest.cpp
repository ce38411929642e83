// Every statement the program sends must prepare on a fresh database: the tables, views,
// columns and procedures they name exist, and no join they make is ambiguous.
#include "FbSql.h"
#include "common/TempDatabase.h"

#include <QFile>
#include <QTextStream>
#include <gtest/gtest.h>

TEST(ClientStatements, EveryStatementPrepares)
{
    TempDatabase db;
    ASSERT_FALSE(db.path().isEmpty()) << "template database missing";
    QFile file(QStringLiteral(TARVIS_DB_TEST_DATA "/client_statements.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);

    FbSql sql(db.path());
    int count = 0;
    QStringList failures;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty())
            continue;
        ++count;
        const QString error = sql.prepareError(line);
        if (!error.isEmpty())
            failures << error + "\n    " + line;
    }
    EXPECT_GT(count, 150);
    EXPECT_TRUE(failures.isEmpty()) << failures.size() << " of " << count << " statements fail:\n"
                                    << failures.join("\n").toStdString();
}

TEST(ClientStatements, PositionalParametersSkipLiteralsAndBlocks)
{
    EXPECT_EQ(FbSql::positional("select * from T where a=:a and b=':x' and c=:c_2"),
              "select * from T where a=? and b=':x' and c=?");
    const QString block = "EXECUTE BLOCK AS DECLARE c INTEGER; BEGIN SELECT 1 FROM RDB$DATABASE INTO :c; END";
    EXPECT_EQ(FbSql::positional(block), block);
}
