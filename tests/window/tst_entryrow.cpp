#include "platform/BevelButton.h"
#include "platform/EditField.h"
#include "platform/HTMLViewer.h"
#include "platform/Listbox.h"
#include "shell/Translations.h"
#include "support/AppFixture.h"
#include "support/PageProbe.h"
#include "support/TestHttpServer.h"
#include "support/TestMain.h"
#include "support/WindowRows.h"
#include "window/Applicazione.h"
#include "window/EntryRow.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using WindowRows::AddNumberedRows;
using WindowRows::MarkedRows;

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

// A window that has the keyboard focus, so focus moves can be seen.
Applicazione* activeWindow(AppFixture& f)
{
    Applicazione* w = f.newWindow();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w))
        qWarning("window not active");
    return w;
}

EditField* field(Applicazione& w, const QString& name)
{
    if (name == QLatin1String("EditFieldNome"))
        return w.EditFieldNome();
    if (name == QLatin1String("EditFieldLatitudine"))
        return w.EditFieldLatitudine();
    return w.EditFieldLongitudine();
}

QString focusedField(Applicazione& w)
{
    QWidget* focus = QApplication::focusWidget();
    if (focus == w.EditFieldNome())
        return QStringLiteral("EditFieldNome");
    if (focus == w.EditFieldLatitudine())
        return QStringLiteral("EditFieldLatitudine");
    if (focus == w.EditFieldLongitudine())
        return QStringLiteral("EditFieldLongitudine");
    return QString();
}

QColor counterColor(const Applicazione& w)
{
    return w.LabelCharLeft()->palette().color(QPalette::WindowText);
}

QColor descriptionColor(const Applicazione& w)
{
    return w.EditFieldNome()->palette().color(QPalette::Text);
}

}  // namespace

class TestEntryRow : public QObject {
    Q_OBJECT
private slots:
    void counter_data();
    void counter();
    void counterTurnsBlackAgain();
    void addByHand_data();
    void addByHand();
    void rejectedEntry_data();
    void rejectedEntry();
    void returnAdds_data();
    void returnAdds();
    void focusSelectsAll();
    void telephoneSearch();
    void searchWithoutText();
    void addressSearch();
    void mapSpeaksTheProgramsLanguage_data();
    void mapSpeaksTheProgramsLanguage();
    void radiusNeedsPosition_data();
    void radiusNeedsPosition();
    void radiusMarksNearby();
    void markButtons_data();
    void markButtons();
    void markButtonsOnEmptyList();
    void deleteMarked_data();
    void deleteMarked();
    void deleteOnEmptyList();
};

void TestEntryRow::counter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("red");

    QTest::newRow("empty") << "" << "(57)" << false;
    QTest::newRow("57") << QString(57, u'a') << "(0)" << false;
    QTest::newRow("58") << QString(58, u'a') << "(-1)" << true;
    QTest::newRow("60") << QString(60, u'a') << "(-3)" << true;
    QTest::newRow("blanks count") << "   " << "(54)" << false;
    QTest::newRow("letters outside the basic plane") << QString::fromUtf8("\xF0\x9F\x93\x8D").repeated(57) << "(0)"
                                                    << false;
}

void TestEntryRow::counter()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(bool, red);

    AppFixture f;
    Applicazione* w = f.newWindow();
    w->EditFieldNome()->setText(QStringLiteral("x"));
    w->EditFieldNome()->setText(text);
    QCOMPARE(w->LabelCharLeft()->text(), shown);
    QCOMPARE(counterColor(*w), red ? kRed : kBlack);
    QCOMPARE(descriptionColor(*w), red ? kRed : kBlack);
    QVERIFY(!w->Modificato());
}

void TestEntryRow::counterTurnsBlackAgain()
{
    AppFixture f;
    Applicazione* w = activeWindow(f);
    w->EditFieldNome()->setText(QString(58, u'a'));
    QCOMPARE(counterColor(*w), kRed);
    w->EditFieldNome()->setFocus();
    w->EditFieldNome()->end(false);
    QTest::keyClick(w->EditFieldNome(), Qt::Key_Backspace);
    QCOMPARE(w->LabelCharLeft()->text(), QString("(0)"));
    QCOMPARE(counterColor(*w), kBlack);
    QCOMPARE(descriptionColor(*w), kBlack);
}

void TestEntryRow::addByHand_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("latitude");
    QTest::addColumn<QString>("longitude");
    QTest::addColumn<QString>("storedDescription");
    QTest::addColumn<QString>("storedLatitude");
    QTest::addColumn<QString>("storedLongitude");

    QTest::newRow("plain") << "Roma" << "41.9" << "12.5" << "Roma" << "41.9" << "12.5";
    QTest::newRow("comma as decimal point") << "Pisa" << "43,5" << "10,25" << "Pisa" << "43.5" << "10.25";
    QTest::newRow("trimmed") << "  Torre > 050 12 " << " -43,5 " << " +10 " << "Torre > 050 12" << "-43.5" << "10";
    QTest::newRow("bare points") << "Lucca" << ".5" << "5." << "Lucca" << "0.5" << "5";
    QTest::newRow("exponent") << "Far" << "1e1" << "-1.2e2" << "Far" << "10" << "-120";
    QTest::newRow("leading zeros") << "Octal" << "010" << "07.50" << "Octal" << "10" << "7.5";
    QTest::newRow("poles and date line") << "Edge" << "-90" << "180" << "Edge" << "-90" << "180";
    QTest::newRow("line breaks and tabs") << "\tBar\r\nRoma\n" << "1" << "2" << "Bar  Roma" << "1" << "2";
}

void TestEntryRow::addByHand()
{
    QFETCH(QString, description);
    QFETCH(QString, latitude);
    QFETCH(QString, longitude);
    QFETCH(QString, storedDescription);
    QFETCH(QString, storedLatitude);
    QFETCH(QString, storedLongitude);

    AppFixture f;
    Applicazione* w = f.newWindow();
    AddNumberedRows(*w, 1);
    w->EditFieldNome()->setText(description);
    w->EditFieldLatitudine()->setText(latitude);
    w->EditFieldLongitudine()->setText(longitude);
    w->buttonAggiungi()->click();

    Listbox& list = *w->ListBox1();
    QCOMPARE(list.ListCount(), 2);
    QCOMPARE(list.Cell(1, 0), storedDescription);
    QCOMPARE(list.Cell(1, 1), storedLatitude);
    QCOMPARE(list.Cell(1, 2), storedLongitude);
    QCOMPARE(list.Cell(1, 4), QString("1"));
    QVERIFY(!list.CellCheck(1, 0));
    QVERIFY(w->LabelSelezionati()->text().endsWith(QLatin1String(":  0 / 2")));
    QVERIFY(w->EditFieldNome()->Text().isEmpty());
    QVERIFY(w->EditFieldLatitudine()->Text().isEmpty());
    QVERIFY(w->EditFieldLongitudine()->Text().isEmpty());
    QCOMPARE(w->LabelCharLeft()->text(), QString("(57)"));
    QCOMPARE(counterColor(*w), kBlack);
    QVERIFY(w->Modificato());
    QCOMPARE(w->windowTitle(), QString("Lumetra 1.4.0.5 [senza nome.ov2 *]"));
}

void TestEntryRow::rejectedEntry_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("latitude");
    QTest::addColumn<QString>("longitude");
    QTest::addColumn<QString>("focus");

    QTest::newRow("no description") << "" << "43.1" << "10.1" << "EditFieldNome";
    QTest::newRow("blank description") << "   " << "43.1" << "10.1" << "EditFieldNome";
    QTest::newRow("description first") << "" << "x" << "y" << "EditFieldNome";
    QTest::newRow("no latitude") << "Roma" << "" << "10.1" << "EditFieldLatitudine";
    QTest::newRow("latitude with letters") << "Roma" << "43.1N" << "10.1" << "EditFieldLatitudine";
    QTest::newRow("only the first comma") << "Roma" << "43,5,1" << "10.1" << "EditFieldLatitudine";
    QTest::newRow("two points") << "Roma" << "43.5.1" << "10.1" << "EditFieldLatitudine";
    QTest::newRow("no longitude") << "Roma" << "43.1" << "" << "EditFieldLongitudine";
    QTest::newRow("longitude a sign") << "Roma" << "43.1" << "-" << "EditFieldLongitudine";
    QTest::newRow("latitude 999") << "Roma" << "999" << "10.1" << "EditFieldLatitudine";
    QTest::newRow("latitude past the pole") << "Roma" << "-90.000001" << "10.1" << "EditFieldLatitudine";
    QTest::newRow("longitude 1e5") << "Roma" << "43.1" << "1e5" << "EditFieldLongitudine";
    QTest::newRow("longitude past the date line") << "Roma" << "43.1" << "180,5" << "EditFieldLongitudine";
    QTest::newRow("longitude too large to read") << "Roma" << "43.1" << "1e400" << "EditFieldLongitudine";
}

void TestEntryRow::rejectedEntry()
{
    QFETCH(QString, description);
    QFETCH(QString, latitude);
    QFETCH(QString, longitude);
    QFETCH(QString, focus);

    AppFixture f;
    Applicazione* w = activeWindow(f);
    w->ListBox1()->setFocus();
    w->EditFieldNome()->setText(description);
    w->EditFieldLatitudine()->setText(latitude);
    w->EditFieldLongitudine()->setText(longitude);
    w->Entry().AggiungiPdiManuale();

    QCOMPARE(focusedField(*w), focus);
    QCOMPARE(w->ListBox1()->ListCount(), 0);
    QCOMPARE(w->EditFieldNome()->Text(), description);
    QCOMPARE(w->EditFieldLatitudine()->Text(), latitude);
    QCOMPARE(w->EditFieldLongitudine()->Text(), longitude);
    QVERIFY(!w->Modificato());
    QVERIFY(f.services.messages.isEmpty());
}

void TestEntryRow::returnAdds_data()
{
    QTest::addColumn<QString>("fieldName");
    QTest::newRow("description") << "EditFieldNome";
    QTest::newRow("latitude") << "EditFieldLatitudine";
    QTest::newRow("longitude") << "EditFieldLongitudine";
}

void TestEntryRow::returnAdds()
{
    QFETCH(QString, fieldName);

    AppFixture f;
    Applicazione* w = activeWindow(f);
    w->EditFieldNome()->setText(QStringLiteral("Siena"));
    w->EditFieldLatitudine()->setText(QStringLiteral("43.3"));
    w->EditFieldLongitudine()->setText(QStringLiteral("11.3"));
    EditField* target = field(*w, fieldName);
    QSignalSpy reached(target, &QLineEdit::returnPressed);
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Space);
    QCOMPARE(w->ListBox1()->ListCount(), 0);
    QTest::keyClick(target, Qt::Key_Return);
    QCOMPARE(w->ListBox1()->ListCount(), 1);
    // The key is not consumed: the field still receives it.
    QCOMPARE(reached.count(), 1);
}

void TestEntryRow::focusSelectsAll()
{
    AppFixture f;
    Applicazione* w = activeWindow(f);
    for (EditField* e : {w->EditFieldNome(), w->EditFieldLatitudine(), w->EditFieldLongitudine()}) {
        e->setText(QStringLiteral("12,5"));
        e->deselect();
        w->ListBox1()->setFocus();
        e->SetFocus();
        QTRY_COMPARE(e->selectedText(), QString("12,5"));
    }
}

void TestEntryRow::telephoneSearch()
{
    TestHttpServer directory;
    directory.route(QStringLiteral("/execute.cgi"), {200, QByteArray(), "text/html", false});
    qputenv("LUMETRA_DIRECTORY", directory.address().toUtf8());
    AppFixture f;
    Applicazione* w = activeWindow(f);
    w->ListBox1()->setFocus();
    w->EditFieldNome()->setText(QStringLiteral("+39 06-1234 567"));
    w->buttonCercaIndirizzo()->click();
    qputenv("LUMETRA_DIRECTORY", "");
    QCOMPARE(directory.requests.size(), 1);
    QVERIFY2(directory.requests.first().endsWith(QLatin1String("&qs=061234567")), qPrintable(directory.requests.first()));
    QCOMPARE(focusedField(*w), QString("EditFieldNome"));
    QVERIFY(!w->Modificato());
}

void TestEntryRow::searchWithoutText()
{
    TestHttpServer directory;
    qputenv("LUMETRA_DIRECTORY", directory.address().toUtf8());
    AppFixture f;
    Applicazione* w = activeWindow(f);
    w->EditFieldLatitudine()->setFocus();
    w->EditFieldNome()->setText(QStringLiteral("   "));
    w->buttonCercaIndirizzo()->click();
    qputenv("LUMETRA_DIRECTORY", "");
    QVERIFY(directory.requests.isEmpty());
    QVERIFY(f.services.messages.isEmpty());
    QCOMPARE(focusedField(*w), QString("EditFieldNome"));
    QCOMPARE(w->EditFieldNome()->Text(), QString("   "));
}

void TestEntryRow::addressSearch()
{
    TestHttpServer directory;
    TestHttpServer geocoder;
    geocoder.route(QStringLiteral("/search"), {200, "[]", "application/json", false});
    qputenv("LUMETRA_DIRECTORY", directory.address().toUtf8());
    AppFixture f;
    Applicazione* w = activeWindow(f);
    QVERIFY(PageProbe::WaitForMapPage(*w->web1()));
    PageProbe::Evaluate(*w->web1(), QStringLiteral("LumetraMap.config.geocoderUrl = '%1/search'; 1")
                                      .arg(geocoder.address()));
    w->EditFieldNome()->setText(QStringLiteral("Via Roma 1, Pisa"));
    w->buttonCercaIndirizzo()->click();
    qputenv("LUMETRA_DIRECTORY", "");
    QCOMPARE(focusedField(*w), QString("EditFieldNome"));
    QTRY_COMPARE(geocoder.requests.size(), 1);
    QVERIFY2(geocoder.requests.first().endsWith(QLatin1String("&q=Via%20Roma%201%2C%20Pisa")),
             qPrintable(geocoder.requests.first()));
    QVERIFY(directory.requests.isEmpty());
    QCOMPARE(w->EditFieldNome()->Text(), QString("Via Roma 1, Pisa"));
}

void TestEntryRow::mapSpeaksTheProgramsLanguage_data()
{
    QTest::addColumn<QLocale::Language>("language");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("credit");
    QTest::newRow("English") << QLocale::English << "The address search service cannot be reached."
                             << "\u00a9 OpenStreetMap contributors";
    QTest::newRow("Italian") << QLocale::Italian << "Il servizio di ricerca degli indirizzi non \u00e8 raggiungibile."
                             << "\u00a9 contributori di OpenStreetMap";
}

// The map page's own texts, its message of a failed address search and its credit for
// the tiles, are in the language the program runs in.
void TestEntryRow::mapSpeaksTheProgramsLanguage()
{
    QFETCH(QLocale::Language, language);
    QFETCH(QString, message);
    QFETCH(QString, credit);
    const Translations translations {QLocale(language)};
    TestHttpServer geocoder;
    geocoder.route(QStringLiteral("/search"), {500, "busy", "text/plain", false, "Access-Control-Allow-Origin: *\r\n"});
    AppFixture f;
    Applicazione* w = f.newWindow();
    QVERIFY(PageProbe::WaitForMapPage(*w->web1()));
    QCOMPARE(PageProbe::Evaluate(*w->web1(), QStringLiteral("document.documentElement.lang")).toString(),
        QLocale(language).name().left(2));
    const QString shown = PageProbe::Evaluate(*w->web1(),
        QStringLiteral("document.querySelector("
                       "'.leaflet-control-attribution').textContent"))
                              .toString();
    QVERIFY2(shown.endsWith(credit), qPrintable(shown));
    PageProbe::Evaluate(
        *w->web1(), QStringLiteral("LumetraMap.config.geocoderUrl = '%1/search'; 1").arg(geocoder.address()));
    w->EditFieldNome()->setText(QStringLiteral("Via Roma 1, Pisa"));
    w->buttonCercaIndirizzo()->click();
    QTRY_COMPARE(f.services.messages, QStringList {message});
}

void TestEntryRow::radiusNeedsPosition_data()
{
    QTest::addColumn<QString>("latitude");
    QTest::addColumn<QString>("longitude");
    QTest::addColumn<QString>("focus");

    QTest::newRow("no latitude") << "" << "10.4" << "EditFieldLatitudine";
    QTest::newRow("latitude with letters") << "abc" << "" << "EditFieldLatitudine";
    QTest::newRow("no longitude") << "43,7" << "" << "EditFieldLongitudine";
}

void TestEntryRow::radiusNeedsPosition()
{
    QFETCH(QString, latitude);
    QFETCH(QString, longitude);
    QFETCH(QString, focus);

    AppFixture f;
    Applicazione* w = activeWindow(f);
    AddNumberedRows(*w, 2);
    w->ListBox1()->setCellCheck(0, 0, true);
    w->ListBox1()->setFocus();
    w->EditFieldLatitudine()->setText(latitude);
    w->EditFieldLongitudine()->setText(longitude);
    w->buttonMostraDpiVicino()->click();
    QCOMPARE(focusedField(*w), focus);
    // Nothing was marked anew.
    QCOMPARE(MarkedRows(*w->ListBox1()), QList<int>{0});
}

void TestEntryRow::radiusMarksNearby()
{
    AppFixture f;
    Applicazione* w = f.newWindow();
    w->AggiungiPdiAllaLista(QStringLiteral("Far"), QStringLiteral("45.0"), QStringLiteral("12.0"), QStringLiteral("0"));
    w->AggiungiPdiAllaLista(QStringLiteral("Near"), QStringLiteral("43.05"), QStringLiteral("10.05"), QStringLiteral("0"));
    w->setModificato(false);
    w->ListBox1()->setCellCheck(0, 0, true);
    w->EditFieldNome()->setText(QStringLiteral("ignored"));
    w->EditFieldLatitudine()->setText(QStringLiteral(" 43,0 "));
    w->EditFieldLongitudine()->setText(QStringLiteral("10"));
    w->buttonMostraDpiVicino()->click();
    // Rows outside the radius lose their mark.
    QCOMPARE(MarkedRows(*w->ListBox1()), QList<int>{1});
    QCOMPARE(w->EditFieldLatitudine()->Text(), QString(" 43,0 "));
    QCOMPARE(w->ListBox1()->ListCount(), 2);
    QVERIFY(!w->Modificato());
}

void TestEntryRow::markButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QList<int>>("marked");

    QTest::newRow("all") << "ButtonTutti" << QList<int>{0, 1, 2, 3};
    QTest::newRow("none") << "ButtonNessuno" << QList<int>{};
    QTest::newRow("invert") << "ButtonTutti1" << QList<int>{0, 2};
}

void TestEntryRow::markButtons()
{
    QFETCH(QString, button);
    QFETCH(QList<int>, marked);

    AppFixture f;
    Applicazione* w = f.newWindow();
    AddNumberedRows(*w, 4);
    w->ListBox1()->setCellCheck(1, 0, true);
    w->ListBox1()->setCellCheck(3, 0, true);
    BevelButton* b = button == QLatin1String("ButtonTutti")     ? w->ButtonTutti()
                     : button == QLatin1String("ButtonNessuno") ? w->ButtonNessuno()
                                                                : w->ButtonTutti1();
    b->click();
    QCOMPARE(MarkedRows(*w->ListBox1()), marked);
    QVERIFY(w->LabelSelezionati()->text().endsWith(QStringLiteral(":  %1 / 4").arg(marked.size())));
    // Marks are not saved: the document is unchanged.
    QVERIFY(!w->Modificato());
    QCOMPARE(w->windowTitle(), QString("Lumetra 1.4.0.5 [senza nome.ov2]"));
}

void TestEntryRow::markButtonsOnEmptyList()
{
    AppFixture f;
    Applicazione* w = f.newWindow();
    for (BevelButton* b : {w->ButtonTutti(), w->ButtonNessuno(), w->ButtonTutti1()}) {
        w->LabelSelezionati()->setText(QStringLiteral("stale"));
        b->click();
        QVERIFY(w->LabelSelezionati()->text().endsWith(QLatin1String(":  0 / 0")));
    }
    QVERIFY(!w->Modificato());
}

void TestEntryRow::deleteMarked_data()
{
    QTest::addColumn<QList<int>>("marked");
    QTest::addColumn<QStringList>("left");

    QTest::newRow("some") << QList<int>{0, 2} << QStringList{"P1"};
    QTest::newRow("all") << QList<int>{0, 1, 2} << QStringList{};
    // Nothing to delete, yet the document counts as changed.
    QTest::newRow("none marked") << QList<int>{} << QStringList{"P0", "P1", "P2"};
}

void TestEntryRow::deleteMarked()
{
    QFETCH(QList<int>, marked);
    QFETCH(QStringList, left);

    AppFixture f;
    Applicazione* w = f.newWindow();
    AddNumberedRows(*w, 3);
    for (int row : marked)
        w->ListBox1()->setCellCheck(row, 0, true);
    w->ButtonElimina()->click();
    QStringList descriptions;
    for (int row = 0; row < w->ListBox1()->ListCount(); ++row)
        descriptions << w->ListBox1()->Cell(row, 0);
    QCOMPARE(descriptions, left);
    QVERIFY(w->LabelSelezionati()->text().endsWith(QStringLiteral(":  0 / %1").arg(left.size())));
    QVERIFY(w->Modificato());
    QCOMPARE(w->windowTitle(), QString("Lumetra 1.4.0.5 [senza nome.ov2 *]"));
}

void TestEntryRow::deleteOnEmptyList()
{
    AppFixture f;
    Applicazione* w = f.newWindow();
    w->ButtonElimina()->click();
    QVERIFY(!w->Modificato());
}

LUMETRA_TEST_MAIN(TestEntryRow)

#include "tst_entryrow.moc"
