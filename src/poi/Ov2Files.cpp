#include "poi/Ov2Files.h"

#include "window/Applicazione.h"

Ov2Files::Ov2Files(Applicazione& window)
    : w(window)
{
}

void Ov2Files::ApriOv2()
{
}

void Ov2Files::ImportaOv2()
{
}

void Ov2Files::ApriOv2DaFile(const QString&)
{
}

void Ov2Files::SalvaOv2()
{
}

void Ov2Files::SalvaOv2ConNome()
{
}
