#include "platform/CoordinateRule.h"
#include "platform/TextFunctions.h"

#include <QTest>

#include <charconv>
#include <cmath>
#include <optional>
#include <random>

using Axis = CoordinateRule::Axis;

// The one rule on every road into a coordinate cell: what is accepted, what is stored,
// and what a script or a KML reader receives.
class TestCoordinateRule : public QObject {
    Q_OBJECT
private slots:
    void accepted_data();
    void accepted();
    void decimal_data();
    void decimal();
    void formattedRoundsAsSixDecimals();
};

void TestCoordinateRule::accepted_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("axis");
    QTest::addColumn<QString>("stored");  // empty: refused

    const int lat = int(Axis::Latitude);
    const int lon = int(Axis::Longitude);
    QTest::newRow("plain") << "45.5" << lat << "45.5";
    QTest::newRow("comma as point") << "43,5" << lat << "43.5";
    QTest::newRow("blanks and sign") << " +10 " << lon << "10";
    QTest::newRow("leading zeros") << "010" << lat << "10";
    QTest::newRow("leading zero with point") << "07.5" << lon << "7.5";
    QTest::newRow("trailing zeros") << "-7.250" << lon << "-7.25";
    QTest::newRow("seven decimals") << "43.1234567" << lat << "43.123457";
    QTest::newRow("exponent") << "1.5e1" << lat << "15";
    QTest::newRow("north pole") << "90" << lat << "90";
    QTest::newRow("south pole") << "-90.0" << lat << "-90";
    QTest::newRow("date line") << "-180" << lon << "-180";
    QTest::newRow("latitude past the pole") << "90.000001" << lat << "";
    QTest::newRow("latitude 999") << "999" << lat << "";
    QTest::newRow("longitude as latitude") << "120" << lat << "";
    QTest::newRow("longitude 1e5") << "1e5" << lon << "";
    QTest::newRow("longitude past the line") << "-180.5" << lon << "";
    QTest::newRow("reads as 0 but is huge") << "1e400" << lon << "";
    QTest::newRow("zero with exponent") << "0e400" << lon << "0";
    QTest::newRow("letters") << "40.abc" << lat << "";
    QTest::newRow("two commas") << "1,2,3" << lat << "";
    QTest::newRow("empty") << "" << lat << "";
    QTest::newRow("infinity") << "inf" << lon << "";
}

void TestCoordinateRule::accepted()
{
    QFETCH(QString, typed);
    QFETCH(int, axis);
    QFETCH(QString, stored);
    const std::optional<QString> result = CoordinateRule::Accepted(typed, Axis(axis));
    QCOMPARE(result.value_or(QString()), stored);
    if (result)
        QCOMPARE(Val(*result), Val(*CoordinateRule::Accepted(*result, Axis(axis))));
}

void TestCoordinateRule::decimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("decimal");

    QTest::newRow("as it stands") << "45.123456" << "45.123456";
    QTest::newRow("leading zeros read as decimal, not octal") << "010" << "10";
    QTest::newRow("leading zero before a point") << "07.5" << "7.5";
    QTest::newRow("six zeros") << "10.000000" << "10";
    QTest::newRow("blanks") << " 9.25 " << "9.25";
    QTest::newRow("plus sign") << "+3" << "3";
    QTest::newRow("bare point") << ".5" << "0.5";
    QTest::newRow("exponent") << "-2.5e-7" << "-0.00000025";
    QTest::newRow("negative zero") << "-0" << "0";
    QTest::newRow("not a number reads as Val does") << "41abc" << "41";
    QTest::newRow("nothing") << "" << "0";
}

void TestCoordinateRule::decimal()
{
    QFETCH(QString, text);
    QFETCH(QString, decimal);
    QCOMPARE(CoordinateRule::Decimal(text), decimal);
    QCOMPARE(Val(decimal), Val(text));
}

// The text to_chars gives at six decimals, without trailing zeros, a bare point or "-0".
static QString sixDecimals(double value)
{
    char buffer[400];
    char* end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6).ptr;
    while (end[-1] == '0')
        --end;
    if (end[-1] == '.')
        --end;
    QString text = QString::fromLatin1(buffer, end - buffer);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

void TestCoordinateRule::formattedRoundsAsSixDecimals()
{
    // Halves of the sixth decimal, values near them and far beyond a position, and every
    // kind of value a file holds.
    std::vector<double> values{0.0, -0.0, 5e-7, -5e-7, 4.999999e-7, 2.5e-6, 1.0000005, -1.0000015, 0.1234565,
                               999999.9999995, 1e6, -1e6 - 0.5e-6, 123456.7890125, 1e20, -3.5e300, 21474.83647,
                               -21474.83648};
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int32_t> units(INT32_MIN, INT32_MAX);
    std::uniform_real_distribution<double> degrees(-2e6, 2e6);
    for (int i = 0; i < 20000; ++i) {
        values.push_back(units(random) / 100000.0);
        values.push_back(degrees(random));
        values.push_back((std::floor(degrees(random) * 1e6) + 0.5) / 1e6);
    }
    for (double value : values)
        QCOMPARE(CoordinateRule::Formatted(value), sixDecimals(value));
}

QTEST_APPLESS_MAIN(TestCoordinateRule)

#include "tst_coordinaterule.moc"
