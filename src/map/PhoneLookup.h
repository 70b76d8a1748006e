#pragma once

#include "platform/Localized.h"

#include <QString>

class MapBridge;
class MapHost;

// The reverse telephone lookup: asks the online directory named by LUMETRA_DIRECTORY for
// a number's holder and fills the window's entry row with what it finds.
class PhoneLookup {
public:
    PhoneLookup(MapHost& host, MapBridge& map);

    void CercaNumeroTelefono(const QString& number);

    // The request's time-out; tests lower it.
    static int timeoutSeconds;

    // Said when there is no directory to ask; the text is the window's.
    LOCALIZED_TEXT_DECL(lkNoDirectory);

private:
    MapHost& w;
    MapBridge& mMap;
};
