#include "map/DirectoryAnswer.h"

#include "map/DirectoryTree.h"

#include <QRegularExpression>

namespace {

int require(int node)
{
    if (node == DirectoryTree::None)
        throw DirectoryAnswer::Unusable("missing node");
    return node;
}

// The value of the node's first child; a node without one cannot be read.
QString firstChildValue(const DirectoryTree& tree, int node)
{
    return tree.valueOf(require(tree.childAt(require(node), 0)));
}

void requirePlainNumber(const QString& text)
{
    static const QRegularExpression plain(QStringLiteral("^-?\\d{1,3}(\\.\\d+)?$"));
    if (!plain.match(text).hasMatch())
        throw DirectoryAnswer::Unusable("position is not a number");
}

}  // namespace

std::optional<DirectoryEntry> DirectoryAnswer::FirstEntry(const QByteArray& answer)
{
    const DirectoryTree tree(answer);
    const int e = tree.childAt(tree.childAt(tree.childAt(tree.childAt(0, 0), 0), 1), 0);
    if (e == DirectoryTree::None)
        return std::nullopt;

    DirectoryEntry entry;
    entry.name = firstChildValue(tree, tree.childAt(e, 1));
    const int second = require(tree.childAt(e, 2));
    const int secondValue = tree.childAt(second, 0);
    entry.secondName = secondValue == DirectoryTree::None ? QString() : tree.valueOf(secondValue);
    const int address = require(tree.childAt(e, 3));
    const int place = require(tree.childAt(address, 0));
    entry.province = tree.attribute(place, "pr");
    entry.postcode = tree.attribute(place, "cap");
    entry.city = firstChildValue(tree, place);

    const int street = tree.childAt(address, 1);
    if (street == DirectoryTree::None)
        return entry;
    entry.hasStreet = true;
    entry.houseNumber = tree.attribute(street, "nc");
    entry.latitude = tree.attribute(street, "y");
    entry.longitude = tree.attribute(street, "x");
    entry.street = firstChildValue(tree, street);
    QString telephone = firstChildValue(tree, tree.childAt(require(tree.childAt(address, 2)), 0));
    telephone.remove(' ');
    entry.telephone = QStringLiteral("39") + telephone;
    requirePlainNumber(entry.latitude);
    requirePlainNumber(entry.longitude);
    return entry;
}
