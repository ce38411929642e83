#include "RegistryStore.h"

#include "Exception.h"
#include "TextFile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

QString escape(const QString &text)
{
    QString out;
    for (QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else if (c == QLatin1Char('='))
            out += QLatin1String("\\=");
        else
            out += c;
    }
    return out;
}

// Splits an escaped "name=value" line; false when it has no unescaped '='.
bool unescapeLine(const QString &line, QString &name, QString &value)
{
    QString *target = &name;
    name.clear();
    value.clear();
    bool split = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('\\') && i + 1 < line.size()) {
            const QChar e = line[++i];
            *target += e == QLatin1Char('n')   ? QChar(QLatin1Char('\n'))
                       : e == QLatin1Char('r') ? QChar(QLatin1Char('\r'))
                                               : e;
        } else if (c == QLatin1Char('=') && !split) {
            split = true;
            target = &value;
        } else {
            *target += c;
        }
    }
    return split;
}

} // namespace

TRegistryStore::TRegistryStore(const QString &root)
    : root_(root.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) : root)
{
}

QString TRegistryStore::folderOf(const QString &key) const
{
    QStringList parts;
    for (const QString &part : key.split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        const QString p = part.trimmed();
        if (p.isEmpty() || p == QLatin1String(".") || p == QLatin1String("..") || p.contains(QLatin1Char('/')))
            return {};
        parts << p;
    }
    if (parts.isEmpty() || root_.isEmpty())
        return {};
    return root_ + QStringLiteral("/registry/") + parts.join(QLatin1Char('/'));
}

QString TRegistryStore::valuesFile() const
{
    return folder_ + QStringLiteral("/values");
}

bool TRegistryStore::KeyExists(const QString &key) const
{
    const QString folder = folderOf(key);
    return !folder.isEmpty() && QDir(folder).exists();
}

bool TRegistryStore::OpenKey(const QString &key, bool canCreate)
{
    CloseKey();
    const QString folder = folderOf(key);
    if (folder.isEmpty())
        return false;
    if (!QDir(folder).exists() && (!canCreate || !QDir().mkpath(folder)))
        return false;
    key_ = key;
    folder_ = folder;
    return true;
}

void TRegistryStore::CloseKey()
{
    key_.clear();
    folder_.clear();
}

bool TRegistryStore::readAll(QStringList &names, QStringList &values) const
{
    names.clear();
    values.clear();
    if (folder_.isEmpty())
        return false;
    QFile file(valuesFile());
    if (!file.open(QIODevice::ReadOnly))
        return true;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    QString name, value;
    for (const QString &line : lines)
        if (unescapeLine(line, name, value) && !names.contains(name, Qt::CaseInsensitive)) {
            names << name;
            values << value;
        }
    return true;
}

void TRegistryStore::writeAll(const QStringList &names, const QStringList &values)
{
    QByteArray bytes;
    for (int i = 0; i < names.size(); ++i)
        bytes += (escape(names[i]) + QLatin1Char('=') + escape(values[i]) + QLatin1Char('\n')).toUtf8();
    QString error;
    if (!WriteFileAtomically(valuesFile(), bytes, &error))
        throw Exception(QStringLiteral("Hodnotu kľúča %1 sa nepodarilo zapísať: %2").arg(key_, error));
}

QString TRegistryStore::ReadString(const QString &name) const
{
    QStringList names, values;
    readAll(names, values);
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return values[i];
    return {};
}

bool TRegistryStore::ValueExists(const QString &name) const
{
    QStringList names, values;
    readAll(names, values);
    return names.contains(name, Qt::CaseInsensitive);
}

void TRegistryStore::WriteString(const QString &name, const QString &value)
{
    QStringList names, values;
    if (!readAll(names, values))
        throw Exception(QStringLiteral("Kľúč registra nie je otvorený"));
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0) {
            if (values[i] == value && names[i] == name)
                return; // the same value: the file (and its flush to disk) stays as it is
            values[i] = value;
            writeAll(names, values);
            return;
        }
    names << name;
    values << value;
    writeAll(names, values);
}

bool TRegistryStore::DeleteValue(const QString &name)
{
    QStringList names, values;
    readAll(names, values);
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0) {
            names.removeAt(i);
            values.removeAt(i);
            writeAll(names, values);
            return true;
        }
    return false;
}
