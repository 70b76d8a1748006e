#pragma once

#include "platform/Localized.h"

#include <QByteArray>

// The texts of our own map page in the program's language. The page loads them as
// "texts.js", which the program makes at each load; for a text the translations do not
// hold the page keeps its own English. A page of the maker's server is not given them.
class MapPageTexts {
public:
    // Has the program serve "texts.js" beside its map page.
    static void Provide();
    // "window.LumetraMapTexts = {...};" with the texts the translations hold.
    static QByteArray Script();

    // The page's language, as its "lang" attribute takes it.
    LOCALIZED_TEXT_DECL(lkLanguage);
    // An address search found nothing: the searched text follows.
    LOCALIZED_TEXT_DECL(lkNotFound);
    LOCALIZED_TEXT_DECL(lkUnreachable);
    // The map tiles' credit; %1 stands for the link to OpenStreetMap.
    LOCALIZED_TEXT_DECL(lkAttribution);
};
