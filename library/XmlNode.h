// An XML part of an office document as a tree that keeps every text node (blanks included), prefixes and
// namespace declarations as they stand, so that a part can be changed in a few places and written back.
// A part comes from outside and may nest its elements as deep as it likes: the tree is walked, copied,
// written and freed without recursion.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TXmlNode {
public:
    TXmlNode() = default;
    TXmlNode(const TXmlNode &) = delete;
    TXmlNode &operator=(const TXmlNode &) = delete;
    // Frees the subtree level by level, however deep it is.
    ~TXmlNode();

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
    // Every node below this one in document order, by index (a visit may add siblings after the node it is
    // given); a node's children are walked when its visit returns true.
    void Walk(const std::function<bool(TXmlNode *)> &visit);
    // Every element of the name below this one, in document order (not those inside one of the name).
    void Each(const QString &name, const std::function<void(TXmlNode *)> &visit);

    std::unique_ptr<TXmlNode> Clone() const;
};

// The parsed part: the document's root element, or null with the reason.
struct TXmlDocument {
    // A part may hold at most this many elements, texts and attributes together: a small zipped part can
    // unfold into millions of them, and each takes a hundred bytes or more in the tree.
    static constexpr qsizetype MaxItems = 2'000'000;
    // An element may carry at most this many attributes: the XML reader compares each attribute with every
    // one before it, so a single tag of a hundred thousand attributes would take minutes.
    static constexpr qsizetype MaxAttributes = 256;

    std::unique_ptr<TXmlNode> Root;
    bool Parse(const QByteArray &bytes, QString *error = nullptr);
    QByteArray Bytes() const;
};
