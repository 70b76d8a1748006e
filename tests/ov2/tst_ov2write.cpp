// Writing OV2 files through the library: exact bytes, positions that never
// move, refused POIs, and saves that fail without harming the old file.

#include "Ov2Fixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace ov2test;

namespace {

enum class Failure { ReadOnlyFolder, ReadOnlyFile, FileSizeLimit, MissingFolder };

QByteArray path8(const QString& path)
{
    return QFile::encodeName(path);
}

// The positions of every record of a file written by the library, in units.
QList<QPair<qint32, qint32>> writtenUnits(const QByteArray& bytes)
{
    QList<QPair<qint32, qint32>> units;
    for (qsizetype pos = 0; pos + 13 <= bytes.size();) {
        qint32 length = qFromLittleEndian<qint32>(bytes.constData() + pos + 1);
        units.append({qFromLittleEndian<qint32>(bytes.constData() + pos + 9),
            qFromLittleEndian<qint32>(bytes.constData() + pos + 5)});
        pos += length;
    }
    return units;
}

// Runs as an ordinary user when the tests run as root, whom permissions do not stop.
class Unprivileged {
public:
    Unprivileged()
    {
        if (geteuid() == 0) {
            mGroupDropped = setegid(65534) == 0;
            mUserDropped = seteuid(65534) == 0;
        }
    }
    ~Unprivileged()
    {
        if (mUserDropped)
            (void)seteuid(0);
        if (mGroupDropped)
            (void)setegid(0);
    }

private:
    bool mGroupDropped = false;
    bool mUserDropped = false;
};

// A caller's POIs, handed to writeOv2Each block by block.
struct Source {
    std::vector<std::string> descriptions;
    std::vector<std::pair<double, double>> positions;
    int calls = 0;

    static int32_t give(void* context, int32_t first, Ov2PoiRef* out, int32_t capacity)
    {
        auto& source = *static_cast<Source*>(context);
        ++source.calls;
        int32_t given = 0;
        for (size_t i = size_t(first); i < source.descriptions.size() && given < capacity; ++i, ++given) {
            const std::string& text = source.descriptions[i];
            out[given] = {text.data(), int32_t(text.size()), source.positions[i].first, source.positions[i].second};
        }
        return given;
    }
};

Source manyPois(int count)
{
    Source source;
    for (int i = 0; i < count; ++i) {
        source.descriptions.push_back("POI " + std::to_string(i) + (i % 7 ? "" : " Caff\xe8 >06"));
        source.positions.push_back({i * 0.00123 - 45, 170 - i * 0.0457});
    }
    return source;
}

} // namespace

class TestOv2Write : public QObject {
    Q_OBJECT

private slots:
    void init();
    void writesGoldenBytes();
    void roundsPositionsToNearestUnit_data();
    void roundsPositionsToNearestUnit();
    void openAndSaveNeverMovesAPoi();
    void roundTripIsByteIdentical();
    void writesDescriptionsWhole_data();
    void writesDescriptionsWhole();
    void refusedPoiBlocksTheWrite_data();
    void refusedPoiBlocksTheWrite();
    void writeEachGivesTheListsBytes();
    void writeEachRefusesABadPoi_data();
    void writeEachRefusesABadPoi();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
    void replacesExistingFileKeepingItsMode();
    void savesThroughALink();
    void savesOverTheLongestName();
    void rejectsUnusableTargets();

private:
    QString path(const QString& name) const { return mDir->filePath(name); }

    std::unique_ptr<QTemporaryDir> mDir;
};

void TestOv2Write::init()
{
    // A folder of its own for each test, so that each can list what is left in it.
    mDir = std::make_unique<QTemporaryDir>();
    QVERIFY(mDir->isValid());
    initOv2();
}

void TestOv2Write::writesGoldenBytes()
{
    const QList<Poi> pois{{"Roma", 41.9028, 12.4964}, {"Caff\xe8 >06", -45.4642, -9.19}};
    addPois(pois);
    QCOMPARE(listedPois(), pois);
    QCOMPARE(writeOv2(path8(path("golden.ov2")).constData()), OV2_OK);
    QCOMPARE(ov2LastError(), "");
    QCOMPARE(readFile(path("golden.ov2")).toHex(' '),
        QByteArray("02 12 00 00 00 68 11 13 00 48 f0 3f 00 52 6f 6d 61 00 "
                   "02 17 00 00 00 28 fa f1 ff 8c a0 ba ff 43 61 66 66 e8 20 3e 30 36 00"));
    QCOMPARE(QDir(mDir->path()).entryList(QDir::Files), QStringList{"golden.ov2"});
}

void TestOv2Write::roundsPositionsToNearestUnit_data()
{
    QTest::addColumn<double>("degrees");
    QTest::addColumn<int>("units");

    QTest::newRow("up") << 43.123456 << 4312346;
    QTest::newRow("down") << 43.123454 << 4312345;
    QTest::newRow("negative, away from zero") << -43.123456 << -4312346;
    QTest::newRow("negative, towards zero") << -43.123454 << -4312345;
    QTest::newRow("tiny negative to zero") << -0.000004 << 0;
    QTest::newRow("tiny negative to -1") << -0.000006 << -1;
    QTest::newRow("tiny positive to 1") << 0.000006 << 1;
    QTest::newRow("one unit below zero") << -0.00001 << -1;
    QTest::newRow("a whole degree from below") << 179.999996 << 18000000;
    QTest::newRow("a whole degree from above, negative") << -179.999996 << -18000000;
    QTest::newRow("largest the file holds") << 21474.83647 << INT32_MAX;
    QTest::newRow("smallest the file holds") << -21474.83648 << INT32_MIN;
}

void TestOv2Write::roundsPositionsToNearestUnit()
{
    QFETCH(double, degrees);
    QFETCH(int, units);

    QCOMPARE(addOv2Poi("latitude", degrees, 0), OV2_OK);
    QCOMPARE(addOv2Poi("longitude", 0, degrees), OV2_OK);
    QCOMPARE(writeOv2(path8(path("r.ov2")).constData()), OV2_OK);
    QCOMPARE(writtenUnits(readFile(path("r.ov2"))), (QList<QPair<qint32, qint32>>{{units, 0}, {0, units}}));
}

// The program shows positions with six decimals and saves what it shows.
void TestOv2Write::openAndSaveNeverMovesAPoi()
{
    QList<QPair<qint32, qint32>> units;
    for (qint32 u = -250000; u <= 250000; ++u)
        units.append({u / 3, u});
    for (qint32 u = -18000000; u <= 18000000; u += 997)
        units.append({u / 2, u});
    for (const auto& [latitude, longitude] : units) {
        double shownLatitude = QString::number(latitude / 100000.0, 'f', 6).toDouble();
        double shownLongitude = QString::number(longitude / 100000.0, 'f', 6).toDouble();
        QCOMPARE(addOv2Poi("p", shownLatitude, shownLongitude), OV2_OK);
    }
    QCOMPARE(writeOv2(path8(path("sweep.ov2")).constData()), OV2_OK);
    QCOMPARE(writtenUnits(readFile(path("sweep.ov2"))), units);
}

void TestOv2Write::roundTripIsByteIdentical()
{
    const QByteArray thousand(1000, 'k');
    const QByteArray original = skipperBlock(poiRecord(4190280, 1249640, "Roma >06 1234")
                                    + deletedRecord("old") + poiRecord(-1, 1, "", 3, QByteArray("id\0x\0", 5)))
        + deletedRecord({}) + skipperBlock(poiRecord(-3386880, -15120930, "Caff\xe8 \x9c\xff"))
        + poiRecord(INT32_MAX, INT32_MIN, thousand);
    QVERIFY(writeFile(path("original.ov2"), original));
    QCOMPARE(readOv2(path8(path("original.ov2")).constData()), OV2_OK);
    const QList<Poi> pois = listedPois();
    QCOMPARE(pois.size(), 4);

    addPois(pois);
    QCOMPARE(writeOv2(path8(path("a.ov2")).constData()), OV2_OK);
    QCOMPARE(readOv2(path8(path("a.ov2")).constData()), OV2_OK);
    QCOMPARE(listedPois(), pois);
    addPois(listedPois());
    QCOMPARE(writeOv2(path8(path("b.ov2")).constData()), OV2_OK);

    const QByteArray expected = poiRecord(4190280, 1249640, "Roma >06 1234") + poiRecord(-1, 1, "")
        + poiRecord(-3386880, -15120930, "Caff\xe8 \x9c\xff") + poiRecord(INT32_MAX, INT32_MIN, thousand);
    QCOMPARE(readFile(path("a.ov2")).toHex(' '), expected.toHex(' '));
    QCOMPARE(readFile(path("b.ov2")), readFile(path("a.ov2")));
}

void TestOv2Write::writesDescriptionsWhole_data()
{
    QTest::addColumn<QByteArray>("description");

    QByteArray everyByte;
    for (int c = 1; c < 256; ++c)
        everyByte.append(char(c));
    QTest::newRow("every Latin-1 byte") << everyByte;
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("1000 characters") << QByteArray(1000, 'd');
    QTest::newRow("larger than the write buffer") << QByteArray(3 << 20, '\xe9');
}

void TestOv2Write::writesDescriptionsWhole()
{
    QFETCH(QByteArray, description);

    addPois({{"before", 1, 2}, {description, -3, 4}, {"after", 5, -6}});
    QCOMPARE(writeOv2(path8(path("d.ov2")).constData()), OV2_OK);
    const QByteArray expected = poiRecord(100000, 200000, "before") + poiRecord(-300000, 400000, description)
        + poiRecord(500000, -600000, "after");
    QVERIFY(readFile(path("d.ov2")) == expected);
    QCOMPARE(readOv2(path8(path("d.ov2")).constData()), OV2_OK);
    QCOMPARE(getOv2PoiCount(), 3);
    QVERIFY(QByteArray(getOv2Poi(1, nullptr, nullptr)) == description);
}

void TestOv2Write::refusedPoiBlocksTheWrite_data()
{
    QTest::addColumn<bool>("hasDescription");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");

    QTest::newRow("no description") << false << 1.0 << 2.0;
    QTest::newRow("latitude not a number") << true << qQNaN() << 2.0;
    QTest::newRow("longitude infinite") << true << 1.0 << -qInf();
    QTest::newRow("latitude beyond the file") << true << 21474.83648 << 2.0;
    QTest::newRow("longitude beyond the file") << true << 1.0 << -21474.8365;
}

void TestOv2Write::refusedPoiBlocksTheWrite()
{
    QFETCH(bool, hasDescription);
    QFETCH(double, latitude);
    QFETCH(double, longitude);

    const QByteArray old = poiRecord(1, 2, "old");
    QVERIFY(writeFile(path("keep.ov2"), old));
    QCOMPARE(addOv2Poi("good", 1, 2), OV2_OK);
    QCOMPARE(addOv2Poi(hasDescription ? "bad" : nullptr, latitude, longitude), OV2_ERROR_ARGUMENT);
    QVERIFY(*ov2LastError());
    QCOMPARE(getOv2PoiCount(), 1);
    QCOMPARE(addOv2Poi("good too", 3, 4), OV2_OK);

    QCOMPARE(writeOv2(path8(path("keep.ov2")).constData()), OV2_ERROR_INCOMPLETE);
    QVERIFY2(QByteArray(ov2LastError()).startsWith("1 POI"), ov2LastError());
    QCOMPARE(readFile(path("keep.ov2")), old);

    addPois({{"good", 1, 2}});
    QCOMPARE(writeOv2(path8(path("keep.ov2")).constData()), OV2_OK);
    QCOMPARE(readFile(path("keep.ov2")), poiRecord(100000, 200000, "good"));
}

void TestOv2Write::writeEachGivesTheListsBytes()
{
    // More than one block, and an empty source.
    Source source = manyPois(2500);
    for (size_t i = 0; i < source.descriptions.size(); ++i)
        QCOMPARE(addOv2Poi(source.descriptions[i].c_str(), source.positions[i].first, source.positions[i].second), OV2_OK);
    QCOMPARE(writeOv2(path8(path("list.ov2")).constData()), OV2_OK);
    QCOMPARE(writeOv2Each(path8(path("each.ov2")).constData(), &Source::give, &source), OV2_OK);
    QCOMPARE(readFile(path("each.ov2")), readFile(path("list.ov2")));
    QCOMPARE(source.calls, 3);
    QCOMPARE(getOv2PoiCount(), 2500);

    Source none;
    QCOMPARE(writeOv2Each(path8(path("each.ov2")).constData(), &Source::give, &none), OV2_OK);
    QCOMPARE(readFile(path("each.ov2")), QByteArray());
}

void TestOv2Write::writeEachRefusesABadPoi_data()
{
    QTest::addColumn<QByteArray>("description");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");

    QTest::newRow("NUL inside the description") << QByteArray("bad\0text", 8) << 1.0 << 2.0;
    QTest::newRow("latitude not a number") << QByteArray("bad") << qQNaN() << 2.0;
    QTest::newRow("longitude beyond the file") << QByteArray("bad") << 1.0 << -21474.8365;
}

void TestOv2Write::writeEachRefusesABadPoi()
{
    QFETCH(QByteArray, description);
    QFETCH(double, latitude);
    QFETCH(double, longitude);

    const QByteArray old = poiRecord(1, 2, "old");
    QVERIFY(writeFile(path("keep.ov2"), old));
    Source source = manyPois(1500);
    source.descriptions[1200] = description.toStdString();
    source.positions[1200] = {latitude, longitude};
    QCOMPARE(writeOv2Each(path8(path("keep.ov2")).constData(), &Source::give, &source), OV2_ERROR_ARGUMENT);
    QVERIFY2(QByteArray(ov2LastError()).contains("POI 1200"), ov2LastError());
    QCOMPARE(readFile(path("keep.ov2")), old);
    QCOMPARE(QDir(mDir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.ov2"});
}

void TestOv2Write::failedWriteKeepsTheOldFile_data()
{
    QTest::addColumn<int>("failureCase");

    QTest::newRow("folder that cannot be written") << int(Failure::ReadOnlyFolder);
    QTest::newRow("read-only file in a folder that can be written") << int(Failure::ReadOnlyFile);
    QTest::newRow("disk full part way (file size limit)") << int(Failure::FileSizeLimit);
    QTest::newRow("folder that does not exist") << int(Failure::MissingFolder);
}

void TestOv2Write::failedWriteKeepsTheOldFile()
{
    QFETCH(int, failureCase);
    const auto failure = Failure(failureCase);

    QList<Poi> pois;
    for (int i = 0; i < 2000; ++i)
        pois.append({"a POI with a description of some length, number " + QByteArray::number(i), i / 100.0, -i / 50.0});
    addPois(pois);

    const QString folder = failure == Failure::MissingFolder ? path("missing") : path("locked");
    if (failure != Failure::MissingFolder)
        QVERIFY(QDir(mDir->path()).mkdir("locked"));
    const QString target = folder + "/old.ov2";
    const QByteArray old = poiRecord(1, 2, "the file that was there");
    if (failure != Failure::MissingFolder)
        QVERIFY(writeFile(target, old));

    int result = OV2_OK;
    if (failure == Failure::ReadOnlyFolder || failure == Failure::ReadOnlyFile) {
        const auto unlock = qScopeGuard([&] { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
        const auto everyone = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        const auto writable = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
        QVERIFY(QFile::setPermissions(mDir->path(), everyone | QFile::WriteOwner));
        const bool lockFolder = failure == Failure::ReadOnlyFolder;
        QVERIFY(QFile::setPermissions(folder, lockFolder ? everyone : everyone | writable));
        if (!lockFolder)
            QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        Unprivileged user;
        if (faccessat(AT_FDCWD, QFile::encodeName(lockFolder ? folder : target).constData(), W_OK, AT_EACCESS) == 0)
            QSKIP("this user may write anywhere");
        result = writeOv2(path8(target).constData());
    } else if (failure == Failure::FileSizeLimit) {
        struct rlimit saved;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        struct rlimit small = saved;
        small.rlim_cur = 4096;
        auto previous = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        result = writeOv2(path8(target).constData());
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
    } else {
        result = writeOv2(path8(target).constData());
    }

    QCOMPARE(result, OV2_ERROR_WRITE);
    QVERIFY2(QString::fromLocal8Bit(ov2LastError()).contains(target), ov2LastError());
    if (failure != Failure::MissingFolder) {
        QCOMPARE(readFile(target), old);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"old.ov2"});
    }
    QCOMPARE(getOv2PoiCount(), 2000);
}

void TestOv2Write::replacesExistingFileKeepingItsMode()
{
    const QString target = path("mode.ov2");
    QVERIFY(writeFile(target, QByteArray(100000, 'o')));
    QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const auto mode = QFile::permissions(target);

    addPois({{"new", 1, 1}});
    QCOMPARE(writeOv2(path8(target).constData()), OV2_OK);
    QCOMPARE(readFile(target), poiRecord(100000, 100000, "new"));
    QCOMPARE(QFile::permissions(target), mode);
    QCOMPARE(QDir(mDir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"mode.ov2"});
}

void TestOv2Write::savesThroughALink()
{
    QVERIFY(writeFile(path("real.ov2"), "old"));
    QVERIFY(QFile::link(path("real.ov2"), path("link.ov2")));

    addPois({{"through the link", 1, 1}});
    QCOMPARE(writeOv2(path8(path("link.ov2")).constData()), OV2_OK);
    QVERIFY(QFileInfo(path("link.ov2")).isSymLink());
    QCOMPARE(readFile(path("real.ov2")), poiRecord(100000, 100000, "through the link"));
}

// A name of 254 characters is legal; the temporary file beside it must still fit.
void TestOv2Write::savesOverTheLongestName()
{
    const QString name = QString(250, QChar('n')) + ".ov2";
    QVERIFY(writeFile(path(name), "old"));

    addPois({{"kept under a long name", 1, 1}});
    QCOMPARE(writeOv2(path8(path(name)).constData()), OV2_OK);
    QCOMPARE(readFile(path(name)), poiRecord(100000, 100000, "kept under a long name"));
    QCOMPARE(QDir(mDir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{name});
}

void TestOv2Write::rejectsUnusableTargets()
{
    addPois({{"x", 1, 1}});
    QCOMPARE(writeOv2(nullptr), OV2_ERROR_ARGUMENT);
    QCOMPARE(writeOv2(""), OV2_ERROR_ARGUMENT);

    QVERIFY(QDir(mDir->path()).mkdir("folder.ov2"));
    QCOMPARE(writeOv2(path8(path("folder.ov2")).constData()), OV2_ERROR_WRITE);
    QVERIFY(QFileInfo(path("folder.ov2")).isDir());
    QCOMPARE(QDir(mDir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList{"folder.ov2"});
}

QTEST_GUILESS_MAIN(TestOv2Write)
#include "tst_ov2write.moc"
