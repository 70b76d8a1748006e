#pragma once

#include <QString>

class Applicazione;

// Opening, importing and saving OV2 files through the OV2 library.
class Ov2Files {
public:
    explicit Ov2Files(Applicazione& window);

    void ApriOv2();
    void ImportaOv2();
    void ApriOv2DaFile(const QString& file);
    void SalvaOv2();
    void SalvaOv2ConNome();

private:
    Applicazione& w;
};
