#include "map/MapPageTexts.h"

#include "platform/ResourceSchemeHandler.h"

#include <QJsonDocument>
#include <QJsonObject>

void MapPageTexts::Provide()
{
    ResourceSchemeHandler::Provide(QStringLiteral("map/texts.js"), &MapPageTexts::Script);
}

QByteArray MapPageTexts::Script()
{
    QJsonObject texts;
    const auto add = [&texts](const char* name, const QString& text) {
        if (!text.isEmpty())
            texts.insert(QLatin1String(name), text);
    };
    add("language", lkLanguage());
    add("notFound", lkNotFound());
    add("unreachable", lkUnreachable());
    add("attribution", lkAttribution());
    return "window.LumetraMapTexts = " + QJsonDocument(texts).toJson(QJsonDocument::Compact) + ";\n";
}

LOCALIZED_TEXT(MapPageTexts, lkLanguage, "")
LOCALIZED_TEXT(MapPageTexts, lkNotFound, "")
LOCALIZED_TEXT(MapPageTexts, lkUnreachable, "")
LOCALIZED_TEXT(MapPageTexts, lkAttribution, "")
