#pragma once

#include <QString>

class PoiDocument;

// KML 2.0 export of a document's rows.
class KmlExport {
public:
    explicit KmlExport(PoiDocument& document);

    // The file names the maker's web site as its creator.
    void SalvaKml(const QString& webSite);

private:
    PoiDocument& d;
};
