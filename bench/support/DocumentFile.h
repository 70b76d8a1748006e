#pragma once

// The OV2 file the document benchmarks open: simple records with Latin-1 names and phone
// numbers, one in ten longer than 57 characters, positions anywhere on Earth. The names
// repeat, as in files of speed cameras or fuel stations (49,000 distinct among a million),
// unless every one is to be distinct.

#include "support/Ov2Records.h"

#include <QFile>
#include <QString>

#include <cstdint>
#include <fstream>
#include <random>
#include <string>

namespace Bench {

inline std::string generateDocumentFile(int count, bool distinct = false)
{
    static const char* const kinds[] = {"Caff\xe8", "Trattoria", "H\xf4tel", "B\xe4" "ckerei", "Ristorante", "Farmacia",
                                        "Autovelox"};
    static const char* const names[] = {"Sant'Angelo", "dei Fiori", "M\xfcller", "\xc9lys\xe9"
                                        "e", "Ni\xf1o",
                                        "della Stazione", "Bellevue"};
    std::mt19937 random(1234);
    std::string file;
    for (int i = 0; i < count; ++i) {
        std::string text = std::string(kinds[random() % 7]) + " " + names[random() % 7] + " " +
                           std::to_string(distinct ? i : random() % 1000) + ">+39 0" + std::to_string(1000000 + random() % 9000000);
        if (i % 10 == 0)
            text += " aperto dal luned\xec al sabato, chiuso la domenica";
        const int32_t longitude = int32_t(random() % 36000001) - 18000000;
        const int32_t latitude = int32_t(random() % 18000001) - 9000000;
        putPoiRecord(file, 2, longitude, latitude, text);
    }
    return file;
}

inline void writeDocumentFile(const QString& path, int count, bool distinct = false)
{
    const std::string bytes = generateDocumentFile(count, distinct);
    std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

}  // namespace Bench
