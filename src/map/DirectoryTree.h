#pragma once

#include <QByteArray>
#include <QString>
#include <QXmlStreamAttributes>

#include <vector>

// A directory's XML answer as a small tree of elements and texts, read in one pass.
// Node 0 is the document; texts that are only blanks are kept but never counted as
// children. Throws DirectoryAnswer::Unusable for malformed answers, document type
// declarations and nesting far deeper than the directory's own.
class DirectoryTree {
public:
    explicit DirectoryTree(const QByteArray& answer);

    // The directory's answers nest about seven levels deep; anything far deeper is
    // hostile, and refusing it early keeps reading it linear and short.
    static constexpr int kMaxDepth = 16;

    static constexpr int None = -1;

    // Child i of a node, counting elements and texts that are not only blanks.
    int childAt(int node, int index) const;
    // An element's text (all the text inside it), or a text node's own.
    QString valueOf(int node) const;
    QString attribute(int node, const char* name) const;

private:
    struct Node {
        bool element = false;
        QString text;
        QXmlStreamAttributes attributes;
        std::vector<int> children;
    };

    int add(int parent, Node node);

    std::vector<Node> mNodes;
};
