#pragma once

#include <QString>

class PoiDocument;
class PoiRows;

// CSV export and import of a document's rows.
class CsvFiles {
public:
    CsvFiles(PoiDocument& document, PoiRows& rows);

    void SalvaCsv();
    bool _FileImportCsv_Action();

private:
    PoiDocument& d;
    PoiRows& mRows;
};
