// The base data module on a fresh database: a program folder of its own with a settings file naming
// the database, the user's configuration folder in a temporary place, a Slovak locale and a fixed clock.
#pragma once

#include "common/TempDatabase.h"
#include "platform/os/Clock.h"
#include "platform/os/Format.h"
#include "platform/os/IniFile.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        savedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QDir(folder.path()).filePath("config").toUtf8());
        savedLocale = QLocale();
        // A run as on a machine of another locale (tarvis_test_in_locale) keeps the process's own.
        QLocale::setDefault(qEnvironmentVariableIsSet("TARVIS_TEST_SYSTEM_LOCALE")
                                ? QLocale::system()
                                : QLocale(QLocale::Slovak, QLocale::Slovakia));
        SetNowForTests(QDateTime(QDate(2026, 3, 16), QTime(10, 0)));
    }
    void TearDown() override
    {
        dm.reset();
        FormatSettings() = SlovakFormatSettings();
        QLocale::setDefault(savedLocale);
        ClearNowForTests();
        if (savedConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", savedConfig);
    }

    QString programFile() const { return QDir(folder.path()).filePath("tarvis"); }
    QString iniFile() const { return QDir(folder.path()).filePath("TarvIS.ini"); }
    void writeSetting(const QString &section, const QString &key, const QString &value)
    {
        TIniFile(iniFile()).WriteString(section, key, value);
    }
    // Creates the module (its settings read now) and connects it to the test's database.
    void connect()
    {
        ASSERT_FALSE(database.path().isEmpty()) << "no template database";
        writeSetting("Database", "Name", database.path());
        dm = std::make_unique<TDMZal>(programFile());
        dm->ConnectDatabase();
        ASSERT_TRUE(dm->DBZAL.Connected());
    }
    // Runs a statement in its own committed transaction.
    void exec(const QString &sql) { dm->DBZAL.Attachment().executeImmediate(sql); }
    // The first column of the first row of a select, as the program reads it.
    QVariant value(const QString &sql, const QVariantList &params = {}) { return SelectValueParams(sql, params); }
    int count(const QString &sql) { return value(sql).toInt(); }

    QTemporaryDir folder;
    TempDatabase database;
    std::unique_ptr<TDMZal> dm;

private:
    QByteArray savedConfig;
    QLocale savedLocale;
};
