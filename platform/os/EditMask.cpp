#include "EditMask.h"

#include "Format.h"

#include <algorithm>
#include <cmath>

namespace {

// Characters with a meaning in Qt's input-mask language; as literals they need a backslash.
bool isQtMeta(QChar c)
{
    static const QString meta = QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{};");
    return meta.contains(c);
}

// The three ';' sections, where a '\' protects the next character.
QStringList splitMask(const QString &mask)
{
    QStringList sections;
    QString current;
    for (int i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        if (c == QLatin1Char('\\') && i + 1 < mask.size() && sections.isEmpty()) {
            current += c;
            current += mask[++i];
        } else if (c == QLatin1Char(';')) {
            sections << current;
            current.clear();
        } else {
            current += c;
        }
    }
    sections << current;
    return sections;
}

} // namespace

TEditMask::TEditMask(const QString &mask)
{
    if (mask.isEmpty())
        return;
    const QStringList sections = splitMask(mask);
    if (sections.size() > 1 && sections[1].trimmed() == QLatin1String("0"))
        saveLiterals_ = false;
    if (sections.size() > 2 && !sections[2].isEmpty())
        blank_ = sections[2][0];

    const QString &m = sections[0];
    int caseMode = 0;
    for (int i = 0; i < m.size(); ++i) {
        const QChar c = m[i];
        Position p;
        switch (c.unicode()) {
        case '!':
            reverse_ = true;
            continue;
        case '>':
            caseMode = 1;
            continue;
        case '<':
            if (i + 1 < m.size() && m[i + 1] == QLatin1Char('>')) { // "<>": no case conversion
                caseMode = 0;
                ++i;
            } else {
                caseMode = -1;
            }
            continue;
        case '\\':
            if (i + 1 < m.size())
                p.ch = m[++i];
            else
                continue;
            break;
        case '0':
        case '9':
        case '#':
        case 'L':
        case 'l':
        case 'A':
        case 'a':
        case 'C':
        case 'c':
            p.kind = Position::Input;
            p.ch = c;
            p.required =
                c == QLatin1Char('0') || c == QLatin1Char('L') || c == QLatin1Char('A') || c == QLatin1Char('C');
            p.caseMode = caseMode;
            break;
        case '/':
            p.ch = FormatSettings().DateSeparator;
            break;
        case ':':
            p.ch = FormatSettings().TimeSeparator;
            break;
        case '_':
            p.ch = QLatin1Char(' ');
            break;
        default:
            p.ch = c;
            break;
        }
        positions_ << p;
    }
}

int TEditMask::InputLength() const
{
    int n = 0;
    for (const Position &p : positions_)
        n += p.kind == Position::Input;
    return n;
}

QString TEditMask::QtInputMask() const
{
    if (positions_.isEmpty())
        return {};
    QString out;
    int caseMode = 0;
    for (const Position &p : positions_) {
        if (p.kind == Position::Literal) {
            if (isQtMeta(p.ch))
                out += QLatin1Char('\\');
            out += p.ch;
            continue;
        }
        if (p.caseMode != caseMode) {
            out += p.caseMode > 0 ? QLatin1Char('>') : p.caseMode < 0 ? QLatin1Char('<') : QLatin1Char('!');
            caseMode = p.caseMode;
        }
        switch (p.ch.unicode()) {
        case '0':
            out += QLatin1Char('9');
            break;
        case '9':
            out += QLatin1Char('0');
            break;
        case '#':
            out += QLatin1Char('#');
            break;
        case 'L':
            out += QLatin1Char('A');
            break;
        case 'l':
            out += QLatin1Char('a');
            break;
        case 'A':
            out += QLatin1Char('N');
            break;
        case 'a':
            out += QLatin1Char('n');
            break;
        case 'C':
            out += QLatin1Char('X');
            break;
        default:
            out += QLatin1Char('x');
            break;
        }
    }
    out += QLatin1Char(';');
    out += blank_;
    return out;
}

bool TEditMask::accepts(const Position &p, QChar c)
{
    switch (p.ch.unicode()) {
    case '0':
    case '9':
        return c.isDigit();
    case '#':
        return c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-');
    case 'L':
    case 'l':
        return c.isLetter();
    case 'A':
    case 'a':
        return c.isLetterOrNumber();
    default:
        return true;
    }
}

bool TEditMask::Typeable(int index, QChar c) const
{
    // The first input position decides; beyond it only a literal typed as itself is looked for, so that
    // typing a separator still skips the optional places before it.
    bool passedInput = false;
    for (int i = std::max(index, 0); i < positions_.size(); ++i) {
        const Position &p = positions_[i];
        if (p.kind == Position::Input) {
            if (!passedInput && accepts(p, c))
                return true;
            passedInput = true;
        } else if (p.ch == c) {
            return true;
        }
    }
    return false;
}

bool TEditMask::RetypeAfterLiterals(const QString &display, int index, QChar c, QString &retyped, int &cursor) const
{
    // The input places that end at the cursor, and the cursor at their end.
    if (index <= 0 || index > positions_.size() || display.size() != positions_.size())
        return false;
    if (index < positions_.size() && positions_[index].kind == Position::Input)
        return false;
    int first = index;
    while (first > 0 && positions_[first - 1].kind == Position::Input)
        --first;
    if (first == index || Typeable(index, c) || !accepts(positions_[first], c))
        return false;
    // The literals before them that those places could also take ("20" of ".20").
    QString literals;
    for (int i = first - 1;
         i >= 0 && positions_[i].kind == Position::Literal && accepts(positions_[first], positions_[i].ch); --i)
        literals.prepend(positions_[i].ch);
    const QString typed = display.mid(first, index - first);
    if (literals.isEmpty() || !typed.startsWith(literals))
        return false;
    const QString kept = typed.mid(literals.size()) + c;
    if (kept.size() > index - first)
        return false;
    retyped = display;
    for (int i = first; i < index; ++i) {
        const int k = i - first;
        const QChar ch = k < kept.size() ? kept[k] : blank_;
        const int caseMode = positions_[i].caseMode;
        retyped[i] = caseMode > 0 ? ch.toUpper() : caseMode < 0 ? ch.toLower() : ch;
    }
    cursor = first + int(kept.size());
    return true;
}

QString TEditMask::fill(const QString &value, bool valueHasLiterals, QChar blank) const
{
    // The characters for the input positions, in order; literals in the value are skipped where they sit.
    QString chars;
    if (valueHasLiterals) {
        int v = 0;
        for (const Position &p : positions_) {
            if (v >= value.size())
                break;
            if (p.kind == Position::Literal) {
                if (value[v] == p.ch)
                    ++v;
                continue;
            }
            chars += value[v++];
        }
    } else {
        chars = value;
    }
    const int inputs = InputLength();
    chars.truncate(inputs);
    if (reverse_ && chars.size() < inputs)
        chars = QString(inputs - chars.size(), QLatin1Char(' ')) + chars;

    QString out;
    int k = 0;
    for (const Position &p : positions_) {
        if (p.kind == Position::Literal) {
            out += p.ch;
            continue;
        }
        QChar c = k < chars.size() ? chars[k] : QChar(QLatin1Char(' '));
        ++k;
        if (c == QLatin1Char(' ') || c == blank_ || !accepts(p, c)) {
            out += blank;
            continue;
        }
        out += p.caseMode > 0 ? c.toUpper() : p.caseMode < 0 ? c.toLower() : c;
    }
    return out;
}

QString TEditMask::TextFromDisplay(const QString &displayText) const
{
    if (positions_.isEmpty())
        return displayText;
    QString out;
    for (int i = 0; i < positions_.size(); ++i) {
        const Position &p = positions_[i];
        const QChar c = i < displayText.size() ? displayText[i] : QChar(QLatin1Char(' '));
        if (p.kind == Position::Literal) {
            if (saveLiterals_)
                out += p.ch;
        } else {
            out += c == blank_ ? QChar(QLatin1Char(' ')) : c;
        }
    }
    return out;
}

QString TEditMask::DisplayFromText(const QString &text) const
{
    if (positions_.isEmpty())
        return text;
    return fill(text, saveLiterals_, blank_);
}

QString TEditMask::Format(const QString &value) const
{
    if (positions_.isEmpty())
        return value;
    return fill(value, saveLiterals_, QLatin1Char(' '));
}

int TEditMask::LiteralAt(int index, QChar c) const
{
    for (int i = std::max(index, 0); i < positions_.size(); ++i)
        if (positions_[i].kind == Position::Literal && positions_[i].ch == c)
            return i;
    return -1;
}

bool TEditMask::numberPlaces(int &whole, int &decimals) const
{
    int point = -1;
    whole = decimals = 0;
    for (int i = 0; i < positions_.size(); ++i) {
        const Position &p = positions_[i];
        if (p.kind == Position::Input) {
            ++(point < 0 ? whole : decimals);
        } else if (point < 0 && (p.ch == QLatin1Char('.') || p.ch == QLatin1Char(','))) {
            point = i;
        } else {
            return false;
        }
    }
    return point >= 0;
}

bool TEditMask::IsNumberMask() const
{
    int whole = 0, decimals = 0;
    return numberPlaces(whole, decimals);
}

bool TEditMask::NumberText(double value, QString &text) const
{
    int whole = 0, decimals = 0;
    if (!numberPlaces(whole, decimals) || !std::isfinite(value))
        return false;
    const QString digits = QString::number(value, 'f', decimals);
    const qsizetype dot = digits.indexOf(QLatin1Char('.'));
    const QString integer = dot < 0 ? digits : digits.left(dot);
    if (integer.size() > whole)
        return false;
    // The whole part from the first place, as typing fills it (a masked edit shows no leading blanks).
    const QString places = integer + QString(whole - integer.size(), QLatin1Char(' ')) + digits.mid(dot + 1);
    QString out;
    int k = 0;
    for (const Position &p : positions_) {
        if (p.kind == Position::Literal) {
            if (saveLiterals_)
                out += p.ch;
            continue;
        }
        const QChar c = places[k++];
        if (c != QLatin1Char(' ') && !accepts(p, c))
            return false; // a sign where the place takes digits only
        out += c;
    }
    text = out;
    return true;
}

bool TEditMask::IsTextEmpty(const QString &text) const
{
    if (positions_.isEmpty())
        return text.trimmed().isEmpty();
    return text.trimmed() == TextFromDisplay(QString()).trimmed();
}

QString FormatMaskText(const QString &mask, const QString &value)
{
    return TEditMask(mask).Format(value);
}
