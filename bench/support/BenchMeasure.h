#pragma once

// Timings, memory figures and gpsbabel runs, as every benchmark takes them. Qt Core only,
// so the OV2 library's benchmark shares them too.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace Bench {

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// How long the work takes, in seconds.
inline double seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double medianSeconds(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(seconds(work));
    return median(times);
}

// A field of /proc/self/status in megabytes, such as VmRSS or VmHWM.
inline double statusMegabytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(line.find(':') + 1)) / 1024.0;
    }
    return 0;
}

// Lets VmHWM measure the peak of what follows.
inline void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Runs gpsbabel to its end; when it does not start or fails, says what it wrote.
inline bool runGpsbabel(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (process.waitForFinished(-1) && process.exitCode() == 0)
        return true;
    std::fprintf(stderr, "gpsbabel failed: %s\n", process.readAllStandardError().constData());
    return false;
}

}  // namespace Bench
