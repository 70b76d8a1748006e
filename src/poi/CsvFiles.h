#pragma once

#include <QString>

class Applicazione;

// CSV export and import of a document's rows.
class CsvFiles {
public:
    explicit CsvFiles(Applicazione& window);

    void SalvaCsv();
    bool _FileImportCsv_Action();

private:
    Applicazione& w;
};
