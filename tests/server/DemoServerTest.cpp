#include "DemoServerTest.h"

#include <QFile>

void DemoServerTest::makeDatabase()
{
    const QString file = dir.filePath(QStringLiteral("demo.fdb"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TARVIS_DEMO_DB), file)) << "no demo database at " TARVIS_DEMO_DB;
    ASSERT_TRUE(OpenToEveryone(file));
    name = QStringLiteral("127.0.0.1:") + file;
}
