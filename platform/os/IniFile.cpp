#include "IniFile.h"

#include "Exception.h"
#include "Format.h"
#include "TextFile.h"
#include "Win1250.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// The name of a "[section]" line, or a null string for any other line.
QString sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return {};
    return t.mid(1, close - 1).trimmed();
}

bool isComment(const QString &line)
{
    return line.trimmed().startsWith(QLatin1Char(';'));
}

// Splits "key = value" into its trimmed parts; false for lines without '='.
bool splitKey(const QString &line, QString &key, QString &value)
{
    if (isComment(line) || !sectionName(line).isNull())
        return false;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    key = line.left(eq).trimmed();
    value = line.mid(eq + 1).trimmed();
    return true;
}

bool same(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A value stays on its line: line breaks become blanks.
QString oneLine(const QString &value)
{
    QString v = value;
    v.replace(QLatin1String("\r\n"), QLatin1String(" "));
    v.replace(QLatin1Char('\r'), QLatin1Char(' '));
    v.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return v.trimmed();
}

} // namespace

TIniFile::TIniFile(const QString &fileName) : fileName_(fileName)
{
    refresh();
}

void TIniFile::refresh() const
{
    const QFileInfo info(fileName_);
    const QDateTime modified = info.exists() ? info.lastModified() : QDateTime();
    const qint64 size = info.exists() ? info.size() : -1;
    if (modified == loadedModified_ && size == loadedSize_)
        return;
    loadedModified_ = modified;
    loadedSize_ = size;
    lines_.clear();
    QFile file(fileName_);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    bom_ = bytes.startsWith("\xEF\xBB\xBF");
    crlf_ = bytes.contains("\r\n");
    bool utf8 = true;
    const QString text = DecodeText(bytes, &utf8);
    utf8_ = utf8;
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    lines_ = text.split(breaks);
    if (!lines_.isEmpty() && lines_.last().isEmpty())
        lines_.removeLast();
}

TIniFile::Range TIniFile::findSection(const QString &section) const
{
    Range r;
    for (int i = 0; i < lines_.size(); ++i) {
        const QString name = sectionName(lines_[i]);
        if (name.isNull())
            continue;
        if (r.header >= 0) {
            r.end = i;
            return r;
        }
        if (same(name, section))
            r.header = i;
    }
    r.end = int(lines_.size());
    return r;
}

int TIniFile::findKey(const Range &range, const QString &ident) const
{
    if (range.header < 0)
        return -1;
    QString key, value;
    for (int i = range.header + 1; i < range.end; ++i)
        if (splitKey(lines_[i], key, value) && same(key, ident))
            return i;
    return -1;
}

QString TIniFile::ReadString(const QString &section, const QString &ident, const QString &fallback) const
{
    refresh();
    const int line = findKey(findSection(section), ident);
    if (line < 0)
        return fallback;
    QString key, value;
    splitKey(lines_[line], key, value);
    return value;
}

int TIniFile::ReadInteger(const QString &section, const QString &ident, int fallback) const
{
    return StrToIntDef(ReadString(section, ident, QString()), fallback);
}

double TIniFile::ReadFloat(const QString &section, const QString &ident, double fallback) const
{
    return StrToFloatDef(ReadString(section, ident, QString()), fallback);
}

bool TIniFile::ReadBool(const QString &section, const QString &ident, bool fallback) const
{
    return ReadInteger(section, ident, fallback ? 1 : 0) != 0;
}

QDate TIniFile::ReadDate(const QString &section, const QString &ident, const QDate &fallback) const
{
    QDate value;
    return TryStrToDate(ReadString(section, ident, QString()), value) ? value : fallback;
}

void TIniFile::WriteString(const QString &section, const QString &ident, const QString &value)
{
    refresh();
    const QStringList before = lines_;
    const QString v = oneLine(value);
    const Range r = findSection(section);
    const int line = findKey(r, ident);
    if (line >= 0) {
        QString key, old;
        splitKey(lines_[line], key, old);
        lines_[line] = key + QLatin1Char('=') + v;
    } else if (r.header >= 0) {
        int at = r.end;
        while (at > r.header + 1 && lines_[at - 1].trimmed().isEmpty())
            --at;
        lines_.insert(at, ident.trimmed() + QLatin1Char('=') + v);
    } else {
        if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty())
            lines_ << QString();
        lines_ << QLatin1Char('[') + section.trimmed() + QLatin1Char(']');
        lines_ << ident.trimmed() + QLatin1Char('=') + v;
    }
    commit(before);
}

void TIniFile::WriteInteger(const QString &section, const QString &ident, qint64 value)
{
    WriteString(section, ident, QString::number(value));
}

void TIniFile::WriteFloat(const QString &section, const QString &ident, double value)
{
    WriteString(section, ident, FloatToSql(value));
}

void TIniFile::WriteBool(const QString &section, const QString &ident, bool value)
{
    WriteString(section, ident, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList TIniFile::ReadSection(const QString &section) const
{
    QStringList keys;
    for (const QString &line : ReadSectionValues(section))
        keys << line.left(line.indexOf(QLatin1Char('=')));
    return keys;
}

QStringList TIniFile::ReadSections() const
{
    refresh();
    QStringList names;
    for (const QString &line : std::as_const(lines_)) {
        const QString name = sectionName(line);
        if (!name.isNull() && !names.contains(name, Qt::CaseInsensitive))
            names << name;
    }
    return names;
}

QStringList TIniFile::ReadSectionValues(const QString &section) const
{
    refresh();
    const Range r = findSection(section);
    QStringList out, seen;
    if (r.header < 0)
        return out;
    QString key, value;
    for (int i = r.header + 1; i < r.end; ++i)
        if (splitKey(lines_[i], key, value) && !seen.contains(key, Qt::CaseInsensitive)) {
            seen << key;
            out << key + QLatin1Char('=') + value;
        }
    return out;
}

bool TIniFile::SectionExists(const QString &section) const
{
    refresh();
    return findSection(section).header >= 0;
}

bool TIniFile::ValueExists(const QString &section, const QString &ident) const
{
    refresh();
    return findKey(findSection(section), ident) >= 0;
}

void TIniFile::DeleteKey(const QString &section, const QString &ident)
{
    refresh();
    const int line = findKey(findSection(section), ident);
    if (line < 0)
        return;
    const QStringList before = lines_;
    lines_.removeAt(line);
    commit(before);
}

void TIniFile::EraseSection(const QString &section)
{
    refresh();
    const Range r = findSection(section);
    if (r.header < 0)
        return;
    const QStringList before = lines_;
    lines_.remove(r.header, r.end - r.header);
    commit(before);
}

void TIniFile::commit(const QStringList &before)
{
    try {
        save();
    } catch (...) {
        lines_ = before;
        throw;
    }
}

void TIniFile::save()
{
    const QString eol = crlf_ ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString text;
    for (const QString &line : std::as_const(lines_))
        text += line + eol;
    QByteArray bytes;
    // A file read as Windows-1250 stays so while its text fits the code page. A file that began with the
    // UTF-8 mark is written as UTF-8 with it: written in the code page without the mark, text beginning with
    // the mark's own three bytes would be taken for the mark on the next read and lose them.
    const bool codePage = !utf8_ && !bom_ && Win1250::toUnicode(Win1250::fromUnicode(text)) == text;
    if (codePage)
        bytes = Win1250::fromUnicode(text);
    else
        bytes = (bom_ ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8();

    QString error;
    if (!WriteFileAtomically(fileName_, bytes, &error))
        throw Exception(QStringLiteral("Súbor nastavení %1 sa nedá zapísať: %2").arg(fileName_, error));
    utf8_ = !codePage;
    const QFileInfo info(fileName_);
    loadedModified_ = info.lastModified();
    loadedSize_ = info.size();
}
