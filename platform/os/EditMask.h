// Edit masks in the program's own language ("!99/99/0000;1;_", ">LL000;0;_"): their translation into a
// Qt input mask, and the texts a masked edit gives back or shows.
#pragma once

#include <QList>
#include <QString>

// The mask language: sections "mask;keep-literals;blank". '0' required digit, '9' optional digit, '#' digit
// or sign, 'L'/'l' letter, 'A'/'a' letter or digit, 'C'/'c' any character (upper case required, lower
// optional), '\' takes the next character literally, '>' upper case, '<' lower case, '<>' neither, '!' fills
// from the right, '/' the date separator, ':' the time separator, '_' a blank; anything else is literal.
class TEditMask {
public:
    explicit TEditMask(const QString &mask = QString());

    bool IsEmpty() const { return positions_.isEmpty(); }
    bool SavesLiterals() const { return saveLiterals_; }
    QChar Blank() const { return blank_; }
    // The positions the user types into (the text's length without literals).
    int InputLength() const;

    // The Qt input mask ("09.09.\2\099;_"); empty for an empty mask.
    QString QtInputMask() const;
    // The text of a masked edit from what it shows (blanks as the blank character): unfilled positions
    // become spaces, literals stay only when the mask keeps them.
    QString TextFromDisplay(const QString &displayText) const;
    // The shown text (blanks as the blank character) for a value in the mask's text form.
    QString DisplayFromText(const QString &text) const;
    // The value shaped by the mask, unfilled positions as spaces.
    QString Format(const QString &value) const;
    // Whether c may be typed with the cursor at display position index: the first input position from
    // there must take it, or c is a literal further on (typing a separator skips to it).
    bool Typeable(int index, QChar c) const;
    // A fixed part typed where the mask already shows it: when the input places just before index hold the
    // literal characters that stand before them (the "20" of "2027" typed into places after a literal
    // century "20") and c has no place at index, those characters were the literal typed again. Gives the
    // display with c typed after them instead, and the cursor after c; false when that is not the case.
    bool RetypeAfterLiterals(const QString &display, int index, QChar c, QString &retyped, int &cursor) const;
    // The position of the first literal c at or after index; -1 when there is none.
    int LiteralAt(int index, QChar c) const;
    // A number in a mask of digit places around a decimal point ("99999.99"), in the mask's text form: the
    // whole part in the places before the point, the decimals rounded to the places after it.
    // False when the mask is not of that kind or the number has no room in it.
    bool NumberText(double value, QString &text) const;
    // Whether the mask is of digit places around a decimal point.
    bool IsNumberMask() const;
    // Whether the text shows nothing but the mask's literals and blanks.
    bool IsTextEmpty(const QString &text) const;

private:
    // The input places before and after the point of a number mask; false for other masks.
    bool numberPlaces(int &whole, int &decimals) const;
    struct Position {
        enum Kind { Literal, Input } kind = Literal;
        QChar ch; // the literal, or the class letter of the original language
        bool required = false;
        int caseMode = 0; // 1 upper, -1 lower
    };
    QString fill(const QString &value, bool valueHasLiterals, QChar blank) const;
    static bool accepts(const Position &p, QChar c);

    QList<Position> positions_;
    bool saveLiterals_ = true;
    bool reverse_ = false;
    QChar blank_ = QLatin1Char('_');
};

// FormatMaskText(mask, value): the value shaped by an edit mask.
QString FormatMaskText(const QString &mask, const QString &value);
