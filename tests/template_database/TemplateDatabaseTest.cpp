#include "common/TempDatabase.h"

#include <QFileInfo>
#include <gtest/gtest.h>

TEST(TemplateDatabase, EachTestGetsItsOwnCopy)
{
    TempDatabase a, b;
    ASSERT_FALSE(a.path().isEmpty()) << "template database missing: " << TempDatabase::templatePath().toStdString();
    EXPECT_NE(a.path(), b.path());
    EXPECT_GT(QFileInfo(a.path()).size(), 0);
}
