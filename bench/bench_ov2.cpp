// Speed and memory of the OV2 library beside Debian's gpsbabel, on generated
// files of 100,000 and 1,000,000 POIs with skipper blocks, extended and
// deleted records. Usage: bench_ov2 [runs of the library, default 5]
//                                   [runs of gpsbabel, default 3]

#include "ov2/Ov2Dylib.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void putInt32(std::string& out, int32_t value)
{
    uint32_t bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(char(bits >> shift));
}

void putRecordHeader(std::string& out, char type, size_t length)
{
    out.push_back(type);
    putInt32(out, int32_t(length));
}

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
        std::string text = description(random);
        std::string tail = i % 10 == 0 ? std::string("ID") + std::to_string(i) + '\0' : std::string();
        putRecordHeader(block, i % 10 == 0 ? 3 : 2, 13 + text.size() + 1 + tail.size());
        putInt32(block, int32_t(random() % 36000001) - 18000000);
        putInt32(block, int32_t(random() % 18000001) - 9000000);
        block += text + '\0' + tail;
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

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double medianSeconds(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    return median(times);
}

// A field of /proc/self/status in megabytes, such as VmRSS or VmHWM.
double statusMegabytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(line.find(':') + 1)) / 1024.0;
    }
    return 0;
}

size_t heapInUse()
{
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Lets VmHWM measure the peak of what follows.
void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
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
    return medianSeconds(runs, [&] {
        QProcess process;
        process.start(gpsbabel, arguments);
        if (!process.waitForFinished(-1) || process.exitCode() != 0)
            std::fprintf(stderr, "gpsbabel failed: %s\n", process.readAllStandardError().constData());
    });
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
