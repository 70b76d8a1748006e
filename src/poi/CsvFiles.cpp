#include "poi/CsvFiles.h"

#include "window/Applicazione.h"

CsvFiles::CsvFiles(Applicazione& window)
    : w(window)
{
}

void CsvFiles::SalvaCsv()
{
}

bool CsvFiles::_FileImportCsv_Action()
{
    return false;
}
