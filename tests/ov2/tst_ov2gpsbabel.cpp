// GPSBabel as the peer reader and writer of OV2 files: what the library
// writes reads the same in GPSBabel, and GPSBabel's files (skipper blocks
// and all) read the same in the library.

#include "Ov2Fixtures.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace ov2test;

namespace {

// POIs as GPSBabel's unicsv output shows them: six decimals, UTF-8 names.
struct CsvPoi {
    QString latitude;
    QString longitude;
    QString name;
    bool operator==(const CsvPoi&) const = default;
};

char* toString(const CsvPoi& poi)
{
    return qstrdup(qPrintable(poi.latitude + ", " + poi.longitude + ", " + poi.name));
}

QStringList csvFields(const QString& line)
{
    QStringList fields{QString()};
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        QChar c = line.at(i);
        if (quoted && c == '"' && i + 1 < line.size() && line.at(i + 1) == '"') {
            fields.last().append('"');
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.append(QString());
        } else {
            fields.last().append(c);
        }
    }
    return fields;
}

CsvPoi shown(const Poi& poi)
{
    return {QString::number(poi.latitude, 'f', 6), QString::number(poi.longitude, 'f', 6),
        QString::fromLatin1(poi.description)};
}

QList<CsvPoi> shown(const QList<Poi>& pois)
{
    QList<CsvPoi> rows;
    for (const Poi& poi : pois)
        rows.append(shown(poi));
    return rows;
}

// Descriptions in the range where Windows Latin-1 and Latin-1 agree.
QList<Poi> samplePois(int count)
{
    static const QByteArray names[] = {"Caff\xe8 Sant'Eustachio", "Tr\xe4ume & W\xfcnsche", "Ni\xf1o \"el Pe\xf1\xf3n\"",
        "Hotel \xc9toile, Paris", "Ristorante da Pino"};
    QRandomGenerator random(42);
    QList<Poi> pois;
    for (int i = 0; i < count; ++i) {
        QByteArray description = names[i % 5] + " " + QByteArray::number(i) + " >0" + QByteArray::number(random.bounded(100000000));
        double latitude = (random.bounded(16000001) - 8000000) / 100000.0;
        double longitude = (random.bounded(36000001) - 18000000) / 100000.0;
        pois.append({description, latitude, longitude});
    }
    return pois;
}

} // namespace

class TestOv2Gpsbabel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void ourFileReadsTheSameInGpsbabel();
    void gpsbabelFileReadsTheSameInOurs();

private:
    QList<CsvPoi> gpsbabelReads(const QString& ov2File);
    void gpsbabel(const QStringList& arguments);

    QString mGpsbabel;
    QTemporaryDir mDir;
};

void TestOv2Gpsbabel::initTestCase()
{
    mGpsbabel = QStandardPaths::findExecutable("gpsbabel");
    if (mGpsbabel.isEmpty())
        QSKIP("gpsbabel is not installed");
    QVERIFY(mDir.isValid());
}

void TestOv2Gpsbabel::gpsbabel(const QStringList& arguments)
{
    QProcess process;
    process.start(mGpsbabel, arguments);
    QVERIFY(process.waitForFinished(60000));
    QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
        process.readAllStandardError().constData());
}

QList<CsvPoi> TestOv2Gpsbabel::gpsbabelReads(const QString& ov2File)
{
    const QString csv = mDir.filePath("gpsbabel.csv");
    gpsbabel({"-i", "tomtom", "-f", ov2File, "-o", "unicsv", "-F", csv});
    const QStringList lines = QString::fromUtf8(readFile(csv)).split('\n', Qt::SkipEmptyParts);
    QList<CsvPoi> rows;
    if (lines.isEmpty() || lines.first().trimmed() != "No,Latitude,Longitude,Name") {
        qWarning("unexpected gpsbabel output: %s", qPrintable(lines.value(0)));
        return rows;
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList fields = csvFields(lines.at(i).trimmed());
        rows.append({fields.value(1), fields.value(2), fields.value(3)});
    }
    return rows;
}

void TestOv2Gpsbabel::ourFileReadsTheSameInGpsbabel()
{
    const QList<Poi> pois = samplePois(300) + QList<Poi>{{"", -0.00001, 0.00001}, {"Sud", -89.99999, -179.99999}};
    addPois(pois);
    const QString file = mDir.filePath("ours.ov2");
    QCOMPARE(writeOv2(QFile::encodeName(file).constData()), OV2_OK);
    QCOMPARE(gpsbabelReads(file), shown(pois));
}

void TestOv2Gpsbabel::gpsbabelFileReadsTheSameInOurs()
{
    const QString csv = mDir.filePath("input.csv");
    QByteArray text = "lat,lon,name\n";
    for (const Poi& poi : samplePois(500)) {
        QString name = QString::fromLatin1(poi.description).replace('"', "\"\"");
        text += QString("%1,%2,\"%3\"\n").arg(poi.latitude, 0, 'f', 5).arg(poi.longitude, 0, 'f', 5).arg(name).toUtf8();
    }
    QVERIFY(writeFile(csv, text));
    const QString theirs = mDir.filePath("theirs.ov2");
    gpsbabel({"-i", "unicsv", "-f", csv, "-o", "tomtom", "-F", theirs});
    QVERIFY2(readFile(theirs).startsWith('\x01'), "gpsbabel wrote no skipper block");

    QCOMPARE(readOv2(QFile::encodeName(theirs).constData()), OV2_OK);
    QCOMPARE(getOv2PoiCount(), 500);
    QCOMPARE(shown(listedPois()), gpsbabelReads(theirs));
}

QTEST_GUILESS_MAIN(TestOv2Gpsbabel)
#include "tst_ov2gpsbabel.moc"
