#include "map/DirectoryTree.h"

#include "map/DirectoryAnswer.h"

#include <QXmlStreamReader>

DirectoryTree::DirectoryTree(const QByteArray& answer)
{
    mNodes.push_back(Node{true, {}, {}, {}});
    std::vector<int> open{0};
    QXmlStreamReader xml(answer);
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
            // No document type declarations: nothing from the network expands entities here.
            throw DirectoryAnswer::Unusable("document type declaration");
        case QXmlStreamReader::StartElement:
            if (int(open.size()) > kMaxDepth)
                throw DirectoryAnswer::Unusable("nested too deeply");
            open.push_back(add(open.back(), Node{true, {}, xml.attributes(), {}}));
            break;
        case QXmlStreamReader::EndElement:
            open.pop_back();
            break;
        case QXmlStreamReader::Characters: {
            // Pieces of one text (around entities or sections) form one node.
            std::vector<int>& siblings = mNodes[open.back()].children;
            if (!siblings.empty() && !mNodes[siblings.back()].element)
                mNodes[siblings.back()].text += xml.text();
            else
                add(open.back(), Node{false, xml.text().toString(), {}, {}});
            break;
        }
        default:
            break;
        }
    }
    if (xml.hasError() || mNodes[0].children.empty())
        throw DirectoryAnswer::Unusable("malformed answer");
}

int DirectoryTree::add(int parent, Node node)
{
    const int index = int(mNodes.size());
    mNodes.push_back(std::move(node));
    mNodes[parent].children.push_back(index);
    return index;
}

int DirectoryTree::childAt(int node, int index) const
{
    if (node == None)
        return None;
    int seen = 0;
    for (int c : mNodes[node].children) {
        const bool counts = mNodes[c].element || !mNodes[c].text.trimmed().isEmpty();
        if (counts && seen++ == index)
            return c;
    }
    return None;
}

QString DirectoryTree::valueOf(int node) const
{
    if (!mNodes[node].element)
        return mNodes[node].text;
    QString text;
    for (int c : mNodes[node].children)
        text += valueOf(c);
    return text;
}

QString DirectoryTree::attribute(int node, const char* name) const
{
    return mNodes[node].attributes.value(QLatin1String(name)).toString();
}
