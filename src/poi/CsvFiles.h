#pragma once

#include "platform/Localized.h"

#include <QString>

class PoiDocument;
class PoiRows;

// CSV export and import of a document's rows.
class CsvFiles {
public:
    CsvFiles(PoiDocument& document, PoiRows& rows);

    void SalvaCsv();
    bool _FileImportCsv_Action();

    // Said after an import that left lines out; %1 is their number.
    LOCALIZED_TEXT_DECL(lkLinesSkipped);

private:
    PoiDocument& d;
    PoiRows& mRows;
};
