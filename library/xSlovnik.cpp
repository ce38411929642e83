#include "library/xSlovnik.h"

#include "platform/os/Exception.h"
#include "platform/os/Folders.h"
#include "platform/os/TextFile.h"
#include "platform/ui/Dialogs.h"

#include <QFileInfo>
#include <algorithm>

namespace {
const QString kWordList = QStringLiteral("slovnik.txt");
constexpr int kColumn = 40;

QString trimRight(const QString &s)
{
    int n = int(s.size());
    while (n > 0 && s.at(n - 1).isSpace())
        --n;
    return s.left(n);
}
} // namespace

QString LanguageCode(int language)
{
    static const char *codes[] = {"SK", "DE", "EN"};
    return language >= 0 && language < 3 ? QString::fromLatin1(codes[language]) : QString();
}

QString TxSlovnik::DefaultFileName()
{
    for (const QString &folder : {CurrentFolder(), ProgramFolder()})
        if (QFileInfo::exists(folder + kWordList))
            return folder + kWordList;
    return {};
}

TxSlovnik::TxSlovnik()
{
    const QString file = DefaultFileName();
    if (file.isEmpty())
        ShowMessage(QStringLiteral("slovnik.txt neexistuje!"));
    else
        LoadFromFile(file);
}

void TxSlovnik::LoadFromFile(const QString &fileName)
{
    bool ok = false;
    const QString text = ReadTextFile(fileName, &ok);
    if (!ok)
        throw Exception(QStringLiteral("Súbor %1 sa nedá prečítať.").arg(fileName));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the line end of the last line starts no further line
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        Entry e;
        if (line.contains(QLatin1Char(';'))) {
            const QStringList fields = line.split(QLatin1Char(';'));
            for (int i = 0; i < 3 && i < fields.size(); ++i)
                e.Text[i] = fields.at(i);
        } else {
            for (int i = 0; i < 3; ++i)
                e.Text[i] = trimRight(line.mid(i * kColumn, kColumn));
        }
        entries_.append(e);
    }
}

QString TxSlovnik::TranslateText(const QString &text, int language) const
{
    if (language != lngDE && language != lngEN)
        return text;
    // Chained replacements can feed on their own output; a translation that grows past the bound is
    // abandoned and the text stays as it was.
    const qsizetype bound =
        std::min<qsizetype>(kMaxTranslation, qsizetype(kMaxGrowth) * std::max<qsizetype>(text.size(), 1));
    QString result = text;
    for (const Entry &e : entries_) {
        if (e.Text[0].isEmpty())
            continue;
        result.replace(e.Text[0], e.Text[language], Qt::CaseInsensitive);
        if (result.size() > bound)
            return text;
    }
    return result;
}

QString TxSlovnik::TranslateWord(const QString &text, int language) const
{
    const QString word = trimRight(text);
    if (word.isEmpty() || language < 0 || language > 2)
        return word;
    for (const Entry &e : entries_)
        if (e.Text[0] == word)
            return e.Text[language];
    return word;
}
