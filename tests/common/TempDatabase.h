// A fresh database file for one test: a copy of the template made from database/ at build time,
// in a temporary folder that is removed with the object.
#pragma once

#include <QString>
#include <QTemporaryDir>

class TempDatabase {
public:
    TempDatabase();
    // Full path of the database file; empty when the template is missing.
    const QString &path() const { return path_; }
    // The folder the file lives in, for other files a test writes.
    QString dir() const { return dir_.path(); }
    static QString templatePath();
    static QString sourceDir();
    static QString buildDir();

private:
    QTemporaryDir dir_;
    QString path_;
};
