#include "map/DirectoryAnswer.h"

#include <QDomDocument>
#include <QRegularExpression>

namespace {

// Child i of a node, counting elements and text that is not only blanks.
QDomNode childAt(const QDomNode& node, int index)
{
    if (node.isNull())
        return QDomNode();
    if (node.isDocument())
        return index == 0 ? QDomNode(node.toDocument().documentElement()) : QDomNode();
    int seen = 0;
    for (QDomNode c = node.firstChild(); !c.isNull(); c = c.nextSibling()) {
        const bool counts = c.isElement() || ((c.isText() || c.isCDATASection()) && !c.nodeValue().trimmed().isEmpty());
        if (counts && seen++ == index)
            return c;
    }
    return QDomNode();
}

QDomNode require(const QDomNode& node)
{
    if (node.isNull())
        throw DirectoryAnswer::Unusable("missing node");
    return node;
}

QString valueOf(const QDomNode& node)
{
    if (node.isElement())
        return node.toElement().text();
    return node.nodeValue();
}

// The value of the node's first child; a node without one cannot be read.
QString firstChildValue(const QDomNode& node)
{
    return valueOf(require(childAt(require(node), 0)));
}

QString attribute(const QDomNode& node, const char* name)
{
    return node.toElement().attribute(QLatin1String(name));
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
    // No document type declarations: nothing from the network expands entities here.
    if (answer.trimmed().isEmpty() || answer.toLower().contains("<!doctype"))
        throw Unusable("malformed answer");
    QDomDocument document;
    if (!document.setContent(answer))
        throw Unusable("malformed answer");

    const QDomNode e = childAt(childAt(childAt(childAt(document, 0), 0), 1), 0);
    if (e.isNull())
        return std::nullopt;

    DirectoryEntry entry;
    entry.name = firstChildValue(childAt(e, 1));
    const QDomNode second = require(childAt(e, 2));
    const QDomNode secondValue = childAt(second, 0);
    entry.secondName = secondValue.isNull() ? QString() : valueOf(secondValue);
    const QDomNode address = require(childAt(e, 3));
    const QDomNode place = require(childAt(address, 0));
    entry.province = attribute(place, "pr");
    entry.postcode = attribute(place, "cap");
    entry.city = firstChildValue(place);

    const QDomNode street = childAt(address, 1);
    if (street.isNull())
        return entry;
    entry.hasStreet = true;
    entry.houseNumber = attribute(street, "nc");
    entry.latitude = attribute(street, "y");
    entry.longitude = attribute(street, "x");
    entry.street = firstChildValue(street);
    QString telephone = firstChildValue(childAt(require(childAt(address, 2)), 0));
    telephone.remove(' ');
    entry.telephone = QStringLiteral("39") + telephone;
    requirePlainNumber(entry.latitude);
    requirePlainNumber(entry.longitude);
    return entry;
}
