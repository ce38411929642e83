#include "library/XmlNode.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

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
    auto copy = std::make_unique<TXmlNode>();
    copy->Name = Name;
    copy->Text = Text;
    copy->Attributes = Attributes;
    for (const auto &c : Children) {
        copy->Children.push_back(c->Clone());
        copy->Children.back()->Parent = copy.get();
    }
    return copy;
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

void TXmlNode::Each(const QString &name, const std::function<void(TXmlNode *)> &visit)
{
    // By index: a visit may add siblings after the node it is given.
    for (size_t i = 0; i < Children.size(); ++i) {
        TXmlNode *c = Children[i].get();
        if (c->Name == name)
            visit(c);
        else if (c->IsElement())
            c->Each(name, visit);
    }
}

bool TXmlDocument::Parse(const QByteArray &bytes, QString *error)
{
    Root.reset();
    QXmlStreamReader reader(bytes);
    reader.setNamespaceProcessing(false);
    TXmlNode *current = nullptr;
    while (!reader.atEnd()) {
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
            current = node;
            break;
        }
        case QXmlStreamReader::EndElement:
            current = current ? current->Parent : nullptr;
            break;
        case QXmlStreamReader::Characters:
            if (current)
                current->AddText(reader.text().toString());
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

void write(QXmlStreamWriter &w, const TXmlNode &node)
{
    if (!node.IsElement()) {
        w.writeCharacters(node.Text);
        return;
    }
    w.writeStartElement(node.Name);
    for (const auto &a : node.Attributes)
        w.writeAttribute(a.first, a.second);
    for (const auto &c : node.Children)
        write(w, *c);
    w.writeEndElement();
}

} // namespace

QByteArray TXmlDocument::Bytes() const
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument(QStringLiteral("1.0"), true);
    if (Root)
        write(w, *Root);
    w.writeEndDocument();
    return out;
}
