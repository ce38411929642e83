// The reader of report definition files: a compact XML subset of elements, attributes and raw inner text
// (an SQL statement may hold "<", "<=" and ">"), read into a tree of elements.
#pragma once

#include "platform/os/Exception.h"

#include <QString>
#include <memory>
#include <vector>

// The reader's errors on malformed definitions.
class EXMLError : public Exception {
public:
    using Exception::Exception;
};

struct TXMLAttribute {
    QString Name;
    QString Value;
};

class TXMLAttributes {
public:
    int Count() const { return int(items_.size()); }
    const TXMLAttribute &operator[](int i) const { return items_[i]; }
    void Add(const QString &name, const QString &value) { items_.push_back({name, value}); }
    // The first attribute of the name (case-sensitive), or null.
    const TXMLAttribute *Find(const QString &name) const;

private:
    std::vector<TXMLAttribute> items_;
};

class TXMLElement;

class TXMLElements {
public:
    int Count() const { return int(items_.size()); }
    TXMLElement *operator[](int i) const { return items_[i].get(); }
    TXMLElement *Add(const QString &name);
    // The first child of the name (case-sensitive), or null.
    TXMLElement *Find(const QString &name) const;

private:
    std::vector<std::unique_ptr<TXMLElement>> items_;
};

class TXMLElement {
public:
    explicit TXMLElement(QString name) : Name(std::move(name)) {}
    QString Name;
    QString InnerText;

    // Made on first use.
    TXMLAttributes &Attributes();
    TXMLElements &Elements();
    bool HasElements() const { return elements_ && elements_->Count() > 0; }
    bool HasAttributes() const { return attributes_ && attributes_->Count() > 0; }
    bool HasAttribute(const QString &name) const { return attributes_ && attributes_->Find(name); }
    // The value, or "" when there is no such attribute.
    QString AttributeValue(const QString &name) const;

private:
    std::unique_ptr<TXMLAttributes> attributes_;
    std::unique_ptr<TXMLElements> elements_;
};

class TXMLReader {
public:
    // Reads the whole file (UTF-8 when valid, else Windows-1250); throws Exception when it cannot be opened,
    // EXMLError when it is larger than MaxFileSize.
    explicit TXMLReader(const QString &fileName);
    // A reader over text already in memory.
    static TXMLReader FromText(const QString &text);
    // The document element, which must be <xreport>; the caller owns it. Throws EXMLError.
    std::unique_ptr<TXMLElement> Parse();

    // Elements may nest this deep; a deeper file is refused rather than exhausting the stack.
    static constexpr int MaxDepth = 256;
    // A definition is a few kilobytes; a larger file is refused before it is read.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

private:
    TXMLReader() = default;
    enum class Token { None, Punct, Quoted, Word };
    // The next token into token_; false at the end of the text.
    bool NextToken();
    // The next token, which must be there inside a tag.
    void NextTagToken();
    // The content of parent up to its closing tag; returns at its end.
    void ParseElement(TXMLElement *parent, int depth);
    // Reads the tag of a new child (after "<" and its name); true when it was an empty element.
    bool ParseAttributes(TXMLElement *element);
    void ParseClosingTag(TXMLElement *parent);
    void ReadInnerText(TXMLElement *parent, int from);
    bool isPunct(const QString &p) const { return kind_ == Token::Punct && token_ == p; }

    QString text_;
    int pos_ = 0;
    int tokenStart_ = 0;
    QString token_;
    Token kind_ = Token::None;
};
