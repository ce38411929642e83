#include "library/xXMLReader.h"

#include "platform/os/TextFile.h"

#include <QFile>

const TXMLAttribute *TXMLAttributes::Find(const QString &name) const
{
    for (const TXMLAttribute &a : items_)
        if (a.Name == name)
            return &a;
    return nullptr;
}

TXMLElement *TXMLElements::Add(const QString &name)
{
    items_.push_back(std::make_unique<TXMLElement>(name));
    return items_.back().get();
}

TXMLElement *TXMLElements::Find(const QString &name) const
{
    for (const auto &e : items_)
        if (e->Name == name)
            return e.get();
    return nullptr;
}

TXMLAttributes &TXMLElement::Attributes()
{
    if (!attributes_)
        attributes_ = std::make_unique<TXMLAttributes>();
    return *attributes_;
}

TXMLElements &TXMLElement::Elements()
{
    if (!elements_)
        elements_ = std::make_unique<TXMLElements>();
    return *elements_;
}

QString TXMLElement::AttributeValue(const QString &name) const
{
    const TXMLAttribute *a = attributes_ ? attributes_->Find(name) : nullptr;
    return a ? a->Value : QString();
}

// ---------------------------------------------------------------- reader

namespace {

const QString DocumentElement = QStringLiteral("xreport");

bool isPunctChar(QChar c)
{
    return c == QLatin1Char('<') || c == QLatin1Char('=') || c == QLatin1Char('>') || c == QLatin1Char('/');
}

bool isBlank(QChar c)
{
    return c.unicode() <= 32;
}

[[noreturn]] void endOfFileInTag()
{
    throw EXMLError(QStringLiteral("Neočakávaný koniec súboru vo vnútri značky!"));
}

} // namespace

TXMLReader::TXMLReader(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Súbor %1 nie je možné otvoriť: %2").arg(fileName, file.errorString()));
    if (file.size() > MaxFileSize)
        throw EXMLError(QStringLiteral("Súbor %1 je väčší ako %2 MB, nie je to definícia zostavy.")
                            .arg(fileName)
                            .arg(MaxFileSize >> 20));
    text_ = DecodeText(file.readAll());
}

TXMLReader TXMLReader::FromText(const QString &text)
{
    TXMLReader reader;
    reader.text_ = text;
    return reader;
}

bool TXMLReader::NextToken()
{
    const int n = int(text_.size());
    while (pos_ < n && isBlank(text_[pos_]))
        ++pos_;
    token_.clear();
    kind_ = Token::None;
    if (pos_ >= n)
        return false;
    tokenStart_ = pos_;
    const QChar c = text_[pos_];
    if (isPunctChar(c)) {
        token_ = c;
        kind_ = Token::Punct;
        ++pos_;
        return true;
    }
    if (c == QLatin1Char('"')) {
        // Up to the closing quote (consumed), a control character (left unread) or the end.
        kind_ = Token::Quoted;
        const int start = ++pos_;
        while (pos_ < n && text_[pos_] != QLatin1Char('"') && text_[pos_].unicode() >= 32)
            ++pos_;
        token_ = text_.mid(start, pos_ - start);
        if (pos_ < n && text_[pos_] == QLatin1Char('"'))
            ++pos_;
        return true;
    }
    // A word: up to a blank (consumed), a control character or punctuation (left unread), or the end.
    kind_ = Token::Word;
    const int start = pos_;
    while (pos_ < n && !isBlank(text_[pos_]) && !isPunctChar(text_[pos_]))
        ++pos_;
    token_ = text_.mid(start, pos_ - start);
    if (pos_ < n && text_[pos_] == QLatin1Char(' '))
        ++pos_;
    return true;
}

void TXMLReader::NextTagToken()
{
    if (!NextToken())
        endOfFileInTag();
}

std::unique_ptr<TXMLElement> TXMLReader::Parse()
{
    pos_ = 0;
    std::unique_ptr<TXMLElement> document;
    while (NextToken()) {
        if (document)
            throw EXMLError(QStringLiteral("Za elementom <xreport> nesmie nasledovať ďalší obsah!"));
        if (!isPunct(QStringLiteral("<")))
            throw EXMLError(QStringLiteral("Text mimo elementu <xreport>!"));
        NextTagToken();
        if (isPunct(QStringLiteral("/"))) {
            NextTagToken();
            if (token_ != DocumentElement)
                throw EXMLError(QStringLiteral("Expecting closing element </xreport>!"));
            throw EXMLError(QStringLiteral("Nadbytočný uzatvárací element </xreport>!"));
        }
        if (kind_ == Token::Punct)
            throw EXMLError(QStringLiteral("Chýba názov elementu!"));
        document = std::make_unique<TXMLElement>(token_);
        if (!ParseAttributes(document.get()))
            ParseElement(document.get(), 1);
    }
    if (!document || document->Name != DocumentElement)
        throw EXMLError(QStringLiteral("Document element must be <xreport>!"));
    return document;
}

bool TXMLReader::ParseAttributes(TXMLElement *element)
{
    enum { Name, Equals, Value, Slash } state = Name;
    QString attribute;
    for (;;) {
        NextTagToken();
        switch (state) {
        case Name:
            if (isPunct(QStringLiteral(">")))
                return false;
            if (isPunct(QStringLiteral("/"))) {
                state = Slash;
            } else {
                attribute = token_;
                state = Equals;
            }
            break;
        case Slash:
            if (!isPunct(QStringLiteral(">")))
                throw EXMLError(QStringLiteral("Expecting > after / !"));
            return true;
        case Equals:
            if (isPunct(QStringLiteral("=")))
                state = Value;
            break;
        case Value:
            element->Attributes().Add(attribute, token_);
            state = Name;
            break;
        }
    }
}

void TXMLReader::ParseElement(TXMLElement *parent, int depth)
{
    if (depth > MaxDepth)
        throw EXMLError(QStringLiteral("Elementy sú vnorené hlbšie ako %1!").arg(MaxDepth));
    while (NextToken()) {
        if (!isPunct(QStringLiteral("<"))) {
            // Text after child elements is passed over; text before them is the whole content.
            if (parent->HasElements())
                continue;
            ReadInnerText(parent, tokenStart_);
            return;
        }
        NextTagToken();
        if (isPunct(QStringLiteral("/"))) {
            ParseClosingTag(parent);
            return;
        }
        if (kind_ == Token::Punct)
            throw EXMLError(QStringLiteral("Chýba názov elementu!"));
        TXMLElement *child = parent->Elements().Add(token_);
        if (!ParseAttributes(child))
            ParseElement(child, depth + 1);
    }
}

void TXMLReader::ParseClosingTag(TXMLElement *parent)
{
    NextTagToken();
    if (token_ != parent->Name)
        throw EXMLError(QStringLiteral("Expecting closing element for %1, found %2!").arg(parent->Name, token_));
    if (!NextToken() || !isPunct(QStringLiteral(">")))
        throw EXMLError(QStringLiteral("Expecting > in closing element!"));
}

void TXMLReader::ReadInnerText(TXMLElement *parent, int from)
{
    const QString closing = QStringLiteral("</") + parent->Name + QLatin1Char('>');
    const qsizetype end = text_.indexOf(closing, from);
    if (end < 0)
        throw EXMLError(QStringLiteral("InnerText: Expected closing element %1 not found!").arg(parent->Name));
    parent->InnerText = text_.mid(from, end - from);
    pos_ = int(end + closing.size());
}
