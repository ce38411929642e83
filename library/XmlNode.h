// An XML part of an office document as a tree that keeps every text node (blanks included), prefixes and
// namespace declarations as they stand, so that a part can be changed in a few places and written back.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TXmlNode {
public:
    // An element has a Name; a text node has none and its Text.
    QString Name;
    QString Text;
    std::vector<std::pair<QString, QString>> Attributes;
    std::vector<std::unique_ptr<TXmlNode>> Children;
    TXmlNode *Parent = nullptr;

    bool IsElement() const { return !Name.isEmpty(); }
    // The value of an attribute by its qualified name ("table:name"), or "".
    QString Attr(const QString &name) const;
    bool HasAttr(const QString &name) const;
    void SetAttr(const QString &name, const QString &value);
    void RemoveAttr(const QString &name);

    TXmlNode *AddElement(const QString &name);
    TXmlNode *AddText(const QString &text);
    // A new element put at the place in Children.
    TXmlNode *InsertElement(int place, const QString &name);
    // A deep copy, inserted right after this node in its parent.
    TXmlNode *CloneAfter();
    int IndexInParent() const;
    void ClearChildren() { Children.clear(); }
    // The first child element of the name, or null.
    TXmlNode *Child(const QString &name) const;
    // Every element of the name below this one, in document order.
    void Each(const QString &name, const std::function<void(TXmlNode *)> &visit);

    std::unique_ptr<TXmlNode> Clone() const;
};

// The parsed part: the document's root element, or null with the reason.
struct TXmlDocument {
    std::unique_ptr<TXmlNode> Root;
    bool Parse(const QByteArray &bytes, QString *error = nullptr);
    QByteArray Bytes() const;
};
