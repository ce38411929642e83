// A small SQL runner for the database tests over Firebird's OO API: one embedded attachment as
// SYSDBA with one transaction; statements prepare, run and return their first row as text.
#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

namespace Firebird {
class IMaster;
class IUtil;
class IAttachment;
class ITransaction;
class IStatus;
} // namespace Firebird

class FbSql {
public:
    // Attaches to the database file; throws std::runtime_error when it cannot.
    explicit FbSql(const QString &path);
    ~FbSql();
    FbSql(const FbSql &) = delete;
    FbSql &operator=(const FbSql &) = delete;

    // Prepares without running; the server's message, or an empty text when it prepared.
    QString prepareError(const QString &sql);
    // Runs a statement without parameters; throws std::runtime_error with the server's message.
    void exec(const QString &sql);
    // The first row of a select, every column as text (null as an empty text); no row: empty list.
    QStringList row(const QString &sql);
    QString value(const QString &sql);
    double number(const QString &sql);
    void commit();

    // Named parameters (:name) become "?" outside string literals and EXECUTE BLOCK bodies.
    static QString positional(const QString &sql);

private:
    QString errorText(Firebird::IStatus *status) const;

    Firebird::IMaster *master_ = nullptr;
    Firebird::IUtil *util_ = nullptr;
    Firebird::IAttachment *att_ = nullptr;
    Firebird::ITransaction *tra_ = nullptr;
};
