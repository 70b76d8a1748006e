#include "ov2/Ov2Dylib.h"
#include "platform/EditField.h"
#include "platform/HTMLViewer.h"
#include "platform/Listbox.h"
#include "search/DuplicateDialog.h"
#include "shell/Toolbar1.h"
#include "support/AppFixture.h"
#include "support/TestMain.h"
#include "window/Applicazione.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cmath>

namespace {

using Row = std::pair<QString, QString>;  // latitude and longitude texts

QString exact(double value)
{
    return QString::number(value, 'g', 17);
}

// A window with the rows and marks given, and a duplicate dialog over its list.
struct DuplicateFixture {
    AppFixture f;
    Applicazione* w = nullptr;
    std::unique_ptr<DuplicateDialog> dialog;

    explicit DuplicateFixture(const QList<Row>& rows, const QList<int>& marked = {})
    {
        w = f.newWindow();
        for (const Row& r : rows)
            w->AggiungiPdiAllaLista(QStringLiteral("POI"), r.first, r.second, QStringLiteral("0"));
        for (int row : marked)
            w->ListBox1()->setCellCheck(row, 0, true);
        dialog = std::make_unique<DuplicateDialog>(w);
        dialog->Lista = w->ListBox1();
    }

    DuplicateDialog& d() { return *dialog; }
    QList<int> marks() const
    {
        QList<int> rows;
        for (int row = 0; row < w->ListBox1()->ListCount(); ++row)
            if (w->ListBox1()->CellCheck(row, 0))
                rows << row;
        return rows;
    }
};

// Rows on one meridian, `km` apart one after the other.
QList<Row> meridian(const QList<double>& km)
{
    const double degreesPerKm = 90.0 / DistLatLong(0, 0, 90, 0);
    QList<Row> rows;
    for (double k : km)
        rows << Row{exact(45.0 + k * degreesPerKm), "9.0"};
    return rows;
}

}  // namespace

class TestDuplicateDialog : public QObject {
    Q_OBJECT
private slots:
    void controlsAtOpen();
    void scanMarks_data();
    void scanMarks();
    void exactlyTheThreshold_data();
    void exactlyTheThreshold();
    void thresholdField_data();
    void thresholdField();
    void typingOverTheThreshold();
    void typingACommaThreshold();
    void cancelBeforeScan();
    void cancelDuringScan();
    void cancelFromTimerDuringLongScan();
    void returnAndEscape();
    void fromTheToolbar();
};

void TestDuplicateDialog::controlsAtOpen()
{
    DuplicateFixture s(QList<Row>{{"45", "9"}});
    DuplicateDialog& d = s.d();
    QCOMPARE(d.size(), QSize(314, 87));
    QCOMPARE(d.EditFieldTrova->Text(), QString("0.5"));
    QCOMPARE(d.EditFieldTrova->geometry(), QRect(243, 12, 47, 22));
    QCOMPARE(d.ProgressBar1->geometry(), QRect(20, 13, 274, 22));
    QVERIFY(d.ProgressBar1->isHidden());
    QVERIFY(d.buttonTrova->isDefault());
    QVERIFY(d.buttonTrova->isEnabled());
    QVERIFY(!d.annulla);
}

void TestDuplicateDialog::scanMarks_data()
{
    QTest::addColumn<QList<Row>>("rows");
    QTest::addColumn<QString>("threshold");
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<QList<int>>("after");
    const Row roma{"41.902782", "12.496366"};
    QTest::newRow("three at one position") << QList<Row>{roma, roma, roma} << "0.5" << QList<int>{}
                                           << QList<int>{0, 1, 2};
    QTest::newRow("none near clears the user's marks")
        << QList<Row>{{"45", "9"}, {"46", "9"}, {"47", "9"}} << "0.5" << QList<int>{0, 2} << QList<int>{};
    QTest::newRow("one row") << QList<Row>{roma} << "0.5" << QList<int>{0} << QList<int>{};
    QTest::newRow("groups grow from their first row") << meridian({0, 0.4, 0.8}) << "0.5" << QList<int>{}
                                                      << QList<int>{0, 1};
    QTest::newRow("a later group") << meridian({0, 10, 10.3, 20}) << "0.5" << QList<int>{3} << QList<int>{1, 2};
    QTest::newRow("texts that are not numbers count as 0")
        << QList<Row>{{"abc", "x"}, roma, {"0", "0.000000"}} << "0.5" << QList<int>{1} << QList<int>{0, 2};
    QTest::newRow("threshold read as a number") << meridian({0, 3}) << " 5 " << QList<int>{} << QList<int>{0, 1};
    QTest::newRow("comma read as the point") << meridian({0, 1.2}) << "1,5" << QList<int> {} << QList<int> {0, 1};
}

void TestDuplicateDialog::scanMarks()
{
    QFETCH(QList<Row>, rows);
    QFETCH(QString, threshold);
    QFETCH(QList<int>, before);
    QFETCH(QList<int>, after);
    DuplicateFixture s(rows, before);
    QSignalSpy accepted(&s.d(), &QDialog::accepted);
    s.d().EditFieldTrova->setText(threshold);
    s.d().buttonTrova->click();
    QCOMPARE(s.marks(), after);
    QCOMPARE(accepted.count(), 1);
    QVERIFY(s.d().ProgressBar1->isHidden());
    // Marks only: the document, the rows' texts and "Mod" stay.
    QVERIFY(!s.w->Modificato());
    for (int row = 0; row < rows.size(); ++row) {
        QCOMPARE(s.w->ListBox1()->Cell(row, 1), rows[row].first);
        QCOMPARE(s.w->ListBox1()->Cell(row, 4), QString("0"));
    }
}

void TestDuplicateDialog::exactlyTheThreshold_data()
{
    QTest::addColumn<double>("shift");
    QTest::addColumn<QList<int>>("after");
    QTest::newRow("exactly") << 0.0 << QList<int>{0, 1};
    QTest::newRow("a hair further") << -1.0 << QList<int>{};
}

// Two rows exactly the threshold apart are near; with the threshold a hair smaller, not.
void TestDuplicateDialog::exactlyTheThreshold()
{
    QFETCH(double, shift);
    QFETCH(QList<int>, after);
    const Row a{"45.4642", "9.19"};
    const Row b{"45.46", "9.1953"};
    const double distance = DistLatLong(45.4642, 9.19, 45.46, 9.1953);
    const double threshold = shift == 0 ? distance : std::nextafter(distance, 0.0);
    DuplicateFixture s({a, b});
    s.d().EditFieldTrova->setText(exact(threshold));
    QCOMPARE(s.d().EditFieldTrova->Text(), exact(threshold));
    s.d().buttonTrova_Action();
    QCOMPARE(s.marks(), after);
}

void TestDuplicateDialog::thresholdField_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("emptied") << "" << "0.5";
    QTest::newRow("blanks") << "  " << "0.5";
    QTest::newRow("letters") << "abc" << "0.5";
    QTest::newRow("comma") << "0,3"
                           << "0,3";
    QTest::newRow("two commas") << "1,5,3"
                                << "0.5";
    QTest::newRow("comma alone") << ","
                                 << "0.5";
    QTest::newRow("digit") << "2" << "2";
    QTest::newRow("blanks around") << " 1.5 " << " 1.5 ";
    QTest::newRow("exponent") << "1e-3" << "1e-3";
}

void TestDuplicateDialog::thresholdField()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    DuplicateFixture s(QList<Row>{{"45", "9"}});
    s.d().EditFieldTrova->setText(typed);
    QCOMPARE(s.d().EditFieldTrova->Text(), shown);
}

// The field's text is selected when it gets the focus, so a digit typed replaces it.
void TestDuplicateDialog::typingOverTheThreshold()
{
    DuplicateFixture s(QList<Row>{{"45", "9"}});
    DuplicateDialog& d = s.d();
    d.show();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    d.buttonAnnulla->setFocus();
    d.EditFieldTrova->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(d.EditFieldTrova->selectedText(), QString("0.5"));
    QTest::keyClick(d.EditFieldTrova, '7');
    QCOMPARE(d.EditFieldTrova->Text(), QString("7"));
    // Deleting it puts the default back at once.
    QTest::keyClick(d.EditFieldTrova, Qt::Key_Backspace);
    QCOMPARE(d.EditFieldTrova->Text(), QString("0.5"));
}

// "1,5" typed key by key passes through "1," and stays: the scan runs at 1.5 km.
void TestDuplicateDialog::typingACommaThreshold()
{
    DuplicateFixture s(meridian({0, 1.2}));
    DuplicateDialog& d = s.d();
    d.show();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    d.EditFieldTrova->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(d.EditFieldTrova->selectedText(), QString("0.5"));
    QTest::keyClicks(d.EditFieldTrova, "1,5");
    QCOMPARE(d.EditFieldTrova->Text(), QString("1,5"));
    d.buttonTrova->click();
    QCOMPARE(s.marks(), (QList<int> {0, 1}));
}

void TestDuplicateDialog::cancelBeforeScan()
{
    const Row roma{"41.9", "12.5"};
    DuplicateFixture s({roma, roma, {"45", "9"}}, {2});
    QSignalSpy rejected(&s.d(), &QDialog::rejected);
    s.d().buttonAnnulla->click();
    QVERIFY(s.d().annulla);
    QCOMPARE(rejected.count(), 1);
    QCOMPARE(s.marks(), QList<int>{2});
}

// Cancel pressed while the scan processes events at row 3: rows 0 to 2 have been
// scanned, the first pass's clearing stays, nothing further is marked.
void TestDuplicateDialog::cancelDuringScan()
{
    const Row a{"41.9", "12.5"};
    const Row b{"45.0", "9.0"};
    const Row c{"40.0", "14.0"};
    DuplicateFixture s({a, b, a, c, c, b, {"10", "10"}}, {6});
    DuplicateDialog& d = s.d();
    bool barShown = false;
    bool fieldHidden = false;
    bool findDisabled = false;
    connect(d.ProgressBar1, &QProgressBar::valueChanged, &d, [&](int value) {
        if (value != 3)
            return;
        barShown = d.ProgressBar1->isVisibleTo(&d);
        fieldHidden = !d.EditFieldTrova->isVisibleTo(&d);
        findDisabled = !d.buttonTrova->isEnabled();
        QMetaObject::invokeMethod(d.buttonAnnulla, &QPushButton::click, Qt::QueuedConnection);
    });
    QSignalSpy accepted(&d, &QDialog::accepted);
    QSignalSpy rejected(&d, &QDialog::rejected);
    d.buttonTrova_Action();
    QVERIFY(d.annulla);
    QCOMPARE(s.marks(), (QList<int>{0, 1, 2, 5}));
    QCOMPARE(accepted.count(), 0);
    QCOMPARE(rejected.count(), 1);
    QVERIFY(barShown);
    QVERIFY(fieldHidden);
    QVERIFY(findDisabled);
    QVERIFY(d.ProgressBar1->isHidden());
}

// A timer, which only a poll of the event system runs (a zero interval would be posted),
// still ends a long scan early.
void TestDuplicateDialog::cancelFromTimerDuringLongScan()
{
    constexpr int kRows = 50000;
    QList<double> km;
    for (int i = 0; i < kRows; ++i)
        km << 10.0 * i;
    DuplicateFixture s(meridian(km));
    DuplicateDialog& d = s.d();
    int last = -1;
    connect(d.ProgressBar1, &QProgressBar::valueChanged, &d, [&](int value) {
        last = value;
        if (value == 1000)
            QTimer::singleShot(1, d.buttonAnnulla, &QPushButton::click);
    });
    d.buttonTrova_Action();
    QVERIFY(d.annulla);
    QVERIFY2(last > 1000 && last < kRows - 1, qPrintable(QString::number(last)));
}

void TestDuplicateDialog::returnAndEscape()
{
    const Row roma{"41.9", "12.5"};
    {
        DuplicateFixture s({roma, roma});
        s.d().show();
        QSignalSpy accepted(&s.d(), &QDialog::accepted);
        QTest::keyClick(s.d().EditFieldTrova, Qt::Key_Return);
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(s.marks(), (QList<int>{0, 1}));
    }
    {
        DuplicateFixture s({roma, roma});
        s.d().show();
        QSignalSpy rejected(&s.d(), &QDialog::rejected);
        QTest::keyClick(s.d().EditFieldTrova, Qt::Key_Escape);
        QCOMPARE(rejected.count(), 1);
        QVERIFY(s.d().annulla);
        QCOMPARE(s.marks(), QList<int>{});
    }
}

// Opened from the toolbar, the scan's marks show in the window's count; the document
// stays unmodified.
void TestDuplicateDialog::fromTheToolbar()
{
    const Row roma{"41.9", "12.5"};
    DuplicateFixture s({roma, {"45", "9"}, roma, {"45.000001", "9"}, {"30", "30"}});
    s.w->setModificato(false);
    s.f.services.modalHandlers.enqueue([](QDialog& dialog) {
        auto& d = static_cast<DuplicateDialog&>(dialog);
        d.buttonTrova->click();
        return d.result();
    });
    s.w->Toolbar11()->Action(toolbarOf(*s.w).ToolItemTrovaDup);
    QVERIFY(s.f.services.modalHandlers.isEmpty());
    QCOMPARE(s.marks(), (QList<int>{0, 1, 2, 3}));
    QVERIFY(s.w->LabelSelezionati()->text().endsWith(QLatin1String(":  4 / 5")));
    QVERIFY(!s.w->Modificato());
}

LUMETRA_TEST_MAIN(TestDuplicateDialog)

#include "tst_duplicatedialog.moc"
