#include "platform/ListboxModel.h"
#include "platform/PoiColumn.h"
#include "poi/CsvFiles.h"
#include "poi/Ov2Files.h"
#include "poi/PoiDocument.h"
#include "poi/PoiRows.h"
#include "support/FakeServices.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

using enum PoiColumn::Index;

// A document with its operations, as a window would hold them, but without one.
struct Editor {
    PoiDocument document;
    PoiRows rows{document};
    Ov2Files ov2{document, rows};
    CsvFiles csv{document, rows};

    QStringList descriptions() const
    {
        QStringList texts;
        for (int row = 0; row < document.ListCount(); ++row)
            texts << document.Cell(row, Description);
        return texts;
    }
    void mark(int row) { document.Model().setChecked(row, Description, true); }
};

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

// The POI document with its file formats, in a program without widgets: the document
// needs no window to be opened, edited and saved.
class TestPoiDocument : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void openEditSaveWithoutWindow();
    void modifiedFlagTellsTitle();
    void failedOpenKeepsDocument();
    void csvRoundTrip();

private:
    std::unique_ptr<FakeServices> mServices;
    QTemporaryDir mDir;
};

void TestPoiDocument::init()
{
    mServices = std::make_unique<FakeServices>();
}

void TestPoiDocument::cleanup()
{
    mServices.reset();
}

void TestPoiDocument::openEditSaveWithoutWindow()
{
    const QString path = mDir.filePath(QStringLiteral("Roma.ov2"));
    {
        Editor first;
        first.rows.AggiungiPdiAllaLista(QStringLiteral("Colosseo"), QStringLiteral("41.89021"),
                                        QStringLiteral("12.49223"), QStringLiteral("1"));
        first.rows.AggiungiPdiAllaLista(QStringLiteral("Pantheon>06 68300230"), QStringLiteral("41.8986"),
                                        QStringLiteral("12.4769"), QStringLiteral("1"));
        first.document.setModificato(true);
        mServices->saveAnswers.enqueue(path);
        first.ov2.SalvaOv2ConNome();
        QCOMPARE(mServices->saveRequests.last().defaultName, QStringLiteral("senza nome.ov2"));
        QCOMPARE(first.document.FileOv2Aperto(), path);
        QVERIFY(!first.document.Modificato());
        QCOMPARE(first.document.Cell(0, Mod), QStringLiteral("0"));
    }

    Editor second;
    QSignalSpy stale(&second.document, &PoiDocument::markersStale);
    second.ov2.ApriOv2DaFile(path);
    QCOMPARE(second.descriptions(), QStringList({"Colosseo", "Pantheon>06 68300230"}));
    QCOMPARE(second.document.Cell(1, Latitude), QStringLiteral("41.8986"));
    QCOMPARE(second.document.NomeFinestra(), QStringLiteral("Roma.ov2"));
    QCOMPARE(stale.count(), 1);

    // Removing the marked rows takes their markers off the map.
    QSignalSpy removed(&second.document, &PoiDocument::markerRemoved);
    const QString colosseo = second.document.Cell(0, Id);
    second.mark(0);
    second.rows.EliminaPdiDallaLista();
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.first().first().toString(), colosseo);
    second.rows.AggiungiPdiAllaLista(QStringLiteral("Trevi"), QStringLiteral("41.90093"), QStringLiteral("12.48331"),
                                     QStringLiteral("1"));
    second.document.setModificato(true);
    QCOMPARE(second.document.NomeFinestra(), QStringLiteral("Roma.ov2 *"));
    second.ov2.SalvaOv2();
    QVERIFY(!second.document.Modificato());

    Editor third;
    third.ov2.ApriOv2DaFile(path);
    QCOMPARE(third.descriptions(), QStringList({"Pantheon>06 68300230", "Trevi"}));
    QCOMPARE(third.document.Cell(1, Longitude), QStringLiteral("12.48331"));
    QVERIFY(mServices->messages.isEmpty());
}

void TestPoiDocument::modifiedFlagTellsTitle()
{
    Editor editor;
    QSignalSpy title(&editor.document, &PoiDocument::titleChanged);
    QSignalSpy counts(&editor.document, &PoiDocument::markedCountChanged);
    editor.rows.AggiungiPdiAllaLista(QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("2"),
                                     QStringLiteral("1"));
    editor.rows.AggiungiPdiAllaLista(QStringLiteral("B"), QStringLiteral("3"), QStringLiteral("4"),
                                     QStringLiteral("1"));
    QCOMPARE(title.count(), 0);

    // Deleting a single row marks the document changed and tells the title and the count.
    editor.rows.EliminaPdiSelezionatoDallaLista(0);
    QCOMPARE(editor.descriptions(), QStringList({"B"}));
    QVERIFY(editor.document.Modificato());
    QCOMPARE(title.count(), 1);
    QCOMPARE(counts.count(), 1);
    editor.rows.EliminaPdiSelezionatoDallaLista(-1);
    QCOMPARE(editor.document.ListCount(), 1);
    QCOMPARE(title.count(), 1);

    editor.mark(0);
    QCOMPARE(editor.document.MarkedCount(), 1);
    editor.document.setFileOv2Aperto(QStringLiteral("/tmp/x/Punti.ov2"));
    QCOMPARE(title.count(), 2);
    QCOMPARE(editor.document.NomeFinestra(), QStringLiteral("Punti.ov2 *"));
}

void TestPoiDocument::failedOpenKeepsDocument()
{
    Editor editor;
    editor.rows.AggiungiPdiAllaLista(QStringLiteral("Keep"), QStringLiteral("1"), QStringLiteral("2"),
                                     QStringLiteral("1"));
    editor.document.setModificato(true);
    const QString missing = mDir.filePath(QStringLiteral("missing.ov2"));
    editor.ov2.ApriOv2DaFile(missing);
    QCOMPARE(editor.descriptions(), QStringList({"Keep"}));
    QVERIFY(editor.document.FileOv2Aperto().isEmpty());
    QVERIFY(editor.document.Modificato());
    QCOMPARE(mServices->messages.size(), 1);
    QVERIFY(mServices->messages.first().contains(missing));
}

void TestPoiDocument::csvRoundTrip()
{
    const QString path = mDir.filePath(QStringLiteral("punti.csv"));
    Editor source;
    source.rows.AggiungiPdiAllaLista(QStringLiteral("Città"), QStringLiteral("43.5"), QStringLiteral("10.25"),
                                     QStringLiteral("1"));
    mServices->saveAnswers.enqueue(path);
    source.csv.SalvaCsv();
    QCOMPARE(readAll(path), QByteArray("10.25,43.5,Citt\xe0,\r\n"));

    Editor target;
    mServices->openAnswers.enqueue(path);
    target.csv._FileImportCsv_Action();
    QCOMPARE(target.descriptions(), QStringList({QStringLiteral("Città")}));
    QCOMPARE(target.document.Cell(0, Latitude), QStringLiteral("43.5"));
    QVERIFY(target.document.Modificato());
}

QTEST_GUILESS_MAIN(TestPoiDocument)
#include "tst_poidocument.moc"
