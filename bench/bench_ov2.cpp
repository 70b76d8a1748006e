// Speed and memory of the OV2 library beside Debian's gpsbabel, on generated
// files of 100,000 and 1,000,000 POIs with skipper blocks, extended and
// deleted records. Usage: bench_ov2 [runs of the library, default 5]
//                                   [runs of gpsbabel, default 3]

#include "ov2/Ov2Dylib.h"
#include "support/BenchMeasure.h"
#include "support/Ov2Records.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <random>
#include <string>
#include <vector>

using Bench::medianSeconds;
using Bench::putInt32;
using Bench::putRecordHeader;
using Bench::resetPeak;
using Bench::statusMegabytes;

namespace {

std::string skipperBlock(const std::string& records)
{
    std::string block;
    putRecordHeader(block, 1, 21 + records.size());
    for (int32_t edge : {1800000, 900000, -1800000, -900000})
        putInt32(block, edge);
    return block + records;
}

// Names with Latin-1 accents and a phone number after ">", as users keep them.
std::string description(std::mt19937& random)
{
    static const std::vector<QByteArray> kinds = [] {
        std::vector<QByteArray> list;
        for (const char* kind : {"Caffè", "Trattoria", "Hôtel", "Bäckerei", "Ristorante", "Pâtisserie", "Gasthof",
                 "Farmacia", "Librería", "Autovelox"})
            list.push_back(QString::fromUtf8(kind).toLatin1());
        return list;
    }();
    static const std::vector<QByteArray> names = [] {
        std::vector<QByteArray> list;
        for (const char* name : {"Sant'Angelo", "dei Fiori", "Müller", "Élysée", "São João", "Niño", "Garçon",
                 "Øresund", "Ñandú", "Zürich", "della Stazione", "Bellevue"})
            list.push_back(QString::fromUtf8(name).toLatin1());
        return list;
    }();
    std::string text = kinds[random() % kinds.size()].toStdString() + " " + names[random() % names.size()].toStdString();
    text += " " + std::to_string(random() % 1000) + " >+39 0" + std::to_string(random() % 10) + " "
        + std::to_string(1000000 + random() % 9000000);
    return text;
}

// Blocks of 100 POIs under skipper records, ten blocks to a super-block;
// every tenth POI extended, a deleted record every 37 POIs.
std::string generateFile(int count)
{
    std::mt19937 random(1234);
    std::string file;
    std::string superBlock;
    std::string block;
    for (int i = 0; i < count; ++i) {
        if (i % 37 == 0) {
            putRecordHeader(block, 0, 25);
            block.append(20, '\0');
        }
        const std::string text = description(random);
        const std::string tail = i % 10 == 0 ? std::string("ID") + std::to_string(i) + '\0' : std::string();
        const int32_t longitude = int32_t(random() % 36000001) - 18000000;
        const int32_t latitude = int32_t(random() % 18000001) - 9000000;
        Bench::putPoiRecord(block, i % 10 == 0 ? 3 : 2, longitude, latitude, text, tail);
        if (i % 100 == 99 || i == count - 1) {
            superBlock += skipperBlock(block);
            block.clear();
        }
        if (i % 1000 == 999 || i == count - 1) {
            file += skipperBlock(superBlock);
            superBlock.clear();
        }
    }
    return file;
}

size_t heapInUse()
{
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

struct Poi {
    std::string description;
    double latitude;
    double longitude;
};

double readAll(const std::string& path)
{
    double sum = 0;
    initOv2();
    if (readOv2(path.c_str()) != OV2_OK)
        std::fprintf(stderr, "read failed: %s\n", ov2LastError());
    int32_t count = getOv2PoiCount();
    for (int32_t i = 0; i < count; ++i) {
        double latitude = 0;
        double longitude = 0;
        const char* text = getOv2Poi(i, &latitude, &longitude);
        sum += latitude + longitude + text[0];
    }
    deInitOv2();
    return sum;
}

void writeAll(const std::vector<Poi>& pois, const std::string& path)
{
    initOv2();
    for (const Poi& poi : pois)
        addOv2Poi(poi.description.c_str(), poi.latitude, poi.longitude);
    if (writeOv2(path.c_str()) != OV2_OK)
        std::fprintf(stderr, "write failed: %s\n", ov2LastError());
}

double gpsbabelSeconds(const QString& gpsbabel, int runs, const QStringList& arguments)
{
    return medianSeconds(runs, [&] { Bench::runGpsbabel(gpsbabel, arguments); });
}

void benchmark(int count, const QTemporaryDir& dir, const QString& gpsbabel, int runs, int babelRuns)
{
    const std::string file = QFile::encodeName(dir.filePath(QString("in%1.ov2").arg(count))).toStdString();
    const std::string written = QFile::encodeName(dir.filePath(QString("out%1.ov2").arg(count))).toStdString();
    std::string bytes = generateFile(count);
    std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));

    std::vector<Poi> pois;
    initOv2();
    readOv2(file.c_str());
    for (int32_t i = 0; i < getOv2PoiCount(); ++i) {
        Poi poi;
        poi.description = getOv2Poi(i, &poi.latitude, &poi.longitude);
        pois.push_back(std::move(poi));
    }
    deInitOv2();

    double before = statusMegabytes("VmRSS");
    size_t heapBefore = heapInUse();
    resetPeak();
    readOv2(file.c_str());
    double listMegabytes = (heapInUse() - heapBefore) / 1e6;
    double listResident = statusMegabytes("VmRSS") - before;
    double readPeak = statusMegabytes("VmHWM") - before;
    deInitOv2();

    volatile double sink = 0;
    double readTime = medianSeconds(runs, [&] { sink = sink + readAll(file); });
    double writeTime = medianSeconds(runs, [&] { writeAll(pois, written); });
    deInitOv2();

    std::printf("%9d POIs, file %.1f MB: list %.1f MB allocated, %.1f MB resident (peak %.1f MB while reading)\n",
        count, bytes.size() / 1e6, listMegabytes, listResident, readPeak);
    std::printf("  read  + getOv2Poi x n     %9.1f ms", readTime * 1e3);
    if (!gpsbabel.isEmpty()) {
        double babel = gpsbabelSeconds(gpsbabel, babelRuns,
            {"-i", "tomtom", "-f", QFile::decodeName(file.c_str()), "-o", "unicsv", "-F", "/dev/null"});
        std::printf("   gpsbabel -o unicsv %9.1f ms   %6.1fx faster", babel * 1e3, babel / readTime);
    }
    std::printf("\n  addOv2Poi x n + writeOv2  %9.1f ms", writeTime * 1e3);
    if (!gpsbabel.isEmpty()) {
        double babel = gpsbabelSeconds(gpsbabel, babelRuns,
            {"-i", "tomtom", "-f", QFile::decodeName(file.c_str()), "-o", "tomtom", "-F",
                dir.filePath(QString("babel%1.ov2").arg(count))});
        std::printf("   gpsbabel -o tomtom %9.1f ms   %6.1fx faster", babel * 1e3, babel / writeTime);
    }
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    // A fixed threshold: large blocks always come from the system and go back
    // to it when freed, so resident sizes measure the list alone.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const int runs = arguments.size() > 1 ? std::max(1, arguments.at(1).toInt()) : 5;
    const int babelRuns = arguments.size() > 2 ? std::max(1, arguments.at(2).toInt()) : 3;
    const QString gpsbabel = QStandardPaths::findExecutable("gpsbabel");
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot make a temporary folder\n");
        return 1;
    }
    std::printf("OV2 library, median of %d runs; gpsbabel %s\n", runs,
        gpsbabel.isEmpty() ? "not installed" : qPrintable(QString("median of %1 runs").arg(babelRuns)));
    for (int count : {100000, 1000000})
        benchmark(count, dir, gpsbabel, runs, babelRuns);
    return 0;
}
