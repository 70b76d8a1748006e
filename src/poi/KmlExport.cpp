#include "poi/KmlExport.h"

#include "window/Applicazione.h"

KmlExport::KmlExport(Applicazione& window)
    : w(window)
{
}

void KmlExport::SalvaKml()
{
}
