#include "platform/HTMLViewer.h"
#include "platform/Listbox.h"
#include "platform/ListboxModel.h"
#include "platform/PoiColumn.h"
#include "poi/Ov2Files.h"
#include "poi/PoiDocument.h"
#include "shell/App.h"
#include "support/AppFixture.h"
#include "support/FileBytes.h"
#include "support/TestMain.h"
#include "support/WindowRows.h"
#include "window/Applicazione.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <memory>

namespace {

using enum PoiColumn::Index;

struct Poi {
    QByteArray description;  // Windows Latin-1, as in the file
    double latitude;
    double longitude;
};

QByteArray int32le(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// Simple (type 2) records: type, length, longitude and latitude in 1/100000 degree, text.
QByteArray ov2Bytes(const QList<Poi>& pois)
{
    QByteArray bytes;
    for (const Poi& poi : pois) {
        const QByteArray rest = int32le(qint32(std::lround(poi.longitude * 1e5))) +
                                int32le(qint32(std::lround(poi.latitude * 1e5))) + poi.description + '\0';
        bytes += char(2) + int32le(5 + rest.size()) + rest;
    }
    return bytes;
}

const QList<Poi> kThree = {
    {"Colosseo", 41.89021, 12.49223},
    {"Duomo di Milano", 45.46421, 9.19193},
    {"Mole Antonelliana>011 8138511", 45.06903, 7.69327},
};

}  // namespace

class TestOv2Files : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void openFillsRowsAndTitle();
    void openGivenFile();
    void openEmptyFile();
    void longDescriptionsGoOnTop();
    void latin1Descriptions();
    void cancelledDialogsChangeNothing_data();
    void cancelledDialogsChangeNothing();
    void unreadableFile_data();
    void unreadableFile();
    void unreadableGivenFileLeavesWindowUntitled();
    void fileCutWhileRead_data();
    void fileCutWhileRead();
    void openOverModifiedDocumentAsks_data();
    void openOverModifiedDocumentAsks();
    void clearModifiedDocumentAsks();
    void importKeepsUntitledAndRows();
    void saveWritesEveryRowAndClearsMarks();
    void saveRoundTripsBytes();
    void saveAsNamesAndTitles();
    void saveRefusesRowsOffTheGlobe_data();
    void saveRefusesRowsOffTheGlobe();
    void saveAsProposesTheDocumentsFolder();
    void failedSaveKeepsEverything_data();
    void failedSaveKeepsEverything();
    void charactersLatin1Lacks();
    void backslashInFileName();
    void fileMenuSave();
    void gpsbabelReadsWhatWeSave();

private:
    QString fixture(const QString& name, const QList<Poi>& pois)
    {
        const QString path = dir->filePath(name);
        FileBytes::Write(path, ov2Bytes(pois));
        return path;
    }
    QString openThree()
    {
        const QString path = fixture("Roma.ov2", kThree);
        f->services.openAnswers << path;
        w->ApriOv2();
        return path;
    }
    Listbox& list() { return *w->ListBox1(); }
    QStringList column(int c) { return WindowRows::Column(list(), c); }

    std::unique_ptr<AppFixture> f;
    Applicazione* w = nullptr;
    std::unique_ptr<QTemporaryDir> dir;
};

void TestOv2Files::init()
{
    f = std::make_unique<AppFixture>();
    w = f->newWindow();
    dir = std::make_unique<QTemporaryDir>();
}

void TestOv2Files::cleanup()
{
    f.reset();
}

void TestOv2Files::openFillsRowsAndTitle()
{
    const QString path = openThree();
    QCOMPARE(column(Description), (QStringList{"Colosseo", "Duomo di Milano", "Mole Antonelliana>011 8138511"}));
    QCOMPARE(column(Latitude), (QStringList{"41.89021", "45.46421", "45.06903"}));
    QCOMPARE(column(Longitude), (QStringList{"12.49223", "9.19193", "7.69327"}));
    QCOMPARE(column(Mod), (QStringList{"0", "0", "0"}));
    QCOMPARE(column(Id).size(), 3);
    QCOMPARE(column(Id)[0].size(), 36);
    QCOMPARE(f->services.openRequests.size(), 1);
    QCOMPARE(f->services.openRequests[0].filter.Name, QString("tomtom/ov2"));
    QCOMPARE(f->services.openRequests[0].filter.Extensions, QString("ov2"));
    QCOMPARE(w->FileOv2Aperto(), path);
    QVERIFY(!w->Modificato());
    QCOMPARE(w->windowTitle(), QString("Lumetra 1.4.0.5 [Roma.ov2]"));
    QCOMPARE(f->windowMenuTexts(), QStringList{"Roma.ov2"});
    QCOMPARE(w->LabelSelezionati()->text(), Applicazione::lkMarked() + ":  0 / 3");
    QVERIFY(f->services.messages.isEmpty());
}

void TestOv2Files::openGivenFile()
{
    const QString path = fixture("Torino.ov2", kThree);
    Applicazione* opened = f->app.OpenNewWindow(path);
    QCOMPARE(opened->ListBox1()->ListCount(), 3);
    QCOMPARE(opened->FileOv2Aperto(), path);
    QCOMPARE(opened->windowTitle(), QString("Lumetra 1.4.0.5 [Torino.ov2]"));
    QCOMPARE(f->windowMenuTexts(), (QStringList{"senza nome.ov2", "Torino.ov2"}));

    // No file: nothing happens.
    w->ApriOv2DaFile(QString());
    QCOMPARE(list().ListCount(), 0);
    QVERIFY(w->FileOv2Aperto().isEmpty());
}

void TestOv2Files::openEmptyFile()
{
    f->services.openAnswers << fixture("Vuoto.ov2", {});
    w->ApriOv2();
    QCOMPARE(list().ListCount(), 0);
    QCOMPARE(w->windowTitle(), QString("Lumetra 1.4.0.5 [Vuoto.ov2]"));
    QVERIFY(f->services.messages.isEmpty());
}

void TestOv2Files::longDescriptionsGoOnTop()
{
    // Long ones at the top, later above earlier; short ones appended in order.
    QList<Poi> pois;
    QStringList top;
    QStringList bottom;
    for (int i = 0; i < 2000; ++i) {
        const bool isLong = i % 4 != 1;
        const QByteArray text = QByteArray::number(i) + (isLong ? QByteArray(60, 'L') : QByteArray("s"));
        pois << Poi{text, 45.0, 9.0};
        if (isLong)
            top.prepend(QString::fromLatin1(text));
        else
            bottom << QString::fromLatin1(text);
    }
    f->services.openAnswers << fixture("Lunghi.ov2", pois);
    w->ApriOv2();
    QCOMPARE(column(Description), top + bottom);
}

void TestOv2Files::latin1Descriptions()
{
    f->services.openAnswers << fixture("Latin1.ov2", {{"Caf\xe9 \x80 \x93quoted\x94 \x81", 1, 2}});
    w->ApriOv2();
    QCOMPARE(list().Cell(0, Description), QString::fromUtf8("Café € “quoted” \xc2\x81"));

    // Written back byte for byte.
    const QString copy = dir->filePath("copy.ov2");
    f->services.saveAnswers << copy;
    w->SalvaOv2ConNome();
    QCOMPARE(FileBytes::Read(copy), FileBytes::Read(dir->filePath("Latin1.ov2")));
    QVERIFY(f->services.messages.isEmpty());
}

void TestOv2Files::cancelledDialogsChangeNothing_data()
{
    QTest::addColumn<int>("operation");
    QTest::newRow("open") << 0;
    QTest::newRow("import") << 1;
    QTest::newRow("save as") << 2;
}

void TestOv2Files::cancelledDialogsChangeNothing()
{
    QFETCH(int, operation);
    const QString path = openThree();
    w->AggiungiPdiAllaLista("Nuovo", "1", "2", "1");
    w->setModificato(true);
    const QString bytes = QString::fromLatin1(FileBytes::Read(path).toHex());
    switch (operation) {
    case 0:
        f->services.dialogAnswers << MessageDialog::Pressed::Alternate;
        f->services.openAnswers << QString();
        w->ApriOv2();
        break;
    case 1:
        f->services.openAnswers << QString();
        w->ImportaOv2();
        break;
    default:
        f->services.saveAnswers << QString();
        w->SalvaOv2ConNome();
    }
    QCOMPARE(list().ListCount(), 4);
    QCOMPARE(list().Cell(3, Mod), QString("1"));
    QCOMPARE(w->FileOv2Aperto(), path);
    QVERIFY(w->Modificato());
    QCOMPARE(w->windowTitle(), QString("Lumetra 1.4.0.5 [Roma.ov2 *]"));
    QCOMPARE(QString::fromLatin1(FileBytes::Read(path).toHex()), bytes);
}

void TestOv2Files::unreadableFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("import");
    const QByteArray truncated = ov2Bytes(kThree).chopped(3);
    QTest::newRow("open: missing") << QByteArray() << false << false;
    QTest::newRow("open: truncated") << truncated << true << false;
    QTest::newRow("open: unknown record type") << QByteArray("\x09garbage", 8) << true << false;
    QTest::newRow("import: missing") << QByteArray() << false << true;
    QTest::newRow("import: truncated") << truncated << true << true;
}

void TestOv2Files::unreadableFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, exists);
    QFETCH(bool, import);
    const QString good = openThree();
    const QString bad = dir->filePath("Rotto.ov2");
    if (exists)
        FileBytes::Write(bad, bytes);
    f->services.openAnswers << bad;
    if (import)
        w->ImportaOv2();
    else
        w->ApriOv2();

    // Nothing of the document changes, so no later save can shorten the bad file.
    QCOMPARE(list().ListCount(), 3);
    QCOMPARE(w->FileOv2Aperto(), good);
    QVERIFY(!w->Modificato());
    QCOMPARE(w->windowTitle(), QString("Lumetra 1.4.0.5 [Roma.ov2]"));
    // The message names the file, then the library's reason.
    QCOMPARE(f->services.messages.size(), 1);
    const QString named = PoiDocument::lkReadError().arg(bad, QString());
    QVERIFY2(f->services.messages[0].startsWith(named) && f->services.messages[0].size() > named.size(),
             qPrintable(f->services.messages[0]));
    QCOMPARE(QFile::exists(bad), exists);
    if (exists)
        QCOMPARE(FileBytes::Read(bad), bytes);
}

void TestOv2Files::unreadableGivenFileLeavesWindowUntitled()
{
    const QString bad = dir->filePath("Manca.ov2");
    Applicazione* opened = f->app.OpenNewWindow(bad);
    QCOMPARE(opened->ListBox1()->ListCount(), 0);
    QVERIFY(opened->FileOv2Aperto().isEmpty());
    QVERIFY(!opened->Modificato());
    QCOMPARE(opened->windowTitle(), QString("Lumetra 1.4.0.5 [senza nome.ov2]"));
    QCOMPARE(f->windowMenuTexts(), (QStringList{"senza nome.ov2", "senza nome.ov2"}));
    QCOMPARE(f->services.messages.size(), 1);
    QVERIFY(f->services.messages[0].contains(bad));
}

void TestOv2Files::fileCutWhileRead_data()
{
    QTest::addColumn<bool>("import");
    QTest::newRow("open") << false;
    QTest::newRow("import") << true;
}

// Another program cuts the file after the reader checked it whole: the rows read before
// stay, but no save can put them in the file's place, and the message says so.
void TestOv2Files::fileCutWhileRead()
{
    QFETCH(bool, import);
    const QString good = openThree();
    QList<Poi> many;
    for (int i = 0; i < 300000; ++i)
        many.append({"Punto " + QByteArray::number(i), 45.0, 9.0});
    const QString path = fixture("Lungo.ov2", many);
    // Within a record, past the few megabytes the reader takes at a time.
    const qint64 cutAt = 6000003;
    bool cut = false;
    connect(&w->Document().Model(), &QAbstractItemModel::modelAboutToBeReset, this, [&] {
        if (!cut)
            cut = QFile::resize(path, cutAt);
    });
    f->services.openAnswers << path;
    if (import)
        w->ImportaOv2();
    else
        w->ApriOv2();
    QVERIFY(cut);

    const int read = list().ListCount() - (import ? 3 : 0);
    QVERIFY2(read > 0 && read < many.size(), qPrintable(QString::number(read)));
    const QString said
        = (import ? Ov2Files::lkPartlyImported() : Ov2Files::lkPartlyOpened()).arg(path, "\x01", QString::number(read));
    QCOMPARE(f->services.messages.size(), 1);
    const QString& message = f->services.messages[0];
    QVERIFY2(message.startsWith(said.section('\x01', 0, 0)) && message.endsWith(said.section('\x01', 1))
            && message.size() > said.size(),
        qPrintable(message));
    QVERIFY(w->Modificato());
    if (import) {
        QCOMPARE(w->FileOv2Aperto(), good);
    } else {
        QVERIFY(w->FileOv2Aperto().isEmpty());
        QCOMPARE(w->windowTitle(), QString("Lumetra 1.4.0.5 [senza nome.ov2 *]"));
        w->SalvaOv2();
        QCOMPARE(QFileInfo(path).size(), cutAt);
        QVERIFY(w->Modificato());
    }
}

void TestOv2Files::openOverModifiedDocumentAsks_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("opened");
    QTest::newRow("cancel") << int(MessageDialog::Pressed::Cancel) << false;
    QTest::newRow("don't save") << int(MessageDialog::Pressed::Alternate) << true;
    QTest::newRow("save") << int(MessageDialog::Pressed::Action) << true;
}

void TestOv2Files::openOverModifiedDocumentAsks()
{
    QFETCH(int, answer);
    QFETCH(bool, opened);
    const QString first = openThree();
    w->AggiungiPdiAllaLista("Nuovo", "1", "2", "1");
    w->setModificato(true);
    const QString second = fixture("Napoli.ov2", {{"Vesuvio", 40.82, 14.42}});
    f->services.dialogAnswers << MessageDialog::Pressed(answer);
    if (opened)
        f->services.openAnswers << second;
    w->ApriOv2();

    QCOMPARE(f->services.dialogs.size(), 1);
    QCOMPARE(f->services.openRequests.size(), opened ? 2 : 1);
    QCOMPARE(w->FileOv2Aperto(), opened ? second : first);
    QCOMPARE(list().ListCount(), opened ? 1 : 4);
    QCOMPARE(w->Modificato(), !opened);
    QCOMPARE(w->windowTitle(), QString(opened ? "Lumetra 1.4.0.5 [Napoli.ov2]" : "Lumetra 1.4.0.5 [Roma.ov2 *]"));
    QCOMPARE(f->windowMenuTexts(), QStringList{opened ? "Napoli.ov2" : "Roma.ov2 *"});
    // Saving first wrote the new row into the old file.
    const bool saved = MessageDialog::Pressed(answer) == MessageDialog::Pressed::Action;
    QCOMPARE(FileBytes::Read(first).contains("Nuovo"), saved);
}

void TestOv2Files::clearModifiedDocumentAsks()
{
    openThree();
    w->setModificato(true);
    f->services.dialogAnswers << MessageDialog::Pressed::Cancel;
    w->SvuotaElenco();
    QCOMPARE(list().ListCount(), 3);
    QVERIFY(w->Modificato());
    QVERIFY(!w->FileOv2Aperto().isEmpty());

    f->services.dialogAnswers << MessageDialog::Pressed::Alternate;
    w->SvuotaElenco();
    QCOMPARE(list().ListCount(), 0);
    QVERIFY(w->FileOv2Aperto().isEmpty());
    QCOMPARE(w->windowTitle(), QString("Lumetra 1.4.0.5 [senza nome.ov2]"));
}

void TestOv2Files::importKeepsUntitledAndRows()
{
    w->AggiungiPdiAllaLista("Mio", "1", "2", "1");
    w->AggiungiPdiAllaLista(QString(60, 'x'), "3", "4", "1");
    f->services.openAnswers << fixture("Roma.ov2", kThree);
    w->ImportaOv2();
    QCOMPARE(column(Description),
             (QStringList{QString(60, 'x'), "Mio", "Colosseo", "Duomo di Milano", "Mole Antonelliana>011 8138511"}));
    QCOMPARE(column(Mod), (QStringList{"1", "1", "0", "0", "0"}));
    QVERIFY(w->FileOv2Aperto().isEmpty());
    QVERIFY(w->Modificato());
    QCOMPARE(w->windowTitle(), QString("Lumetra 1.4.0.5 [senza nome.ov2 *]"));
    QCOMPARE(f->windowMenuTexts(), QStringList{"senza nome.ov2 *"});
    QCOMPARE(w->LabelSelezionati()->text(), Applicazione::lkMarked() + ":  0 / 5");
}

void TestOv2Files::saveWritesEveryRowAndClearsMarks()
{
    const QString path = openThree();
    list().setCellCheck(1, Description, true);  // marks are not saved: every row is
    w->AggiungiPdiAllaLista("Pantheon", "41.898611", "12.476873", "1");
    w->AggiungiPdiAllaLista("Blanks", " 43.00001 ", "+10.25", "1");
    w->setModificato(true);
    w->SalvaOv2();
    QCOMPARE(column(Mod), (QStringList{"0", "0", "0", "0", "0"}));
    QVERIFY(!w->Modificato());
    QCOMPARE(w->windowTitle(), QString("Lumetra 1.4.0.5 [Roma.ov2]"));
    QVERIFY(f->services.saveRequests.isEmpty());
    QVERIFY(f->services.messages.isEmpty());

    // Read back: each position is the number its text reads as, to 1/100000 degree.
    Applicazione* again = f->app.OpenNewWindow(path);
    Listbox& read = *again->ListBox1();
    QCOMPARE(read.ListCount(), 5);
    QCOMPARE(read.Cell(3, Description), QString("Pantheon"));
    QCOMPARE(read.Cell(3, Latitude), QString("41.89861"));
    QCOMPARE(read.Cell(3, Longitude), QString("12.47687"));
    QCOMPARE(read.Cell(4, Latitude), QString("43.00001"));
    QCOMPARE(read.Cell(4, Longitude), QString("10.25"));
}

void TestOv2Files::saveRoundTripsBytes()
{
    const QString path = openThree();
    const QByteArray before = FileBytes::Read(path);
    const QString copy = dir->filePath("Copia.ov2");
    f->services.saveAnswers << copy;
    w->SalvaOv2ConNome();
    QCOMPARE(FileBytes::Read(copy).toHex(), before.toHex());
}

void TestOv2Files::saveAsNamesAndTitles()
{
    w->AggiungiPdiAllaLista("Uno", "1", "2", "1");
    w->setModificato(true);
    const QString first = dir->filePath("Primo.ov2");
    f->services.saveAnswers << first;
    w->SalvaOv2ConNome();
    QCOMPARE(f->services.saveRequests[0].defaultName, QString("senza nome.ov2"));
    QCOMPARE(f->services.saveRequests[0].filter.Name, QString("tomtom/ov2"));
    QCOMPARE(f->services.saveRequests[0].filter.MacType, QString(4, QChar(0)));
    QCOMPARE(w->FileOv2Aperto(), first);
    QCOMPARE(w->windowTitle(), QString("Lumetra 1.4.0.5 [Primo.ov2]"));
    QCOMPARE(f->windowMenuTexts(), QStringList{"Primo.ov2"});

    const QString second = dir->filePath("Secondo.ov2");
    f->services.saveAnswers << second;
    w->SalvaOv2ConNome();
    QCOMPARE(f->services.saveRequests[1].defaultName, QString("Primo.ov2"));
    QCOMPARE(w->windowTitle(), QString("Lumetra 1.4.0.5 [Secondo.ov2]"));
    QCOMPARE(f->windowMenuTexts(), QStringList{"Secondo.ov2"});
    QCOMPARE(FileBytes::Read(second), FileBytes::Read(first));
}

void TestOv2Files::saveRefusesRowsOffTheGlobe_data()
{
    QTest::addColumn<bool>("saveAs");
    QTest::newRow("save") << false;
    QTest::newRow("save as") << true;
}

// A row whose coordinate text is no number would be written at 0, and one off the globe
// makes readers refuse the whole file: no save until each is a position.
void TestOv2Files::saveRefusesRowsOffTheGlobe()
{
    QFETCH(bool, saveAs);
    const QString path = openThree();
    const QByteArray before = FileBytes::Read(path);
    w->AggiungiPdiAllaLista("Comma", "43,5", "10.25", "1");
    w->AggiungiPdiAllaLista("Fine", "43.5", "10.25", "1");
    w->AggiungiPdiAllaLista("Letters", "43.5", " 10.25abc", "1");
    w->AggiungiPdiAllaLista("Swapped", "120.3", "45.5", "1");
    w->AggiungiPdiAllaLista("Far", "-90", "-200", "1");
    w->setModificato(true);
    if (saveAs)
        w->SalvaOv2ConNome();
    else
        w->SalvaOv2();
    QVERIFY(f->services.saveRequests.isEmpty());
    QCOMPARE(f->services.messages, QStringList {Ov2Files::lkNotCoordinates().arg(4)});
    QCOMPARE(list().ListIndex(), 3);
    QCOMPARE(list().SelCount(), 1);
    QCOMPARE(FileBytes::Read(path), before);
    QVERIFY(w->Modificato());
    QCOMPARE(column(Mod), (QStringList {"0", "0", "0", "1", "1", "1", "1", "1"}));

    // The edges of the globe are on it.
    list().setCell(3, Latitude, "43.5");
    list().setCell(5, Longitude, "10.25");
    list().setCell(6, Latitude, "90");
    list().setCell(6, Longitude, "-180");
    list().setCell(7, Longitude, "180");
    w->SalvaOv2();
    QVERIFY(!w->Modificato());
    QCOMPARE(f->services.messages.size(), 1);
}

// Save As opens where the document lives (home while untitled) and gives a bare name ".ov2".
void TestOv2Files::saveAsProposesTheDocumentsFolder()
{
    w->AggiungiPdiAllaLista("Uno", "1", "2", "1");
    f->services.saveAnswers << dir->filePath("Primo");
    w->SalvaOv2ConNome();
    QCOMPARE(f->services.saveRequests[0].folder, QDir::homePath());
    QCOMPARE(f->services.saveRequests[0].extension, QString(".ov2"));
    QCOMPARE(w->FileOv2Aperto(), dir->filePath("Primo.ov2"));
    QVERIFY(QFile::exists(dir->filePath("Primo.ov2")));
    QVERIFY(!QFile::exists(dir->filePath("Primo")));

    f->services.saveAnswers << dir->filePath("Secondo.dat");
    w->SalvaOv2ConNome();
    QCOMPARE(f->services.saveRequests[1].folder, dir->path());
    QCOMPARE(w->FileOv2Aperto(), dir->filePath("Secondo.dat"));
    QCOMPARE(FileBytes::Read(dir->filePath("Secondo.dat")), FileBytes::Read(dir->filePath("Primo.ov2")));
}

void TestOv2Files::failedSaveKeepsEverything_data()
{
    QTest::addColumn<bool>("saveAs");
    QTest::addColumn<QString>("latitude");
    QTest::newRow("save as: folder missing") << true << "1";
}

void TestOv2Files::failedSaveKeepsEverything()
{
    QFETCH(bool, saveAs);
    QFETCH(QString, latitude);
    const QString path = openThree();
    const QByteArray before = FileBytes::Read(path);
    w->AggiungiPdiAllaLista("Nuovo", latitude, "2", "1");
    w->setModificato(true);
    const QString target = saveAs ? dir->filePath("manca/Nuovo.ov2") : path;
    if (saveAs) {
        f->services.saveAnswers << target;
        w->SalvaOv2ConNome();
    } else {
        w->SalvaOv2();
    }
    QCOMPARE(f->services.messages.size(), 1);
    QVERIFY(f->services.messages[0].contains(target));
    QCOMPARE(column(Mod), (QStringList{"0", "0", "0", "1"}));
    QVERIFY(w->Modificato());
    QCOMPARE(w->FileOv2Aperto(), path);
    QCOMPARE(w->windowTitle(), QString("Lumetra 1.4.0.5 [Roma.ov2 *]"));
    QCOMPARE(FileBytes::Read(path), before);
    QVERIFY(QDir(dir->path()).entryList(QDir::Files) == QStringList{"Roma.ov2"});
}

void TestOv2Files::charactersLatin1Lacks()
{
    w->AggiungiPdiAllaLista(QString::fromUtf8("Łódź"), "51.76", "19.45", "1");
    w->AggiungiPdiAllaLista(QString::fromUtf8("Café €"), "1", "2", "1");
    w->AggiungiPdiAllaLista(QString::fromUtf8("Pizza \xF0\x9F\x8D\x95"), "1", "2", "1");
    const QString path = dir->filePath("Polonia.ov2");
    f->services.saveAnswers << path;
    w->SalvaOv2ConNome();
    QCOMPARE(f->services.messages, QStringList {PoiDocument::lkLatin1Replaced().arg(2)});
    QCOMPARE(FileBytes::Read(path), ov2Bytes({{"?\xf3" "d?", 51.76, 19.45}, {"Caf\xe9 \x80", 1, 2}, {"Pizza ?", 1, 2}}));
    // The rows keep their own text, and the document counts as saved.
    QCOMPARE(list().Cell(0, Description), QString::fromUtf8("Łódź"));
    QVERIFY(!w->Modificato());
}

void TestOv2Files::backslashInFileName()
{
    const QString path = fixture("a\\b.ov2", kThree);
    f->services.openAnswers << path;
    w->ApriOv2();
    QCOMPARE(list().ListCount(), 3);
    QCOMPARE(w->windowTitle(), QString("Lumetra 1.4.0.5 [a\\b.ov2]"));
    w->AggiungiPdiAllaLista("Nuovo", "1", "2", "1");
    w->SalvaOv2();
    QVERIFY(f->services.messages.isEmpty());
    QVERIFY(FileBytes::Read(path).contains("Nuovo"));
    QVERIFY(!QFile::exists(dir->filePath("ab.ov2")));
}

void TestOv2Files::fileMenuSave()
{
    w->AggiungiPdiAllaLista("Uno", "1", "2", "1");
    const QString path = dir->filePath("Menu.ov2");
    f->services.saveAnswers << path;
    QVERIFY(!w->HandleMenu("FileSave"));  // untitled: asks for a name
    QCOMPARE(f->services.saveRequests.size(), 1);
    QCOMPARE(w->FileOv2Aperto(), path);

    w->AggiungiPdiAllaLista("Due", "3", "4", "1");
    w->setModificato(true);
    QVERIFY(!w->HandleMenu("FileSave"));  // titled: writes without asking
    QCOMPARE(f->services.saveRequests.size(), 1);
    QVERIFY(FileBytes::Read(path).contains("Due"));
    QVERIFY(!w->Modificato());

    const QString other = dir->filePath("Altro.ov2");
    f->services.saveAnswers << other;
    QVERIFY(!w->HandleMenu("FileSaveAs"));
    QCOMPARE(f->services.saveRequests.size(), 2);
    QCOMPARE(f->services.saveRequests[1].defaultName, QString("Menu.ov2"));
    QCOMPARE(w->windowTitle(), QString("Lumetra 1.4.0.5 [Altro.ov2]"));
}

void TestOv2Files::gpsbabelReadsWhatWeSave()
{
    const QString gpsbabel = QStandardPaths::findExecutable("gpsbabel");
    if (gpsbabel.isEmpty())
        QSKIP("gpsbabel is not installed");
    openThree();
    w->AggiungiPdiAllaLista("Nuovo", "-33.85678", "151.21529", "1");
    const QString path = dir->filePath("Babel.ov2");
    f->services.saveAnswers << path;
    w->SalvaOv2ConNome();

    QProcess babel;
    babel.start(gpsbabel, {"-i", "tomtom", "-f", path, "-o", "unicsv", "-F", "-"});
    QVERIFY(babel.waitForFinished(30000));
    QCOMPARE(babel.exitCode(), 0);
    QStringList lines = QString::fromUtf8(babel.readAllStandardOutput()).split(QRegularExpression("\r?\n"),
                                                                                Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.takeFirst(), QString("No,Latitude,Longitude,Name"));
    for (int row = 0; row < 4; ++row) {
        QCOMPARE(lines[row].section(',', 1, 1).toDouble(), list().Cell(row, Latitude).toDouble());
        QCOMPARE(lines[row].section(',', 2, 2).toDouble(), list().Cell(row, Longitude).toDouble());
        QCOMPARE(lines[row].section(',', 3), '"' + list().Cell(row, Description) + '"');
    }
}

LUMETRA_TEST_MAIN(TestOv2Files)

#include "tst_ov2files.moc"
