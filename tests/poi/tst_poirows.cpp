#include "platform/CoordinateRule.h"
#include "platform/HTMLViewer.h"
#include "platform/Listbox.h"
#include "platform/PoiColumn.h"
#include "platform/TextFunctions.h"
#include "poi/PoiDocument.h"
#include "shell/Pictures.h"
#include "support/AppFixture.h"
#include "support/TestMain.h"
#include "support/WindowRows.h"
#include "window/Applicazione.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <memory>

using WindowRows::Descriptions;

namespace {

using enum PoiColumn::Index;

}  // namespace

class TestPoiRows : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void columns();
    void geoFormatter_data();
    void geoFormatter();
    void insertionPlace_data();
    void insertionPlace();
    void readingOrderOfLongAndShort();
    void newRowFields();
    void phoneIcon_data();
    void phoneIcon();
    void markedCount();
    void deleteMarked();
    void deleteSelected();
    void clearAll();
    void markedFirst();
    void markedFirstWithoutMarks();
    void markedFirstWithComparisonThatNeverAnswersEqual();

private:
    void add(const QString& description, const QString& mod = QStringLiteral("1"))
    {
        w->AggiungiPdiAllaLista(description, QStringLiteral("45.5"), QStringLiteral("9.25"), mod);
    }
    Listbox& list() { return *w->ListBox1(); }

    std::unique_ptr<AppFixture> f;
    Applicazione* w = nullptr;
};

void TestPoiRows::init()
{
    f = std::make_unique<AppFixture>();
    w = f->newWindow();
}

void TestPoiRows::cleanup()
{
    f.reset();
}

void TestPoiRows::columns()
{
    QCOMPARE(list().ColumnCount(), 6);
    QCOMPARE(list().ColumnWidths(), QString("60%,20%,20%"));
    QVERIFY(list().HasHeading());
    QCOMPARE(list().Heading(Description), PoiDocument::lkColDescription());
    QCOMPARE(list().Heading(Id), QString("Id"));
    QCOMPARE(list().Heading(Mod), QString("Mod"));
    QCOMPARE(list().Heading(Check), QString("Check"));
    QCOMPARE(list().ColumnAlignment(Latitude), Listbox::AlignDecimal);
    QCOMPARE(list().ColumnAlignment(Longitude), Listbox::AlignDecimal);
}

void TestPoiRows::geoFormatter_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("five decimals") << 45.12345 << "45.12345";
    QTest::newRow("two decimals") << 9.25 << "9.25";
    QTest::newRow("below one") << 0.5 << "0.5";
    QTest::newRow("whole") << 45.0 << "45";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative") << -73.98765 << "-73.98765";
    QTest::newRow("negative below one") << -0.25 << "-0.25";
    QTest::newRow("rounded to six") << 12.3456789 << "12.345679";
    QTest::newRow("rounds up to whole") << 9.9999999 << "10";
    QTest::newRow("smallest step") << 0.000001 << "0.000001";
    QTest::newRow("tiny negative is zero") << -0.0000001 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("large") << -180.0 << "-180";
}

void TestPoiRows::geoFormatter()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    // The user's locale writes "," as its decimal separator; the coordinate text never does.
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::Italian, QLocale::Italy)}) {
        QLocale::setDefault(locale);
        // A read row's text, made in place, and the same as a QString.
        char room[CoordinateRule::FormattedRoom];
        const QString written = CoordinateRule::Formatted(value, room).toString();
        const QString single = CoordinateRule::Formatted(value);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(written, text);
        QCOMPARE(single, text);
        QVERIFY(qAbs(Val(written) - value) <= 5e-7);
    }
    QCOMPARE(QLocale(QLocale::Italian, QLocale::Italy).decimalPoint(), QString(","));
}

void TestPoiRows::insertionPlace_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("row");
    QTest::newRow("57 characters: appended") << QString(57, 'a') << 2;
    QTest::newRow("58 characters: on top") << QString(58, 'a') << 0;
    QTest::newRow("empty: appended") << QString() << 2;
    // A letter outside the basic plane is one character, though two UTF-16 units.
    QTest::newRow("57 characters, one outside the plane: appended")
        << QString(56, 'a') + QString::fromUtf8("\xF0\x9F\x98\x80") << 2;
    QTest::newRow("58 characters, one outside the plane: on top")
        << QString(57, 'a') + QString::fromUtf8("\xF0\x9F\x98\x80") << 0;
}

void TestPoiRows::insertionPlace()
{
    QFETCH(QString, description);
    QFETCH(int, row);
    add("first");
    add("second");
    add(description);
    QCOMPARE(list().ListCount(), 3);
    QCOMPARE(list().Cell(row, Description), description);
}

void TestPoiRows::readingOrderOfLongAndShort()
{
    const QString long1 = QString(58, '1');
    const QString long3 = QString(70, '3');
    add(long1);
    add("short");
    add(long3);
    QCOMPARE(Descriptions(list()), (QStringList{long3, long1, "short"}));

    // In one batch, as a file is read: the same order as one by one.
    list().DeleteAllRows();
    QStringList expectedTop;
    QStringList expectedBottom;
    list().BeginUpdate();
    for (int i = 0; i < 3000; ++i) {
        const QString text = (i % 3 == 0) ? QString("short %1").arg(i) : QString("long %1 ").arg(i) + QString(60, 'x');
        add(text);
        if (i % 3 == 0)
            expectedBottom << text;
        else
            expectedTop.prepend(text);
    }
    list().EndUpdate();
    QCOMPARE(Descriptions(list()), expectedTop + expectedBottom);
}

void TestPoiRows::newRowFields()
{
    w->AggiungiPdiAllaLista("Roma", "41.9 ", "abc", "0");
    add("Milano", "1");
    QCOMPARE(list().Cell(0, Latitude), QString("41.9 "));  // stored as given
    QCOMPARE(list().Cell(0, Longitude), QString("abc"));
    QCOMPARE(list().Cell(0, Mod), QString("0"));
    QCOMPARE(list().Cell(1, Mod), QString("1"));
    static const QRegularExpression uuid("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$");
    for (int row = 0; row < 2; ++row) {
        QVERIFY(uuid.match(list().Cell(row, Id)).hasMatch());
        QVERIFY(list().Cell(row, Check).isEmpty());
        QVERIFY(!list().CellCheck(row, Description));
        QCOMPARE(list().CellType(row, Description), Listbox::TypeCheckbox);
    }
    QVERIFY(list().Cell(0, Id) != list().Cell(1, Id));
    // Adding leaves the document's state to its caller.
    QVERIFY(!w->Modificato());
}

void TestPoiRows::phoneIcon_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("picture");  // 0 none, 1 error, 2 ok
    QTest::newRow("no >") << "Pizzeria Roma" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("> last") << "Pizzeria Roma>" << 1;
    QTest::newRow("> alone") << ">" << 1;
    QTest::newRow("number after >") << "Pizzeria Roma>0612345" << 2;
    QTest::newRow("first > decides") << "Pizzeria Roma>0612345>" << 2;
}

void TestPoiRows::phoneIcon()
{
    QFETCH(QString, description);
    QFETCH(int, picture);
    const QPixmap* pictures[] = {&Pictures::phone_none(), &Pictures::phone_error(), &Pictures::phone_ok()};
    add(description);
    QCOMPARE(list().RowPicture(0), pictures[picture]);

    // An edit of the description sets the icon again.
    w->AggiornaIconaTelefono("Bar>06", 0);
    QCOMPARE(list().RowPicture(0), &Pictures::phone_ok());
}

void TestPoiRows::markedCount()
{
    w->AggiornaNumeroPdiSelezionati();
    QCOMPARE(w->LabelSelezionati()->text(), Applicazione::lkMarked() + ":  0 / 0");
    for (int i = 0; i < 120; ++i)
        add(QString::number(i));
    for (int row : {0, 59, 119})
        list().setCellCheck(row, Description, true);
    w->AggiornaNumeroPdiSelezionati();
    QCOMPARE(w->LabelSelezionati()->text(), Applicazione::lkMarked() + ":  3 / 120");
}

void TestPoiRows::deleteMarked()
{
    for (const char* d : {"a", "b", "c", "d", "e"})
        add(d);
    w->EliminaPdiDallaLista();
    QCOMPARE(Descriptions(list()), (QStringList{"a", "b", "c", "d", "e"}));

    for (int row : {0, 2, 4})
        list().setCellCheck(row, Description, true);
    const QString keptId = list().Cell(1, Id);
    w->EliminaPdiDallaLista();
    QCOMPARE(Descriptions(list()), (QStringList{"b", "d"}));
    QCOMPARE(list().Cell(0, Id), keptId);
    QVERIFY(!list().CellCheck(0, Description));
}

void TestPoiRows::deleteSelected()
{
    for (const char* d : {"a", "b", "c"})
        add(d);
    w->setModificato(false);
    w->EliminaPdiSelezionatoDallaLista();
    QCOMPARE(list().ListCount(), 3);
    QVERIFY(!w->Modificato());

    // Several rows selected: only the one ListIndex reports goes.
    list().setListIndex(1);
    list().setSelected(2, true);
    const int reported = list().ListIndex();
    const QString gone = list().Cell(reported, Description);
    w->EliminaPdiSelezionatoDallaLista();
    QCOMPARE(list().ListCount(), 2);
    QVERIFY(!Descriptions(list()).contains(gone));
    QVERIFY(w->Modificato());
    QCOMPARE(w->windowTitle(), QString("Lumetra 1.4.0.5 [senza nome.ov2 *]"));
    QCOMPARE(w->LabelSelezionati()->text(), Applicazione::lkMarked() + ":  0 / 2");
}

void TestPoiRows::clearAll()
{
    for (int i = 0; i < 50; ++i)
        add(QString::number(i));
    list().setCellCheck(3, Description, true);
    list().setScrollPosition(40);
    w->CancellaTuttiPdi();
    QCOMPARE(list().ListCount(), 0);
    QCOMPARE(list().ScrollPosition(), 0);
    QCOMPARE(w->LabelSelezionati()->text(), Applicazione::lkMarked() + ":  0 / 0");
}

void TestPoiRows::markedFirst()
{
    for (const char* d : {"a", "b", "c", "d", "e"})
        add(d);
    list().setCellCheck(1, Description, true);
    list().setCellCheck(3, Description, true);
    w->OrdinaPrimaMarcati(list());
    const QStringList order = Descriptions(list());
    QCOMPARE(QSet<QString>(order.begin(), order.begin() + 2), (QSet<QString>{"b", "d"}));
    QCOMPARE(QSet<QString>(order.begin() + 2, order.end()), (QSet<QString>{"a", "c", "e"}));
    for (int row = 0; row < 5; ++row) {
        QCOMPARE(list().Cell(row, Check), QString(row < 2 ? "1" : "0"));
        QCOMPARE(list().CellCheck(row, Description), row < 2);
    }
    QCOMPARE(list().SortedColumn(), int(Check));
    QCOMPARE(list().ColumnSortDirection(Check), -1);
    // Sorting is no change to the document's rows by itself.
    QVERIFY(!w->Modificato());
}

void TestPoiRows::markedFirstWithoutMarks()
{
    for (const char* d : {"c", "a", "b"})
        add(d);
    w->OrdinaPrimaMarcati(list());
    QCOMPARE(list().ListCount(), 3);
    for (int row = 0; row < 3; ++row)
        QCOMPARE(list().Cell(row, Check), QString("0"));
    const QStringList order = Descriptions(list());
    QCOMPARE(QSet<QString>(order.begin(), order.end()), (QSet<QString>{"a", "b", "c"}));
}

void TestPoiRows::markedFirstWithComparisonThatNeverAnswersEqual()
{
    // The list's own comparison answers -1 for equal keys, never 0: the sort must still
    // end, keep every row once and put the marked rows first.
    QRandomGenerator random(5);
    QSet<QString> ids;
    int marked = 0;
    list().BeginUpdate();
    for (int i = 0; i < 1000; ++i) {
        add(QString::number(i));
        const bool mark = random.bounded(3) == 0;
        list().setCellCheck(list().LastIndex(), Description, mark);
        marked += mark ? 1 : 0;
        ids << list().Cell(list().LastIndex(), Id);
    }
    list().EndUpdate();
    int asked = 0;
    list().CompareRows.connect(&list(), [this, &asked](int row1, int row2, int column, int& result) {
        ++asked;
        result = list().Cell(row1, column) > list().Cell(row2, column) ? 1 : -1;
        return true;
    });
    w->OrdinaPrimaMarcati(list());
    QVERIFY(asked > 0);
    QCOMPARE(list().ListCount(), 1000);
    QSet<QString> after;
    for (int row = 0; row < 1000; ++row) {
        after << list().Cell(row, Id);
        QCOMPARE(list().CellCheck(row, Description), row < marked);
        QCOMPARE(list().Cell(row, Check), QString(row < marked ? "1" : "0"));
    }
    QCOMPARE(after, ids);
}

LUMETRA_TEST_MAIN(TestPoiRows)

#include "tst_poirows.moc"
