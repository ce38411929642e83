// TStringList: a list of text lines with name=value access and change notifications; SQL texts, catalogue
// lines, memo lines and combo items are kept in it.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// A value worked out from a list of lines and asked for far more often than the lines change: it is worked
// out again only when the lines no longer share their data with the copy kept of them (a changed list
// detaches from that copy).
template <typename T> class TFromLines {
public:
    template <typename Make> const T &Get(const QStringList &lines, Make make)
    {
        if (!known_ || !of_.isSharedWith(lines)) {
            value_ = make(lines);
            of_ = lines;
            known_ = true;
        }
        return value_;
    }

private:
    QStringList of_;
    T value_{};
    bool known_ = false;
};

class TStringList {
public:
    TStringList() = default;
    TStringList(const QStringList &lines) : lines_(lines) {}
    TStringList(std::initializer_list<QString> lines) : lines_(lines) {}
    TStringList(const TStringList &other) : lines_(other.lines_) {}
    // Assigning copies the lines only (the handlers stay) and notifies.
    TStringList &operator=(const TStringList &other);
    TStringList &operator=(const QStringList &lines);

    int Count() const { return int(lines_.size()); }
    bool IsEmpty() const { return lines_.isEmpty(); }
    // A line outside the list reads as an empty text.
    const QString &operator[](int i) const { return Strings(i); }
    const QString &Strings(int i) const;
    // Setting or inserting a line past the end first adds blank lines up to it; a negative index throws
    // Exception. Deleting a line that is not there does nothing.
    void SetStrings(int i, const QString &line);
    const QStringList &Lines() const { return lines_; }

    // The lines joined by line feeds (with a trailing one, as the original); setting splits at CR LF, LF or CR.
    QString Text() const;
    void SetText(const QString &text);
    // Comma text: items separated by commas or blanks; an item holding a blank, comma or quote is in
    // double quotes (a quote inside doubled).
    QString CommaText() const;
    void SetCommaText(const QString &text);

    int Add(const QString &line);
    void Insert(int index, const QString &line);
    void Delete(int index);
    void Clear();

    // name=value lines: the part before the first '=', compared without regard to letter case.
    int IndexOfName(const QString &name) const;
    QString Names(int i) const;
    QString ValueFromIndex(int i) const;
    QString Values(const QString &name) const;
    void SetValue(const QString &name, const QString &value); // an empty value removes the line

    void BeginUpdate();
    void EndUpdate();

    // Called before and after every change (once around a BeginUpdate/EndUpdate block).
    std::function<void()> OnChanging;
    std::function<void()> OnChange;

private:
    void checkIndex(int i) const;
    void changing();
    void changed();
    QStringList lines_;
    // The text, asked for at every open of a query.
    mutable TFromLines<QString> text_;
    int updateCount_ = 0;
    bool pendingChange_ = false;
};

// The items of comma text (see TStringList::CommaText).
QStringList SplitCommaText(const QString &text);
