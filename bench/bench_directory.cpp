// How fast a telephone directory's answer is read, and how fast a hostile one is refused:
// a real answer, a mebibyte of ever deeper elements that never close, and 100,000 nested
// elements that do. Qt Core only.
// Usage: bench_directory [runs, default 20]

#include "map/DirectoryAnswer.h"
#include "support/BenchMeasure.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>

namespace {

const QByteArray kAnswer = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<risposta><esito><meta/><elenco><voce><id>1</id><nome>Rossi</nome><secondo>Mario</secondo>"
                           "<indirizzo><luogo pr=\"RM\" cap=\"00100\">Roma</luogo>"
                           "<via nc=\"12\" y=\"41.9\" x=\"12.5\">Via del Corso</via>"
                           "<telefoni><tel>06 1234 567</tel></telefoni></indirizzo></voce></elenco></esito></risposta>\n";

// Milliseconds per reading, median of the runs; says whether the answer was refused.
double milliseconds(const QByteArray& answer, int runs, bool& refused)
{
    return 1000 * Bench::medianSeconds(runs, [&] {
        try {
            DirectoryAnswer::FirstEntry(answer);
            refused = false;
        } catch (const DirectoryAnswer::Unusable&) {
            refused = true;
        }
    });
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    QByteArray unclosed;
    while (unclosed.size() < (1 << 20))
        unclosed += "<a>";
    const QByteArray nested = QByteArray("<a>").repeated(100000) + QByteArray("</a>").repeated(100000);
    const struct {
        const char* name;
        const QByteArray& answer;
    } cases[] = {{"real answer", kAnswer}, {"1 MiB unclosed nesting", unclosed}, {"100,000 nested elements", nested}};
    std::printf("%-26s %10s %12s  %s\n", "answer", "bytes", "ms", "result");
    for (const auto& c : cases) {
        bool refused = false;
        const double ms = milliseconds(c.answer, runs, refused);
        std::printf("%-26s %10lld %12.3f  %s\n", c.name, static_cast<long long>(c.answer.size()), ms,
                    refused ? "refused" : "read");
    }
    return 0;
}
