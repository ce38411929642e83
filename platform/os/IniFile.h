// TIniFile: a settings file with the profile-file rules of the original platform: sections and keys
// without regard to letter case, the first occurrence counts, values kept verbatim; every write goes to disk.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

class TIniFile {
public:
    explicit TIniFile(const QString &fileName);

    QString FileName() const { return fileName_; }

    // A missing key gives the default; a present key with an empty value gives "".
    QString ReadString(const QString &section, const QString &ident, const QString &fallback) const;
    // Lenient number text; the default when missing or not a number ("0x1F" is hexadecimal).
    int ReadInteger(const QString &section, const QString &ident, int fallback) const;
    // A point or a comma as the decimal separator.
    double ReadFloat(const QString &section, const QString &ident, double fallback) const;
    // Any non-zero integer is true; text that is no integer gives the default.
    bool ReadBool(const QString &section, const QString &ident, bool fallback) const;
    // "yyyy-mm-dd" or a date as a person types it.
    QDate ReadDate(const QString &section, const QString &ident, const QDate &fallback) const;

    // Writes replace the first occurrence of the key, or add it at the end of its section (the section at
    // the end of the file); the other lines keep their text and order. A failed write throws Exception and
    // leaves the file as it was.
    void WriteString(const QString &section, const QString &ident, const QString &value);
    void WriteInteger(const QString &section, const QString &ident, qint64 value);
    void WriteFloat(const QString &section, const QString &ident, double value); // a point, as in SQL
    void WriteBool(const QString &section, const QString &ident, bool value);    // "1" / "0"

    QStringList ReadSection(const QString &section) const;       // the keys, first occurrences, file order
    QStringList ReadSections() const;                            // the section names, first occurrences
    QStringList ReadSectionValues(const QString &section) const; // "key=value" lines
    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &ident) const;

    void DeleteKey(const QString &section, const QString &ident);
    void EraseSection(const QString &section);

private:
    struct Range {
        int header = -1; // line of "[section]", -1 when missing
        int end = 0;     // line after the section's last line
    };
    void refresh() const;
    Range findSection(const QString &section) const;
    int findKey(const Range &range, const QString &ident) const;
    void save();
    void commit(const QStringList &before);

    QString fileName_;
    mutable QStringList lines_;
    mutable QDateTime loadedModified_;
    mutable qint64 loadedSize_ = -1;
    mutable bool crlf_ = false;
    mutable bool utf8_ = true;
    mutable bool bom_ = false;
};
