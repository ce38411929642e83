#include "library/XmlNode.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>

TXmlNode::~TXmlNode()
{
    // The children's children are taken over before a child is freed, so no destructor finds a subtree.
    std::vector<std::unique_ptr<TXmlNode>> pending = std::move(Children);
    while (!pending.empty()) {
        std::unique_ptr<TXmlNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto &c : node->Children)
            pending.push_back(std::move(c));
        node->Children.clear();
    }
}

QString TXmlNode::Attr(const QString &name) const
{
    for (const auto &a : Attributes)
        if (a.first == name)
            return a.second;
    return {};
}

bool TXmlNode::HasAttr(const QString &name) const
{
    for (const auto &a : Attributes)
        if (a.first == name)
            return true;
    return false;
}

void TXmlNode::SetAttr(const QString &name, const QString &value)
{
    for (auto &a : Attributes)
        if (a.first == name) {
            a.second = value;
            return;
        }
    Attributes.emplace_back(name, value);
}

void TXmlNode::RemoveAttr(const QString &name)
{
    std::erase_if(Attributes, [&](const auto &a) { return a.first == name; });
}

TXmlNode *TXmlNode::AddElement(const QString &name)
{
    return InsertElement(int(Children.size()), name);
}

TXmlNode *TXmlNode::AddText(const QString &text)
{
    auto node = std::make_unique<TXmlNode>();
    node->Text = text;
    node->Parent = this;
    Children.push_back(std::move(node));
    return Children.back().get();
}

TXmlNode *TXmlNode::InsertElement(int place, const QString &name)
{
    auto node = std::make_unique<TXmlNode>();
    node->Name = name;
    node->Parent = this;
    TXmlNode *raw = node.get();
    Children.insert(Children.begin() + place, std::move(node));
    return raw;
}

std::unique_ptr<TXmlNode> TXmlNode::Clone() const
{
    const auto shallow = [](const TXmlNode &from) {
        auto copy = std::make_unique<TXmlNode>();
        copy->Name = from.Name;
        copy->Text = from.Text;
        copy->Attributes = from.Attributes;
        return copy;
    };
    std::unique_ptr<TXmlNode> root = shallow(*this);
    // Pairs of a node and its copy whose children are still to be copied.
    std::vector<std::pair<const TXmlNode *, TXmlNode *>> pending{{this, root.get()}};
    while (!pending.empty()) {
        const auto [from, to] = pending.back();
        pending.pop_back();
        to->Children.reserve(from->Children.size());
        for (const auto &c : from->Children) {
            to->Children.push_back(shallow(*c));
            to->Children.back()->Parent = to;
            pending.emplace_back(c.get(), to->Children.back().get());
        }
    }
    return root;
}

int TXmlNode::IndexInParent() const
{
    if (!Parent)
        return -1;
    for (int i = 0; i < int(Parent->Children.size()); ++i)
        if (Parent->Children[i].get() == this)
            return i;
    return -1;
}

TXmlNode *TXmlNode::CloneAfter()
{
    auto copy = Clone();
    copy->Parent = Parent;
    TXmlNode *raw = copy.get();
    Parent->Children.insert(Parent->Children.begin() + IndexInParent() + 1, std::move(copy));
    return raw;
}

TXmlNode *TXmlNode::Child(const QString &name) const
{
    for (const auto &c : Children)
        if (c->Name == name)
            return c.get();
    return nullptr;
}

void TXmlNode::Walk(const std::function<bool(TXmlNode *)> &visit)
{
    // The path down, as pairs of an element and the index of its next child.
    std::vector<std::pair<TXmlNode *, size_t>> path{{this, 0}};
    while (!path.empty()) {
        auto &[node, next] = path.back();
        if (next >= node->Children.size()) {
            path.pop_back();
            continue;
        }
        TXmlNode *c = node->Children[next++].get();
        if (visit(c))
            path.emplace_back(c, 0);
    }
}

void TXmlNode::Each(const QString &name, const std::function<void(TXmlNode *)> &visit)
{
    Walk([&](TXmlNode *c) {
        if (c->Name != name)
            return c->IsElement();
        visit(c);
        return false;
    });
}

namespace {

// The most attributes a tag of the text has, counted by their "=" outside quoted values; comments,
// character data and processing instructions are passed over.
qsizetype mostAttributes(QByteArrayView text)
{
    qsizetype most = 0;
    for (qsizetype at = text.indexOf('<'); at >= 0; at = text.indexOf('<', at)) {
        const QByteArrayView rest = text.sliced(at);
        const char *end = rest.startsWith("<!--")        ? "-->"
                          : rest.startsWith("<![CDATA[") ? "]]>"
                          : rest.startsWith("<?")        ? "?>"
                                                         : nullptr;
        if (end) {
            const qsizetype close = text.indexOf(end, at + 2);
            if (close < 0)
                break;
            at = close + qsizetype(qstrlen(end));
            continue;
        }
        qsizetype count = 0;
        char quote = 0;
        for (++at; at < text.size(); ++at) {
            const char c = text[at];
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '=') {
                ++count;
            } else if (c == '>' || c == '<') {
                break;
            }
        }
        most = std::max(most, count);
    }
    return most;
}

} // namespace

bool TXmlDocument::Parse(const QByteArray &bytes, QString *error)
{
    Root.reset();
    if (mostAttributes(bytes) > MaxAttributes) {
        if (error)
            *error = QStringLiteral("element časti má viac ako %1 atribútov").arg(MaxAttributes);
        return false;
    }
    QXmlStreamReader reader(bytes);
    reader.setNamespaceProcessing(false);
    TXmlNode *current = nullptr;
    qsizetype items = 0;
    while (!reader.atEnd()) {
        if (items > MaxItems) {
            if (error)
                *error = QStringLiteral("časť má viac ako %1 prvkov").arg(MaxItems);
            Root.reset();
            return false;
        }
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            TXmlNode *node;
            if (!current) {
                Root = std::make_unique<TXmlNode>();
                Root->Name = reader.qualifiedName().toString();
                node = Root.get();
            } else {
                node = current->AddElement(reader.qualifiedName().toString());
            }
            for (const QXmlStreamNamespaceDeclaration &ns : reader.namespaceDeclarations())
                node->Attributes.emplace_back(ns.prefix().isEmpty() ? QStringLiteral("xmlns")
                                                                    : QStringLiteral("xmlns:") + ns.prefix().toString(),
                                              ns.namespaceUri().toString());
            for (const QXmlStreamAttribute &a : reader.attributes())
                if (!node->HasAttr(a.qualifiedName().toString()))
                    node->Attributes.emplace_back(a.qualifiedName().toString(), a.value().toString());
            items += 1 + qsizetype(node->Attributes.size());
            current = node;
            break;
        }
        case QXmlStreamReader::EndElement:
            current = current ? current->Parent : nullptr;
            break;
        case QXmlStreamReader::Characters:
            if (current) {
                current->AddText(reader.text().toString());
                ++items;
            }
            break;
        default:
            break;
        }
    }
    if (reader.hasError() || !Root) {
        if (error)
            *error = reader.errorString();
        Root.reset();
        return false;
    }
    return true;
}

namespace {

void writeStart(QXmlStreamWriter &w, const TXmlNode &node)
{
    w.writeStartElement(node.Name);
    for (const auto &a : node.Attributes)
        w.writeAttribute(a.first, a.second);
}

} // namespace

QByteArray TXmlDocument::Bytes() const
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument(QStringLiteral("1.0"), true);
    if (Root) {
        // The open elements, each with the index of its next child; an element is closed after its last.
        writeStart(w, *Root);
        std::vector<std::pair<const TXmlNode *, size_t>> open{{Root.get(), 0}};
        while (!open.empty()) {
            auto &[node, next] = open.back();
            if (next >= node->Children.size()) {
                w.writeEndElement();
                open.pop_back();
                continue;
            }
            const TXmlNode &c = *node->Children[next++];
            if (!c.IsElement()) {
                w.writeCharacters(c.Text);
            } else {
                writeStart(w, c);
                open.emplace_back(&c, 0);
            }
        }
    }
    w.writeEndDocument();
    return out;
}
