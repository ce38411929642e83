// TxSlovnik: the word list "slovnik.txt" (Slovak, German, English per line) and the translation of
// printed texts through it, whole captions or phrase by phrase.
#pragma once

#include <QString>
#include <QVector>

// Languages of printouts: 0 Slovak (the design language), 1 German, 2 English.
enum TLanguage { lngSK = 0, lngDE = 1, lngEN = 2 };
// "SK", "DE", "EN" for 0, 1, 2.
QString LanguageCode(int language);

class TxSlovnik {
public:
    // Reads "slovnik.txt" from the current folder (else from the program's folder); when there is none,
    // says "slovnik.txt neexistuje!" and stays empty.
    TxSlovnik();
    // An empty list, filled by LoadFromFile.
    struct Empty {};
    explicit TxSlovnik(Empty) {}

    // Appends the file's lines: "SK;DE;EN", or three columns of 40 characters. Throws Exception when
    // the file cannot be read.
    void LoadFromFile(const QString &fileName);

    // Every entry in file order replaces its Slovak text, in any letter case, by the language's text (an
    // empty one blanks it); a translation growing past the bounds below keeps the text as it was.
    QString TranslateText(const QString &text, int language) const;
    // The whole text without trailing blanks, looked up exactly (an entry without the language's text
    // gives an empty text); unchanged when the list lacks it.
    QString TranslateWord(const QString &text, int language) const;

    struct Entry {
        QString Text[3];
    };
    const QVector<Entry> &Entries() const { return entries_; }
    int Count() const { return int(entries_.size()); }

    // Where the program finds the word list; empty when there is none.
    static QString DefaultFileName();

    // A phrase translation stops (keeping the text untranslated) past this many characters or this many
    // times the length of its text.
    static constexpr qsizetype kMaxTranslation = 64 * 1024;
    static constexpr int kMaxGrowth = 100;

private:
    QVector<Entry> entries_;
};
