// TRegistryStore: the string values of a registry key of the current user ("\SOFTWARE\TarvIS" "LastLogin"),
// kept as "name=value" lines in a file under the user's configuration folder.
#pragma once

#include <QString>

class TRegistryStore {
public:
    // The store lives in root (default: the application's configuration folder, which honours
    // XDG_CONFIG_HOME) under "registry/".
    explicit TRegistryStore(const QString &root = QString());

    // Opens a key such as "\SOFTWARE\TarvIS"; without canCreate a missing key is not opened.
    bool OpenKey(const QString &key, bool canCreate);
    void CloseKey();
    bool KeyExists(const QString &key) const;
    QString CurrentKey() const { return key_; }

    // A missing value, or no open key, reads as empty.
    QString ReadString(const QString &name) const;
    bool ValueExists(const QString &name) const;
    // Writes into the open key; throws Exception when no key is open or the file cannot be written.
    void WriteString(const QString &name, const QString &value);
    bool DeleteValue(const QString &name);

private:
    QString folderOf(const QString &key) const;
    QString valuesFile() const;
    bool readAll(QStringList &names, QStringList &values) const;
    void writeAll(const QStringList &names, const QStringList &values);

    QString root_;
    QString key_;
    QString folder_;
};
