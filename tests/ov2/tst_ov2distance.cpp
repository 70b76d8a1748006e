// The distance between two positions, in kilometres on the mean Earth sphere.

#include "ov2/Ov2Dylib.h"

#include <QtTest>

#include <cfloat>
#include <cmath>

namespace {

constexpr double kRadius = 6371.0088;
constexpr double kOneDegree = M_PI * kRadius / 180.0; // 111.195 km

} // namespace

class TestOv2Distance : public QObject {
    Q_OBJECT

private slots:
    void knownDistances_data();
    void knownDistances();
    void symmetricAndNeverNaN_data();
    void symmetricAndNeverNaN();
};

void TestOv2Distance::knownDistances_data()
{
    QTest::addColumn<double>("lat1");
    QTest::addColumn<double>("lon1");
    QTest::addColumn<double>("lat2");
    QTest::addColumn<double>("lon2");
    QTest::addColumn<double>("km");
    QTest::addColumn<double>("tolerance");

    // Rome to Milan by the dot and cross products of their unit vectors.
    QTest::newRow("Rome to Milan") << 41.9028 << 12.4964 << 45.4642 << 9.19 << 476.885343 << 1e-5;
    QTest::newRow("one degree of latitude") << 44.0 << 11.0 << 45.0 << 11.0 << kOneDegree << 1e-9;
    QTest::newRow("one degree along the equator") << 0.0 << -0.5 << 0.0 << 0.5 << kOneDegree << 1e-9;
    QTest::newRow("across the antimeridian") << 0.0 << 179.5 << 0.0 << -179.5 << kOneDegree << 1e-9;
    QTest::newRow("across the antimeridian, north") << 60.0 << -179.0 << 60.0 << 179.0
                                                    << 2 * kRadius * std::asin(std::cos(M_PI / 3) * std::sin(M_PI / 180)) << 1e-9;
    QTest::newRow("pole to pole") << 90.0 << 0.0 << -90.0 << 0.0 << M_PI * kRadius << 1e-6;
    QTest::newRow("equator to pole") << 0.0 << 37.0 << 90.0 << 0.0 << M_PI * kRadius / 2 << 1e-6;
    QTest::newRow("the north pole at two longitudes") << 90.0 << 10.0 << 90.0 << -170.0 << 0.0 << 1e-6;
    // The haversine is least precise here; a metre is plenty.
    QTest::newRow("antipodes") << 10.0 << 20.0 << -10.0 << -160.0 << M_PI * kRadius << 1e-3;
    QTest::newRow("a longitude a whole turn on") << 45.0 << 10.0 << 45.0 << 370.0 << 0.0 << 1e-6;
    QTest::newRow("equal positions") << 43.12345 << 10.54321 << 43.12345 << 10.54321 << 0.0 << 0.0;
    QTest::newRow("half a kilometre, the duplicate default") << 0.0 << 0.0 << 0.5 / kOneDegree << 0.0 << 0.5 << 1e-12;
}

void TestOv2Distance::knownDistances()
{
    QFETCH(double, lat1);
    QFETCH(double, lon1);
    QFETCH(double, lat2);
    QFETCH(double, lon2);
    QFETCH(double, km);
    QFETCH(double, tolerance);

    const double distance = DistLatLong(lat1, lon1, lat2, lon2);
    QVERIFY2(std::fabs(distance - km) <= tolerance,
        qPrintable(QStringLiteral("%1 km, expected %2").arg(distance, 0, 'f', 9).arg(km, 0, 'f', 9)));
}

void TestOv2Distance::symmetricAndNeverNaN_data()
{
    QTest::addColumn<double>("lat1");
    QTest::addColumn<double>("lon1");
    QTest::addColumn<double>("lat2");
    QTest::addColumn<double>("lon2");

    QTest::newRow("ordinary") << 41.9 << 12.5 << -33.9 << 151.2;
    QTest::newRow("largest finite values") << DBL_MAX << -DBL_MAX << -DBL_MAX << DBL_MAX;
    QTest::newRow("denormals") << 4.9e-324 << -4.9e-324 << DBL_MIN << 0.0;
    QTest::newRow("latitudes beyond the poles") << 100.0 << 0.0 << -135.0 << 90.0;
    QTest::newRow("huge longitudes") << 45.0 << 7e15 << 45.0 << -7e15;
    QTest::newRow("nearly antipodal") << 0.0 << 0.0 << 1e-9 << 180.0;
    QTest::newRow("a hair apart") << 45.0 << 9.0 << 45.0 << 9.000000000001;
}

void TestOv2Distance::symmetricAndNeverNaN()
{
    QFETCH(double, lat1);
    QFETCH(double, lon1);
    QFETCH(double, lat2);
    QFETCH(double, lon2);

    const double there = DistLatLong(lat1, lon1, lat2, lon2);
    const double back = DistLatLong(lat2, lon2, lat1, lon1);
    QVERIFY2(std::isfinite(there), qPrintable(QString::number(there)));
    QVERIFY(there >= 0 && there <= M_PI * kRadius + 1e-9);
    QCOMPARE(back, there);
    QCOMPARE(DistLatLong(lat1, lon1, lat1, lon1), 0.0);
    QCOMPARE(DistLatLong(lat2, lon2, lat2, lon2), 0.0);
}

QTEST_GUILESS_MAIN(TestOv2Distance)
#include "tst_ov2distance.moc"
