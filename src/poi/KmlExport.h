#pragma once

#include <QString>

class Applicazione;

// KML 2.0 export of a document's rows.
class KmlExport {
public:
    explicit KmlExport(Applicazione& window);

    void SalvaKml();

private:
    Applicazione& w;
};
