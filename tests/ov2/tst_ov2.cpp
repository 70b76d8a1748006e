// Reading OV2 files through the library: every record type, damaged files,
// and the list the library keeps between calls.

#include "Ov2Fixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <vector>

using namespace ov2test;

class TestOv2 : public QObject {
    Q_OBJECT

private slots:
    void init();
    void readsRecords_data();
    void readsRecords();
    void rejectsMalformedFiles_data();
    void rejectsMalformedFiles();
    void rejectsWhatIsNotAReadableFile_data();
    void rejectsWhatIsNotAReadableFile();
    void outOfRangeIndexGivesEmptyPoi_data();
    void outOfRangeIndexGivesEmptyPoi();
    void bulkReadTakesARange_data();
    void bulkReadTakesARange();
    void initAndDeInitEmptyTheList();
    void visitHandsOverTheFileInBlocks();
    void filesLongerThanAReadingWindow();

private:
    QString fixture(const QByteArray& bytes);
    // The whole list through the bulk read, which must agree with getOv2Poi.
    static QList<Poi> bulkPois();
    void loadGoodFile();

    QTemporaryDir mDir;
    int mFiles = 0;
};

void TestOv2::init()
{
    QVERIFY(mDir.isValid());
    initOv2();
}

QString TestOv2::fixture(const QByteArray& bytes)
{
    QString path = mDir.filePath(QStringLiteral("f%1.ov2").arg(++mFiles));
    if (!writeFile(path, bytes))
        qFatal("cannot write the fixture %s", qPrintable(path));
    return path;
}

QList<Poi> TestOv2::bulkPois()
{
    std::vector<Ov2PoiRef> refs(size_t(getOv2PoiCount()) + 1);
    const int filled = getOv2Pois(0, int(refs.size()), refs.data());
    QList<Poi> pois;
    for (int i = 0; i < filled; ++i) {
        const Ov2PoiRef& ref = refs[size_t(i)];
        if (ref.description != getOv2Poi(i, nullptr, nullptr))
            qWarning("the bulk read's text of POI %d is not getOv2Poi's", i);
        pois.append({QByteArray(ref.description, ref.length), ref.latitude, ref.longitude});
    }
    return pois;
}

// So that a failed read must also clear what an earlier one loaded.
void TestOv2::loadGoodFile()
{
    QCOMPARE(readOv2(fixture(poiRecord(100, 200, "earlier")).toLocal8Bit().constData()), OV2_OK);
    QCOMPARE(getOv2PoiCount(), 1);
}

void TestOv2::readsRecords_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<Poi>>("pois");

    const QByteArray roma = poiRecord(4190280, 1249640, "Roma");
    const QByteArray milano = poiRecord(4546420, 919000, "Milano >02 123456");
    const Poi romaPoi{"Roma", 41.9028, 12.4964};
    const Poi milanoPoi{"Milano >02 123456", 45.4642, 9.19};
    const QByteArray thousand(1000, 'x');

    QTest::newRow("empty file") << QByteArray() << QList<Poi>{};
    QTest::newRow("simple POIs") << roma + milano << QList<Poi>{romaPoi, milanoPoi};
    QTest::newRow("extended POI: identifier and extra data are not the description")
        << poiRecord(4190280, 1249640, "Roma", 3, QByteArray("ID-42\0extra data\0", 17)) + milano
        << QList<Poi>{romaPoi, milanoPoi};
    QTest::newRow("simple POI with bytes after its NUL")
        << poiRecord(4190280, 1249640, "Roma", 2, "padding") << QList<Poi>{romaPoi};
    QTest::newRow("skipper block holding POIs")
        << skipperBlock(roma + milano) << QList<Poi>{romaPoi, milanoPoi};
    QTest::newRow("nested and empty skipper blocks, then a POI outside them")
        << skipperBlock(skipperBlock(roma) + skipperBlock({})) + milano << QList<Poi>{romaPoi, milanoPoi};
    QTest::newRow("deleted records between POIs")
        << deletedRecord("gone") + roma + deletedRecord(poiRecord(1, 1, "old")) + deletedRecord({}) + milano
        << QList<Poi>{romaPoi, milanoPoi};
    QTest::newRow("only skipper blocks and deleted records")
        << skipperBlock(deletedRecord("x")) + deletedRecord({}) << QList<Poi>{};
    QTest::newRow("empty description") << poiRecord(0, 0, "") << QList<Poi>{{"", 0, 0}};
    QTest::newRow("1000-character description")
        << poiRecord(100000, -100000, thousand) << QList<Poi>{{thousand, 1, -1}};
    QTest::newRow("negative coordinates")
        << poiRecord(-3386880, -15120930, "Sydney") + poiRecord(-1, -1, "just south-west")
        << QList<Poi>{{"Sydney", -33.8688, -151.2093}, {"just south-west", -0.00001, -0.00001}};
    QTest::newRow("extreme units") << poiRecord(INT32_MIN, INT32_MAX, "edge")
                                   << QList<Poi>{{"edge", -21474.83648, 21474.83647}};
    QTest::newRow("Latin-1 bytes kept as they are")
        << poiRecord(0, 0, "Caff\xe8 \x80 \xff\xa0")
        << QList<Poi>{{"Caff\xe8 \x80 \xff\xa0", 0, 0}};
}

void TestOv2::readsRecords()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<Poi>, pois);

    loadGoodFile();
    QCOMPARE(readOv2(fixture(bytes).toLocal8Bit().constData()), OV2_OK);
    QCOMPARE(ov2LastError(), "");
    QCOMPARE(ov2LastErrorOffset(), -1);
    QCOMPARE(listedPois(), pois);
    QCOMPARE(bulkPois(), pois);
}

void TestOv2::rejectsMalformedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");

    const QByteArray good = poiRecord(4190280, 1249640, "Roma"); // 18 bytes
    const QByteArray box(16, '\0');

    QTest::newRow("unknown record type") << QByteArray("\x04\x05\0\0\0", 5) << OV2_ERROR_RECORD_TYPE
                                         << "unknown record type 4 at byte 0";
    QTest::newRow("unknown record type after POIs")
        << skipperBlock(good) + good + QByteArray(1, '\xff') << OV2_ERROR_RECORD_TYPE
        << "unknown record type 255 at byte 57";
    QTest::newRow("length field cut short") << good + QByteArray("\x02\x0e\0", 3) << OV2_ERROR_TRUNCATED
                                            << "truncated record at byte 18";
    QTest::newRow("lone type byte") << QByteArray(1, '\0') << OV2_ERROR_TRUNCATED
                                    << "truncated record at byte 0";
    QTest::newRow("POI running past the end") << good + good.left(17) << OV2_ERROR_TRUNCATED
                                              << "truncated record at byte 18: type 2, length 18, only 17";
    QTest::newRow("deleted record running past the end")
        << record(0, 100, "abc") << OV2_ERROR_TRUNCATED << "truncated record at byte 0";
    QTest::newRow("skipper block running past the end")
        << record(1, 21 + good.size() + 1, box) + good << OV2_ERROR_TRUNCATED << "truncated record at byte 0";
    QTest::newRow("skipper record cut short")
        << record(1, 21, box.left(8)) << OV2_ERROR_TRUNCATED << "truncated record at byte 0";
    QTest::newRow("POI without room for a NUL")
        << record(2, 13, int32le(1) + int32le(2)) << OV2_ERROR_LENGTH << "record at byte 0 too short for type 2";
    QTest::newRow("POI of negative length")
        << record(2, -1, good) << OV2_ERROR_LENGTH << "length -1";
    QTest::newRow("extended POI of length 0")
        << record(3, 0, good) << OV2_ERROR_LENGTH << "too short for type 3";
    QTest::newRow("deleted record shorter than its header")
        << good + record(0, 4, {}) << OV2_ERROR_LENGTH << "record at byte 18 too short for type 0";
    QTest::newRow("deleted record of length 0") << record(0, 0, {}) << OV2_ERROR_LENGTH << "length 0";
    QTest::newRow("skipper record shorter than itself")
        << record(1, 20, box) << OV2_ERROR_LENGTH << "too short for type 1: length 20, at least 21";
    QTest::newRow("description without its NUL")
        << good + record(2, 17, int32le(1) + int32le(2) + "abcd") << OV2_ERROR_UNTERMINATED
        << "description at byte 31 has no NUL inside its record";
    QTest::newRow("NUL only past the record's end")
        << record(3, 15, int32le(1) + int32le(2) + "ab") + QByteArray(1, '\0') << OV2_ERROR_UNTERMINATED
        << "description at byte 13";
}

void TestOv2::rejectsMalformedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, code);
    QFETCH(QString, message);

    loadGoodFile();
    QCOMPARE(readOv2(fixture(bytes).toLocal8Bit().constData()), code);
    QVERIFY2(QString::fromLatin1(ov2LastError()).contains(message), ov2LastError());
    // The offset on its own is the record's that the message names.
    QVERIFY(ov2LastErrorOffset() >= 0);
    QVERIFY2(QString::fromLatin1(ov2LastError()).contains(QStringLiteral("at byte %1").arg(ov2LastErrorOffset())),
             ov2LastError());
    QCOMPARE(getOv2PoiCount(), 0);
    double latitude = 1;
    double longitude = 1;
    QCOMPARE(getOv2Poi(0, &latitude, &longitude), "");

    // Handed over POI by POI, the same file is refused before any is.
    int visits = 0;
    const auto visit = [](void* context, int32_t, const Ov2PoiRef*, int32_t) {
        ++*static_cast<int*>(context);
        return 0;
    };
    QCOMPARE(readOv2Each(fixture(bytes).toLocal8Bit().constData(), visit, &visits), code);
    QVERIFY2(QString::fromLatin1(ov2LastError()).contains(message), ov2LastError());
    QCOMPARE(visits, 0);
    QCOMPARE(latitude, 0.0);
    QCOMPARE(longitude, 0.0);
}

void TestOv2::rejectsWhatIsNotAReadableFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("code");

    QTest::newRow("missing file") << QStringLiteral("missing.ov2") << OV2_ERROR_OPEN;
    QTest::newRow("folder") << QString() << OV2_ERROR_OPEN;
}

void TestOv2::rejectsWhatIsNotAReadableFile()
{
    QFETCH(QString, path);
    QFETCH(int, code);

    loadGoodFile();
    QString full = mDir.filePath(path);
    QCOMPARE(readOv2(QFile::encodeName(full).constData()), code);
    QVERIFY2(QString::fromLocal8Bit(ov2LastError()).contains(QDir::cleanPath(full)), ov2LastError());
    QCOMPARE(ov2LastErrorOffset(), -1);
    QCOMPARE(getOv2PoiCount(), 0);

    loadGoodFile();
    QCOMPARE(readOv2(nullptr), OV2_ERROR_ARGUMENT);
    QCOMPARE(getOv2PoiCount(), 0);
}

void TestOv2::outOfRangeIndexGivesEmptyPoi_data()
{
    QTest::addColumn<int>("index");

    QTest::newRow("-1") << -1;
    QTest::newRow("count") << 2;
    QTest::newRow("INT32_MAX") << INT32_MAX;
    QTest::newRow("INT32_MIN") << INT32_MIN;
}

void TestOv2::outOfRangeIndexGivesEmptyPoi()
{
    QFETCH(int, index);

    QCOMPARE(readOv2(fixture(poiRecord(1, 2, "a") + poiRecord(3, 4, "b")).toLocal8Bit().constData()), OV2_OK);
    double latitude = 7;
    double longitude = 7;
    QCOMPARE(getOv2Poi(index, &latitude, &longitude), "");
    QCOMPARE(latitude, 0.0);
    QCOMPARE(longitude, 0.0);
    QCOMPARE(getOv2Poi(index, nullptr, nullptr), "");
    QCOMPARE(getOv2Poi(1, nullptr, &longitude), "b");
    QCOMPARE(longitude, 0.00004);
}

void TestOv2::bulkReadTakesARange_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<QByteArrayList>("descriptions");

    QTest::newRow("all") << 0 << 3 << QByteArrayList{"a", "bb", "c"};
    QTest::newRow("middle") << 1 << 1 << QByteArrayList{"bb"};
    QTest::newRow("past the end") << 1 << INT32_MAX << QByteArrayList{"bb", "c"};
    QTest::newRow("first at the count") << 3 << 1 << QByteArrayList{};
    QTest::newRow("negative first") << -1 << 2 << QByteArrayList{};
    QTest::newRow("no count") << 0 << 0 << QByteArrayList{};
}

void TestOv2::bulkReadTakesARange()
{
    QFETCH(int, first);
    QFETCH(int, count);
    QFETCH(QByteArrayList, descriptions);

    const QByteArray bytes = poiRecord(1, 2, "a") + poiRecord(3, 4, "bb") + poiRecord(5, 6, "c");
    QCOMPARE(readOv2(fixture(bytes).toLocal8Bit().constData()), OV2_OK);
    Ov2PoiRef refs[4] = {};
    QCOMPARE(getOv2Pois(first, count, refs), int(descriptions.size()));
    for (int i = 0; i < descriptions.size(); ++i) {
        QCOMPARE(QByteArray(refs[i].description, refs[i].length), descriptions[i]);
        QCOMPARE(refs[i].latitude, (1 + 2 * (first + i)) / 100000.0);
        QCOMPARE(refs[i].longitude, (2 + 2 * (first + i)) / 100000.0);
    }
    QCOMPARE(refs[descriptions.size()].description, nullptr);
    QCOMPARE(getOv2Pois(0, 1, nullptr), 0);
}

void TestOv2::initAndDeInitEmptyTheList()
{
    loadGoodFile();
    QCOMPARE(deInitOv2(), OV2_OK);
    QCOMPARE(getOv2PoiCount(), 0);

    loadGoodFile();
    QCOMPARE(addOv2Poi("added", 1.5, -2.25), OV2_OK);
    QCOMPARE(listedPois(), (QList<Poi>{{"earlier", 0.001, 0.002}, {"added", 1.5, -2.25}}));
    QCOMPARE(initOv2(), OV2_OK);
    QCOMPARE(getOv2PoiCount(), 0);
    QCOMPARE(getOv2Poi(0, nullptr, nullptr), "");
}

namespace {

struct Visits {
    QList<Poi> pois;
    int calls = 0;
    int total = -1;
    int stopAfter = -1;
};

int32_t collect(void* context, int32_t total, const Ov2PoiRef* pois, int32_t count)
{
    Visits& visits = *static_cast<Visits*>(context);
    ++visits.calls;
    visits.total = total;
    for (int i = 0; i < count; ++i)
        visits.pois.append({QByteArray(pois[i].description, pois[i].length), pois[i].latitude, pois[i].longitude});
    return visits.calls == visits.stopAfter ? 1 : 0;
}

}  // namespace

void TestOv2::visitHandsOverTheFileInBlocks()
{
    QByteArray bytes = deletedRecord("gone") + skipperBlock(poiRecord(1, 2, "in a block"));
    for (int i = 0; i < 2500; ++i)
        bytes += poiRecord(i * 7 - 9000, 18000 - i, "POI " + QByteArray::number(i) + (i % 3 ? "" : " Caff\xe8"));
    const QString path = fixture(bytes);
    QCOMPARE(readOv2(path.toLocal8Bit().constData()), OV2_OK);
    const QList<Poi> listed = bulkPois();
    QCOMPARE(listed.size(), 2501);

    Visits visits;
    QCOMPARE(readOv2Each(path.toLocal8Bit().constData(), collect, &visits), OV2_OK);
    QCOMPARE(visits.pois, listed);
    QCOMPARE(visits.total, 2501);
    QCOMPARE(visits.calls, 3);
    // The library's own list is left as it was.
    QCOMPARE(getOv2PoiCount(), 2501);

    Visits stopped;
    stopped.stopAfter = 1;
    QCOMPARE(readOv2Each(path.toLocal8Bit().constData(), collect, &stopped), OV2_OK);
    QCOMPARE(stopped.calls, 1);
    QCOMPARE(stopped.pois, listed.mid(0, 1024));

    Visits none;
    QCOMPARE(readOv2Each(fixture({}).toLocal8Bit().constData(), collect, &none), OV2_OK);
    QCOMPARE(none.calls, 0);
}

// A file of many megabytes, read a few at a time: records across every boundary, one
// POI longer than any window, blocks and deleted records; then the same file damaged far
// past its first megabytes.
void TestOv2::filesLongerThanAReadingWindow()
{
    QByteArray bytes;
    QList<Poi> expected;
    QList<int> starts;
    auto add = [&](int i, const QByteArray& description) {
        starts << int(bytes.size());
        bytes += poiRecord(i, -i, description);
        expected.append({description, i / 100000.0, -i / 100000.0});
    };
    for (int i = 0; i < 250000; ++i) {
        add(i, QByteArray((i * 37) % 150, char('a' + i % 26)));
        if (i % 5000 == 0)
            bytes += deletedRecord(QByteArray(i % 700, 'x'));
        if (i == 120000)
            add(i, QByteArray(6 << 20, 'L'));
        if (i % 70000 == 0) {
            starts << int(bytes.size() + 21);
            bytes += skipperBlock(poiRecord(7, 8, "in a block"));
            expected.append({"in a block", 7 / 100000.0, 8 / 100000.0});
        }
    }
    const QByteArray path = fixture(bytes).toLocal8Bit();
    QCOMPARE(readOv2(path.constData()), OV2_OK);
    QCOMPARE(bulkPois(), expected);
    Visits visits;
    QCOMPARE(readOv2Each(path.constData(), collect, &visits), OV2_OK);
    QCOMPARE(visits.total, int(expected.size()));
    QVERIFY(visits.pois == expected);

    // Cut inside a record far on, and a record of no known type there: refused where it
    // starts, nothing handed over.
    const int far = starts[200000];
    QByteArray unknown = bytes;
    unknown[far] = 9;
    for (const auto& [damaged, code] : {std::pair{bytes.left(far + 10), OV2_ERROR_TRUNCATED},
                                        {unknown, OV2_ERROR_RECORD_TYPE}}) {
        const QByteArray damagedPath = fixture(damaged).toLocal8Bit();
        QCOMPARE(readOv2(damagedPath.constData()), code);
        QCOMPARE(ov2LastErrorOffset(), far);
        Visits refused;
        QCOMPARE(readOv2Each(damagedPath.constData(), collect, &refused), code);
        QCOMPARE(ov2LastErrorOffset(), far);
        QCOMPARE(refused.calls, 0);
    }
}

QTEST_GUILESS_MAIN(TestOv2)
#include "tst_ov2.moc"
