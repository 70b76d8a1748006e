#include "ov2/Ov2Dylib.h"
#include "search/DuplicateScan.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <random>

namespace {

using Positions = std::vector<std::pair<double, double>>;

// The scan as the dialog describes it: every pair of rows still unmarked, in row order.
std::vector<uint8_t> twoPassMarks(const Positions& p, double threshold)
{
    std::vector<uint8_t> marks(p.size(), 0);
    for (size_t i = 0; i < p.size(); ++i) {
        if (marks[i])
            continue;
        for (size_t j = i; j < p.size(); ++j) {
            if (j == i || marks[j])
                continue;
            const double d = DistLatLong(p[i].first, p[i].second, p[j].first, p[j].second);
            if (!(d > threshold)) {
                marks[j] = 1;
                marks[i] = 1;
            }
        }
    }
    return marks;
}

std::vector<uint8_t> fastMarks(const Positions& p, double threshold)
{
    std::vector<double> lat, lon;
    for (const auto& [a, b] : p) {
        lat.push_back(a);
        lon.push_back(b);
    }
    DuplicateScan scan(lat, lon, threshold);
    scan.run();
    return scan.marks();
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Degrees of latitude per kilometre.
const double kDegreesPerKm = 90.0 / DistLatLong(0, 0, 90, 0);

// Random lists of a few hundred rows of one kind; some rows repeat an earlier position
// and some lie about the threshold away from one, so ties and near misses occur.
Positions makeList(const QString& kind, double threshold, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const int n = 200 + int(gen() % 400);
    Positions p;
    for (int i = 0; i < n; ++i) {
        const double pick = u(gen);
        if (!p.empty() && pick < 0.15) {
            p.push_back(p[gen() % p.size()]);
            continue;
        }
        if (!p.empty() && pick < 0.3 && std::isfinite(threshold) && threshold < 1000) {
            auto [lat, lon] = p[gen() % p.size()];
            const double hair = 1.0 + (u(gen) - 0.5) * 2e-9;
            p.push_back({lat + (threshold * hair + 1e-9) * kDegreesPerKm, lon});
            continue;
        }
        double lat = 0, lon = 0;
        if (kind == "clustered") {
            const int centre = int(gen() % 12);
            lat = 43.0 + centre * 0.3 + (u(gen) - 0.5) * 0.02;
            lon = 11.0 + centre * 0.2 + (u(gen) - 0.5) * 0.02;
        } else if (kind == "uniform") {
            lat = std::asin(2 * u(gen) - 1) * 180 / M_PI;
            lon = -180 + 360 * u(gen);
        } else if (kind == "poles") {
            lat = (u(gen) < 0.5 ? 1 : -1) * (u(gen) < 0.2 ? 90.0 : 89.95 + 0.05 * u(gen));
            lon = -180 + 360 * u(gen);
        } else if (kind == "antimeridian") {
            lat = (u(gen) - 0.5) * 0.05;
            lon = (u(gen) < 0.5 ? 180.0 : -180.0) + (u(gen) - 0.5) * 0.03 + (u(gen) < 0.1 ? 360.0 : 0.0);
        } else if (kind == "odd") {
            // Texts that are not numbers read as 0; infinite and far-off values stand in
            // for what no file should hold.
            const double values[] = {0.0, kInf, -kInf, kNaN, 95.0, -270.0, 1e6, 45.001};
            lat = u(gen) < 0.6 ? values[gen() % 8] : 45.0 + 0.01 * u(gen);
            lon = u(gen) < 0.6 ? values[gen() % 8] : 9.0 + 0.01 * u(gen);
        }
        p.push_back({lat, lon});
    }
    return p;
}

}  // namespace

class TestDuplicateScan : public QObject {
    Q_OBJECT
private slots:
    void sameMarksAsTwoPasses_data();
    void sameMarksAsTwoPasses();
    void groupsGrowFromTheirFirstRow();
    void rowByRow();
    void fewComparisons();
};

void TestDuplicateScan::sameMarksAsTwoPasses_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<double>("threshold");
    QTest::addColumn<unsigned>("seed");
    const char* kinds[] = {"clustered", "uniform", "poles", "antimeridian", "odd"};
    const double thresholds[] = {0.0, 0.5, 50.0, 30000.0};
    for (const char* kind : kinds)
        for (const double threshold : thresholds)
            for (unsigned seed = 1; seed <= 3; ++seed)
                QTest::addRow("%s %g #%u", kind, threshold, seed) << QString::fromLatin1(kind) << threshold << seed;
    QTest::addRow("negative threshold") << "odd" << -1.0 << 7u;
    QTest::addRow("half the globe") << "uniform" << DistLatLong(0, 0, 0, 180) << 8u;
    QTest::addRow("a little under half") << "uniform" << 19000.0 << 9u;
}

void TestDuplicateScan::sameMarksAsTwoPasses()
{
    QFETCH(QString, kind);
    QFETCH(double, threshold);
    QFETCH(unsigned, seed);
    const Positions p = makeList(kind, threshold, seed);
    const std::vector<uint8_t> expected = twoPassMarks(p, threshold);
    const std::vector<uint8_t> actual = fastMarks(p, threshold);
    QCOMPARE(actual.size(), expected.size());
    for (size_t row = 0; row < p.size(); ++row) {
        if (actual[row] != expected[row])
            QFAIL(qPrintable(QStringLiteral("row %1 (%2, %3): marked %4, two passes %5")
                                 .arg(row)
                                 .arg(p[row].first, 0, 'g', 17)
                                 .arg(p[row].second, 0, 'g', 17)
                                 .arg(actual[row])
                                 .arg(expected[row])));
    }
}

// A within reach of B, B of C, A not of C: A and B form a group; C, compared with no
// later row, stays alone; D, at C's place but after it, joins C.
void TestDuplicateScan::groupsGrowFromTheirFirstRow()
{
    const double step = 0.4 * kDegreesPerKm;
    const Positions chain{{45, 9}, {45 + step, 9}, {45 + 2 * step, 9}};
    QCOMPARE(fastMarks(chain, 0.5), (std::vector<uint8_t>{1, 1, 0}));
    Positions withD = chain;
    withD.push_back(chain[2]);
    QCOMPARE(fastMarks(withD, 0.5), (std::vector<uint8_t>{1, 1, 1, 1}));
    QCOMPARE(fastMarks({{45, 9}}, 0.5), (std::vector<uint8_t>{0}));
    QCOMPARE(fastMarks({}, 0.5), (std::vector<uint8_t>{}));
}

// Scanned one row at a time, each row reports the rows it marked; marked rows report none.
void TestDuplicateScan::rowByRow()
{
    DuplicateScan scan({45, 50, 45, 50, 45}, {9, 9, 9, 9, 9}, 0.5);
    std::vector<int> marked;
    scan.scanRow(0, marked);
    std::sort(marked.begin(), marked.end());
    QCOMPARE(marked, (std::vector<int>{0, 2, 4}));
    marked.clear();
    scan.scanRow(1, marked);
    std::sort(marked.begin(), marked.end());
    QCOMPARE(marked, (std::vector<int>{1, 3}));
    marked.clear();
    scan.scanRow(2, marked);
    scan.scanRow(3, marked);
    scan.scanRow(4, marked);
    QVERIFY(marked.empty());
}

// The grid spares the comparisons of rows far apart: a few per row, not n²/2.
void TestDuplicateScan::fewComparisons()
{
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::vector<double> lat, lon;
    for (int i = 0; i < 20000; ++i) {
        lat.push_back(std::asin(2 * u(gen) - 1) * 180 / M_PI);
        lon.push_back(-180 + 360 * u(gen));
    }
    DuplicateScan scan(lat, lon, 0.5);
    scan.run();
    QVERIFY2(scan.distanceCalls() < 20000, qPrintable(QString::number(scan.distanceCalls())));
}

QTEST_APPLESS_MAIN(TestDuplicateScan)

#include "tst_duplicatescan.moc"
