#include "TempDatabase.h"

#include <QFile>

QString TempDatabase::templatePath()
{
    return qEnvironmentVariable("TARVIS_TEMPLATE_DB", QStringLiteral(TARVIS_TEMPLATE_DB));
}

QString TempDatabase::sourceDir()
{
    return QStringLiteral(TARVIS_SOURCE_DIR);
}

QString TempDatabase::buildDir()
{
    return QStringLiteral(TARVIS_BUILD_DIR);
}

TempDatabase::TempDatabase()
{
    const QString tpl = templatePath();
    if (tpl.isEmpty() || !QFile::exists(tpl) || !dir_.isValid())
        return;
    const QString target = dir_.filePath("test.fdb");
    if (QFile::copy(tpl, target)) {
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        path_ = target;
    }
}
