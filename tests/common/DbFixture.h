// A connected database for data-layer tests: a fresh copy of the template, the connection with its
// default transaction, and helpers to run SQL and read single values.
#pragma once

#include "TempDatabase.h"
#include "platform/fb/IBCustomDataSet.h"
#include "platform/fbapi/Attachment.h"

#include <gtest/gtest.h>
#include <memory>

template <class Database = TIBDatabase> class DbFixtureT : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(tmp.path().isEmpty()) << "no template database";
        db = std::make_unique<Database>();
        db->DatabaseName = tmp.path();
        db->Params.SetValue(QStringLiteral("user_name"), QStringLiteral("SYSDBA"));
        tr = std::make_unique<TIBTransaction>(db.get());
        db->SetDefaultTransaction(tr.get());
        db->Open();
    }
    void TearDown() override
    {
        if (db && db->Connected())
            db->Close();
    }
    // Runs DDL or DML in its own committed transaction.
    void exec(const QString &sql) { db->Attachment().executeImmediate(sql); }
    // One value of a select, read in a fresh query of the default transaction.
    QVariant value(const QString &sql)
    {
        TIBQuery q;
        q.SetDatabase(db.get());
        q.SQL().SetText(sql);
        q.Open();
        QVariant v = q.IsEmpty() ? QVariant() : q.Fields(0)->Value();
        q.Close();
        return v;
    }

    // A second connection to the same file, as another workstation sees it.
    struct OtherConnection {
        TIBDatabase db;
        TIBTransaction tr;
        OtherConnection(const QString &path) : tr(&db)
        {
            db.DatabaseName = path;
            db.Params.SetValue(QStringLiteral("user_name"), QStringLiteral("SYSDBA"));
            db.SetDefaultTransaction(&tr);
            db.Open();
        }
        QVariant value(const QString &sql)
        {
            TIBQuery q;
            q.SetDatabase(&db);
            q.SQL().SetText(sql);
            q.Open();
            return q.IsEmpty() ? QVariant() : q.Fields(0)->Value();
        }
    };

    TempDatabase tmp;
    std::unique_ptr<Database> db;
    std::unique_ptr<TIBTransaction> tr;
};

using DbFixture = DbFixtureT<>;
