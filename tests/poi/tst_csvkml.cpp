#include "platform/HTMLViewer.h"
#include "platform/Listbox.h"
#include "platform/RegularFile.h"
#include "poi/CsvFiles.h"
#include "poi/PoiDocument.h"
#include "support/AppFixture.h"
#include "support/FileBytes.h"
#include "support/TestMain.h"
#include "window/Applicazione.h"

#include <QApplication>
#include <QDir>
#include <QDomDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestCsvKml : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void exportLineBytes();
    void exportTrimsAndDoesNotQuote();
    void exportNames_data();
    void exportNames();
    void emptyListShowsNoDialog();
    void exportsProposeFolderAndExtension();
    void exportReplacesWhatLatin1Lacks();
    void exportFailureIsReported();
    void importLines_data();
    void importLines();
    void importKeepsSpacesAndAddsToRows();
    void importLeavesOutWhatIsNoPoi();
    void importFailureChangesNothing_data();
    void importFailureChangesNothing();
    void roundTrip();
    void kmlTree();
    void kmlUntitledNames();
    void kmlTextIsAlwaysWellFormed();
    void gdalReadsWhatWeWrite();
    void kmlDriverReadsNumbersAndLineBreaks();

private:
    void addRow(const QString& d, const QString& lat, const QString& lon) { w->AggiungiPdiAllaLista(d, lat, lon, "0"); }
    QString exportCsv();
    void importCsv(const QByteArray& bytes);

    std::unique_ptr<AppFixture> f;
    Applicazione* w = nullptr;
    std::unique_ptr<QTemporaryDir> dir;
};

void TestCsvKml::init()
{
    f = std::make_unique<AppFixture>();
    w = f->newWindow();
    dir = std::make_unique<QTemporaryDir>();
}

void TestCsvKml::cleanup()
{
    f.reset();
}

QString TestCsvKml::exportCsv()
{
    const QString path = dir->filePath("out.csv");
    f->services.saveAnswers << path;
    w->SalvaCsv();
    return path;
}

void TestCsvKml::importCsv(const QByteArray& bytes)
{
    const QString path = dir->filePath("in.csv");
    FileBytes::Write(path, bytes);
    f->services.openAnswers << path;
    QVERIFY(!w->_FileImportCsv_Action());
}

void TestCsvKml::exportLineBytes()
{
    addRow("Bar Roma", "45.5", "9.25");
    addRow("Caff\u00e8 \u20ac", "-1.000001", "179.999999");
    QCOMPARE(FileBytes::Read(exportCsv()), QByteArray("9.25,45.5,Bar Roma,\r\n179.999999,-1.000001,Caff\xe8 \x80,\r\n"));
    const auto& req = f->services.saveRequests.first();
    QCOMPARE(req.filter.Name, QString("garmin/csv"));
    QCOMPARE(req.filter.MacType, QString("CSV"));
    QCOMPARE(req.filter.Extensions, QString("csv"));
    QVERIFY(!w->Modificato());
}

void TestCsvKml::exportTrimsAndDoesNotQuote()
{
    addRow("  Da \"Gino\", pizza  ", " 45.5 ", "9.25\t");
    QCOMPARE(FileBytes::Read(exportCsv()), QByteArray("9.25,45.5,Da \"Gino\", pizza,\r\n"));
}

void TestCsvKml::exportNames_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("csv");
    QTest::addColumn<QString>("kml");
    QTest::newRow("untitled") << "" << "senza nome.csv" << "senza nome.kml";
    QTest::newRow("capitals") << "/tmp/Autovelox ITALIA.OV2" << "autovelox italia.csv" << "autovelox italia.kml";
    QTest::newRow("first .ov2 only") << "/tmp/a.ov2.ov2" << "a.csv.ov2" << "a.kml.ov2";
    QTest::newRow("no .ov2") << "/tmp/Punti.dat" << "punti.dat" << "punti.dat";
}

void TestCsvKml::exportNames()
{
    QFETCH(QString, file);
    QFETCH(QString, csv);
    QFETCH(QString, kml);
    addRow("x", "1", "2");
    w->Document().setFileOv2Aperto(file);
    f->services.saveAnswers << QString() << QString();
    w->SalvaCsv();
    w->SalvaKml();
    QCOMPARE(f->services.saveRequests[0].defaultName, csv);
    QCOMPARE(f->services.saveRequests[1].defaultName, kml);
    QVERIFY(f->services.saveRequests[1].filter.Extensions.isEmpty());
}

void TestCsvKml::emptyListShowsNoDialog()
{
    w->SalvaCsv();
    w->SalvaKml();
    QVERIFY(f->services.saveRequests.isEmpty());
}

// Both exports open where the document lives (home while untitled) and give a bare name
// their extension.
void TestCsvKml::exportsProposeFolderAndExtension()
{
    addRow("Bar Roma", "45.5", "9.25");
    f->services.saveAnswers << dir->filePath("lista") << dir->filePath("mappa");
    w->SalvaCsv();
    w->SalvaKml();
    QCOMPARE(FileBytes::Read(dir->filePath("lista.csv")), QByteArray("9.25,45.5,Bar Roma,\r\n"));
    QVERIFY(FileBytes::Read(dir->filePath("mappa.kml")).contains("<coordinates>9.25,45.5,0</coordinates>"));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), (QStringList{"lista.csv", "mappa.kml"}));
    for (const auto& request : f->services.saveRequests)
        QCOMPARE(request.folder, QDir::homePath());
    QCOMPARE(f->services.saveRequests[0].extension, QString(".csv"));
    QCOMPARE(f->services.saveRequests[1].extension, QString(".kml"));

    w->Document().setFileOv2Aperto(dir->filePath("sub/Roma.ov2"));
    f->services.saveAnswers << dir->filePath("lista.txt") << QString();
    w->SalvaCsv();
    w->SalvaKml();
    QCOMPARE(f->services.saveRequests[2].folder, dir->filePath("sub"));
    QCOMPARE(f->services.saveRequests[3].folder, dir->filePath("sub"));
    QVERIFY(QFile::exists(dir->filePath("lista.txt")));
}

void TestCsvKml::exportReplacesWhatLatin1Lacks()
{
    addRow("\u0141\u00f3d\u017a", "51.7", "19.4");
    addRow("Roma", "41.9", "12.5");
    QCOMPARE(FileBytes::Read(exportCsv()), QByteArray("19.4,51.7,?\xf3" "d?,\r\n12.5,41.9,Roma,\r\n"));
    QCOMPARE(f->services.messages, QStringList {PoiDocument::lkLatin1Replaced().arg(1)});
}

void TestCsvKml::exportFailureIsReported()
{
    addRow("x", "1", "2");
    const QString bad = dir->filePath("missing/folder/out.csv");
    f->services.saveAnswers << bad << bad;
    w->SalvaCsv();
    w->SalvaKml();
    QCOMPARE(f->services.messages.size(), 2);
    QVERIFY(f->services.messages[0].contains(bad));
}

void TestCsvKml::importLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("descriptions");
    QTest::newRow("CR LF, last line ended") << QByteArray("1,2,a,\r\n3,4,b,\r\n") << QStringList{"a", "b"};
    QTest::newRow("last line without end") << QByteArray("1,2,a\r\n3,4,b") << QStringList{"a", "b"};
    QTest::newRow("LF only") << QByteArray("1,2,a\n3,4,b\n") << QStringList{"a", "b"};
    QTest::newRow("CR only") << QByteArray("1,2,a\r3,4,b\r") << QStringList{"a", "b"};
    QTest::newRow("blank and short lines skipped") << QByteArray("\r\n1,2,a\r\n\r\n5,6\r\n3,4,b\r\n") << QStringList{"a", "b"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("comma in description") << QByteArray("1,2,Da Gino, pizza,\r\n") << QStringList{"Da Gino"};
    QTest::newRow("quote is a plain character") << QByteArray("1,2,\"Bar\",\r\n") << QStringList{"\"Bar\""};
    QTest::newRow("Latin-1 bytes") << QByteArray("1,2,Caff\xe8 \x80\r\n") << QStringList{"Caff\u00e8 \u20ac"};
    QTest::newRow("UTF-8 after a byte-order mark")
        << QByteArray("\xEF\xBB\xBF"
                      "1,2,Caff\xC3\xA8 \xE2\x82\xAC \xE2\x80\x93 M\xC3\xBCller\r\n")
        << QStringList {"Caff\u00e8 \u20ac \u2013 M\u00fcller"};
    QTest::newRow("UTF-8 without the mark is read as Latin-1")
        << QByteArray("1,2,Caff\xC3\xA8\r\n") << QStringList {"Caff\u00c3\u00a8"};
}

void TestCsvKml::importLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, descriptions);
    importCsv(bytes);
    QStringList got;
    for (int r = 0; r < w->ListBox1()->ListCount(); ++r)
        got << w->ListBox1()->Cell(r, 0);
    QCOMPARE(got, descriptions);
    QVERIFY(w->Modificato());
    QVERIFY(w->windowTitle().endsWith(" *]"));
}

void TestCsvKml::importKeepsSpacesAndAddsToRows()
{
    addRow("first", "0", "0");
    w->Document().setFileOv2Aperto("/tmp/keep.ov2");
    importCsv(" 9.25 , 45.5 , Bar ,\r\n");
    Listbox& l = *w->ListBox1();
    QCOMPARE(l.ListCount(), 2);
    QCOMPARE(l.Cell(1, 0), QString(" Bar "));
    QCOMPARE(l.Cell(1, 1), QString(" 45.5 "));
    QCOMPARE(l.Cell(1, 2), QString(" 9.25 "));
    QCOMPARE(l.Cell(1, 4), QString("0"));
    QCOMPARE(l.Cell(1, 3).size(), 36);
    QVERIFY(!l.CellCheck(1, 0));
    QCOMPARE(w->FileOv2Aperto(), QString("/tmp/keep.ov2"));
    QCOMPARE(f->services.openRequests.first().filter.Name, QString("csv"));
}

// A byte-order mark, quoted coordinates and a header line, as spreadsheets write them.
void TestCsvKml::importLeavesOutWhatIsNoPoi()
{
    importCsv("\xEF\xBB\xBFLongitude,Latitude,Name\r\n"
              "9.25,\"45.5\",Bar\r\n"
              "\"12.5\",41.9,\"Roma\"\r\n"
              "\r\n"
              "east,41.9,x\r\n"
              "1,2\r\n"
              "45.5,120.3,swapped\r\n"
              "2000,3000,x\r\n"
              "-180,90,edge\r\n");
    Listbox& l = *w->ListBox1();
    QCOMPARE(l.ListCount(), 3);
    QCOMPARE(l.Cell(0, 0), QString("Bar"));
    QCOMPARE(l.Cell(0, 1), QString("45.5"));
    QCOMPARE(l.Cell(0, 2), QString("9.25"));
    QCOMPARE(l.Cell(1, 0), QString("\"Roma\""));
    QCOMPARE(l.Cell(1, 2), QString("12.5"));
    QCOMPARE(l.Cell(2, 0), QString("edge"));
    // Columns swapped, or a position off the globe, are left out like words.
    QCOMPARE(f->services.messages, QStringList {CsvFiles::lkLinesSkipped().arg(5)});
    QVERIFY(w->Modificato());

    // With the mark alone before good lines, nothing is left out and nothing is said.
    f->services.messages.clear();
    importCsv("\xEF\xBB\xBF" "9.25,45.5,Bar\r\n");
    QCOMPARE(l.Cell(3, 2), QString("9.25"));
    QVERIFY(f->services.messages.isEmpty());
}

void TestCsvKml::importFailureChangesNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << "missing";
    QTest::newRow("FIFO nobody writes to") << "fifo";
    QTest::newRow("endless device") << "device";
    QTest::newRow("folder") << "folder";
    QTest::newRow("read fails") << "unreadable";
}

// What is no regular file is refused at once: a FIFO would wait for a writer for good,
// /dev/zero would fill the memory.
void TestCsvKml::importFailureChangesNothing()
{
    QFETCH(QString, kind);
    QString path = dir->filePath("nowhere.csv");
    if (kind == "fifo") {
        path = dir->filePath("pipe.csv");
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == "device") {
        path = "/dev/zero";
    } else if (kind == "folder") {
        path = dir->path();
    } else if (kind == "unreadable") {
        path = "/proc/self/mem"; // a regular file whose first page cannot be read
    }
    f->services.openAnswers << path;
    QVERIFY(!w->_FileImportCsv_Action());
    QCOMPARE(w->ListBox1()->ListCount(), 0);
    QVERIFY(!w->Modificato());
    QCOMPARE(f->services.messages.size(), 1);
    if (kind == "missing" || kind == "unreadable")
        QVERIFY2(f->services.messages[0].startsWith(PoiDocument::lkReadError().arg(path, QString()))
                && !f->services.messages[0].endsWith(RegularFile::lkNotRegular()),
            qPrintable(f->services.messages[0]));
    else
        QCOMPARE(f->services.messages[0], PoiDocument::lkReadError().arg(path, RegularFile::lkNotRegular()));
}

void TestCsvKml::roundTrip()
{
    const QString longText(60, 'L');
    addRow(" Roma ", "41.9", "12.5");
    addRow(longText, "1", "2");  // long descriptions go to the top
    addRow("Milano", "45.46", "9.19");
    const QByteArray bytes = FileBytes::Read(exportCsv());
    Applicazione* other = f->newWindow();
    w = other;
    importCsv(bytes);
    Listbox& l = *other->ListBox1();
    QCOMPARE(l.ListCount(), 3);
    QCOMPARE(l.Cell(0, 0), longText);
    QCOMPARE(l.Cell(1, 0), QString("Roma"));
    QCOMPARE(l.Cell(2, 0), QString("Milano"));
    QCOMPARE(l.Cell(2, 1), QString("45.46"));
}

void TestCsvKml::kmlTree()
{
    addRow("A < B & \"C\"", " 45.5", "9.25 ");
    addRow("Roma", "41.9", "12.5");
    w->ListBox1()->setCellCheck(1, 0, true);
    w->Document().setFileOv2Aperto("/tmp/Punti Roma.ov2");
    const QString path = dir->filePath("out.kml");
    f->services.saveAnswers << path;
    w->SalvaKml();
    const QByteArray bytes = FileBytes::Read(path);
    QVERIFY(bytes.indexOf("creator=") < bytes.indexOf("xmlns="));
    QDomDocument doc;
    QVERIFY(doc.setContent(bytes, true));
    const QDomElement kml = doc.documentElement();
    QCOMPARE(kml.tagName(), QString("kml"));
    QCOMPARE(kml.namespaceURI(), QString("http://earth.google.com/kml/2.0"));
    QCOMPARE(kml.attribute("creator"), QString("Lumetra 1.4.0.5 https://lumetra.example.org"));
    const QDomElement document = kml.firstChildElement("Document");
    QCOMPARE(document.firstChildElement("name").text(), QString("Punti Roma.ov2"));
    const QDomElement folder = document.firstChildElement("Folder");
    QCOMPARE(folder.firstChildElement("name").text(), QString("Punti Roma.ov2"));
    const QDomNodeList placemarks = folder.elementsByTagName("Placemark");
    QCOMPARE(placemarks.size(), 2);
    QCOMPARE(placemarks.at(0).firstChildElement("name").text(), QString("A < B & \"C\""));
    QCOMPARE(placemarks.at(0).firstChildElement("Point").firstChildElement("coordinates").text(),
             QString("9.25,45.5,0"));
    QCOMPARE(placemarks.at(1).firstChildElement("Point").firstChildElement("coordinates").text(),
             QString("12.5,41.9,0"));
    QVERIFY(!w->Modificato());
}

void TestCsvKml::kmlUntitledNames()
{
    addRow("x", "1", "2");
    const QString path = dir->filePath("u.kml");
    f->services.saveAnswers << path;
    w->SalvaKml();
    QDomDocument doc;
    QVERIFY(doc.setContent(FileBytes::Read(path)));
    QCOMPARE(doc.documentElement().firstChildElement("Document").firstChildElement("name").text(),
             QString("senza nome.ov2"));
}

void TestCsvKml::kmlTextIsAlwaysWellFormed()
{
    // A description read from a file may hold what XML cannot: it must not spoil the document.
    addRow(QString::fromUtf16(u"Pizza \U0001F355 ") + QChar(0x01) + QChar(0xD800), "1", "2");
    const QString path = dir->filePath("odd.kml");
    f->services.saveAnswers << path;
    w->SalvaKml();
    QDomDocument doc;
    QVERIFY(doc.setContent(FileBytes::Read(path)));
    const QString name = doc.documentElement().elementsByTagName("Placemark").at(0).firstChildElement("name").text();
    QCOMPARE(name, QString::fromUtf16(u"Pizza \U0001F355 \uFFFD\uFFFD"));
}

void TestCsvKml::gdalReadsWhatWeWrite()
{
    const QString ogrinfo = QStandardPaths::findExecutable("ogrinfo");
    if (ogrinfo.isEmpty())
        QSKIP("ogrinfo (gdal-bin) is not installed");
    addRow("Bar Roma", "45.5", "9.25");
    addRow("Caff\u00e8 & co", "-33.868", "151.209");
    const QString kml = dir->filePath("gdal.kml");
    f->services.saveAnswers << kml;
    w->SalvaKml();
    const QString csv = exportCsv();

    QProcess p;
    p.start(ogrinfo, {"-ro", "-al", kml});
    QVERIFY(p.waitForFinished(60000));
    const QString kmlInfo = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(kmlInfo.contains("Feature Count: 2"), qPrintable(kmlInfo));
    QVERIFY(kmlInfo.contains("Name (String) = Bar Roma"));
    QVERIFY(kmlInfo.contains("Name (String) = Caff\u00e8 & co"));
    QVERIFY(kmlInfo.contains("POINT Z (9.25 45.5 0)"));
    QVERIFY(kmlInfo.contains("POINT Z (151.209 -33.868 0)"));

    p.start(ogrinfo, {"-ro", "-al", "-oo", "HEADERS=NO", csv});
    QVERIFY(p.waitForFinished(60000));
    const QString csvInfo = QString::fromLatin1(p.readAllStandardOutput());
    QVERIFY2(csvInfo.contains("Feature Count: 2"), qPrintable(csvInfo));
    QVERIFY(csvInfo.contains("field_1 (String) = 9.25"));
    QVERIFY(csvInfo.contains("field_2 (String) = 45.5"));
    QVERIFY(csvInfo.contains("field_3 (String) = Bar Roma"));
}

// GDAL's own KML driver reads a coordinate text with blanks or leading zeros as 0; an XML
// reader turns a CR written as it is into a line feed.
void TestCsvKml::kmlDriverReadsNumbersAndLineBreaks()
{
    const QString ogrinfo = QStandardPaths::findExecutable("ogrinfo");
    if (ogrinfo.isEmpty())
        QSKIP("ogrinfo (gdal-bin) is not installed");
    addRow("Bar\r\nRoma", " 45.5", "9.25 ");
    addRow("Zeros", "043.5", "-07.25");
    const QString kml = dir->filePath("driver.kml");
    f->services.saveAnswers << kml;
    w->SalvaKml();
    QVERIFY(FileBytes::Read(kml).contains("<coordinates>9.25,45.5,0</coordinates>"));
    QDomDocument doc;
    QVERIFY(doc.setContent(FileBytes::Read(kml)));
    QCOMPARE(doc.documentElement().elementsByTagName("Placemark").at(0).firstChildElement("name").text(),
             QString("Bar\r\nRoma"));

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("GDAL_SKIP", "LIBKML");
    p.setProcessEnvironment(env);
    p.start(ogrinfo, {"-ro", "-al", kml});
    QVERIFY(p.waitForFinished(60000));
    const QString info = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(info.contains("INFO: Open of `" + kml + "'\n      using driver `KML' successful."), qPrintable(info));
    QVERIFY2(info.contains("POINT Z (9.25 45.5 0)"), qPrintable(info));
    QVERIFY2(info.contains("POINT Z (-7.25 43.5 0)"), qPrintable(info));
}

LUMETRA_TEST_MAIN(TestCsvKml)

#include "tst_csvkml.moc"
