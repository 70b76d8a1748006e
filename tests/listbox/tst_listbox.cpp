#include "platform/Listbox.h"
#include "platform/ListboxModel.h"
#include "support/WindowRows.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPixmap>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <functional>
#include <iterator>
#include <memory>

using WindowRows::Column;

namespace {

// A shown list with the POI columns: three visible, three hidden.
std::unique_ptr<Listbox> makeList(int rows = 0)
{
    auto list = std::make_unique<Listbox>();
    list->setColumnCount(6);
    list->setColumnWidths(QStringLiteral("60%,20%,20%"));
    list->setHasHeading(true);
    for (int i = 0; i < rows; ++i) {
        list->AddRow(QStringLiteral("row %1").arg(i));
        list->setCell(i, 3, QStringLiteral("id%1").arg(i));
    }
    list->resize(500, 300);
    list->show();
    return list;
}

bool activate(Listbox& list)
{
    list.activateWindow();
    return QTest::qWaitForWindowActive(&list);
}

bool editorOpen(const Listbox& list)
{
    for (const QLineEdit* editor : list.view()->viewport()->findChildren<QLineEdit*>())
        if (editor->isVisible())
            return true;
    return false;
}

QPoint cellCentre(Listbox& list, int row, int column)
{
    return list.view()->visualRect(list.view()->model()->index(row, column)).center();
}

// Rows as the document adds them: long descriptions at the top, the others at the end.
void addPoi(Listbox& list, const QString& description, const QString& id)
{
    int row;
    if (description.size() > 57) {
        list.InsertRow(0, description);
        row = 0;
    } else {
        list.AddRow(description);
        row = list.LastIndex();
    }
    list.setCell(row, 1, QStringLiteral("45.1"));
    list.setCellCheck(row, 0, false);
    list.setCellType(row, 0, Listbox::TypeCheckbox);
    list.setCell(row, 3, id);
    list.setCell(row, 4, QStringLiteral("0"));
}

// What a pass from row 0 finds: the first row whose cell holds the text, or -1.
int firstRowWith(const Listbox& list, int column, const QString& text)
{
    for (int row = 0; row < list.ListCount(); ++row) {
        if (list.CellView(row, column) == text)
            return row;
    }
    return -1;
}

}  // namespace

class TestListbox : public QObject {
    Q_OBJECT
private slots:
    void modelStaysConsistent();
    void cellsKeepTheirNeighbours();
    void rowInsertedWithItsCells();
    void batchInsertionKeepsOneByOneOrder();
    void bottomUpRemovalInsideBatch();
    void removalInAnyOrderInsideBatch();
    void clickThenDoubleClick();
    void returnKeyIsPassedOn_data();
    void returnKeyIsPassedOn();
    void editingRaisesTextChangeAndAction();
    void escapeEndsEditWithoutAction();
    void commitEditStoresAtOnce();
    void editCellOutOfRangeDoesNothing();
    void checkBoxToggleRaisesAction();
    void setListIndexRaisesChangeBeforeReturn();
    void resetsTellTheLostSelection();
    void sortWithNeverZeroComparison_data();
    void sortWithNeverZeroComparison();
    void handlerDecidesPairsAfterLeavingTheFirst();
    void sortByTextFollowsSelection();
    void headingClickSortsAndReverses();
    void hiddenColumnsAndWidths();
    void paintColoursAreDataRoles();
    void eventsStopWithTheirContext();
    void contextMenuOnlyWhenConstructed();
    void dragMovesSelectedRows();
    void scrollPosition();
    void findRowFollowsEveryChange();
};

void TestListbox::modelStaysConsistent()
{
    auto list = makeList();
    QAbstractItemModelTester tester(list->view()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    for (int i = 0; i < 20; ++i)
        list->AddRow(QStringLiteral("a%1").arg(i));
    list->InsertRow(0, QStringLiteral("top"));
    list->InsertRow(10, QStringLiteral("middle"));
    list->setCell(3, 2, QStringLiteral("x"));
    list->setCellType(3, 0, Listbox::TypeCheckbox);
    list->setCellCheck(3, 0, true);
    list->RemoveRow(0);
    list->RemoveRow(list->ListCount() - 1);
    list->BeginUpdate();
    for (int i = 0; i < 5; ++i)
        list->InsertRow(0, QStringLiteral("b%1").arg(i));
    list->RemoveRow(7);
    list->setCell(1, 1, QStringLiteral("y"));
    list->EndUpdate();
    list->setSortedColumn(0);
    list->Sort();
    list->setColumnCount(4);
    list->setColumnCount(6);
    list->DeleteAllRows();
    QCOMPARE(list->ListCount(), 0);
}

void TestListbox::rowInsertedWithItsCells()
{
    ListboxModel model;
    model.setColumns(6);
    auto list = std::make_unique<Listbox>(&model);
    model.insertRow(0, u"row 0");
    model.insertRow(1, u"row 1");
    const QAnyStringView cells[] = {u"a", u"", u"c", u"d", u"e", u"f", u"past the last column"};
    model.insertRow(1, cells, int(std::size(cells)));
    QCOMPARE(list->ListCount(), 3);
    QCOMPARE(list->LastIndex(), 1);
    const QStringList expected{"a", "", "c", "d", "e", "f"};
    for (int column = 0; column < 6; ++column)
        QCOMPARE(list->Cell(1, column), expected[column]);
    QCOMPARE(list->Cell(1, 6), QString());
    QCOMPARE(list->Cell(2, 0), QString("row 1"));
    QVERIFY(!list->CellCheck(1, 0));

    model.insertRow(3, nullptr, 0);
    QCOMPARE(list->ListCount(), 4);
    QCOMPARE(list->LastIndex(), 3);
    QCOMPARE(list->Cell(3, 0), QString());
}

void TestListbox::cellsKeepTheirNeighbours()
{
    auto list = makeList(1);
    const QString wide(70000, u'w');
    list->setCell(0, 5, QStringLiteral("five"));
    list->setCell(0, 2, wide);
    list->setCell(0, 1, QStringLiteral("one"));
    QCOMPARE(list->Cell(0, 0), QString("row 0"));
    QCOMPARE(list->Cell(0, 1), QString("one"));
    QCOMPARE(list->CellView(0, 2).toString(), wide);
    QCOMPARE(list->Cell(0, 4), QString());
    QCOMPARE(list->Cell(0, 5), QString("five"));
    list->setCell(0, 2, QString());
    QCOMPARE(list->Cell(0, 5), QString("five"));
    QCOMPARE(list->Cell(0, 2), QString());
    // A character beyond Latin-1 in one cell, and later none: the row's others read the same.
    const QString latin1 = QStringLiteral("Caff\u00e8 \u00ff");
    const QString euro = QStringLiteral("10 \u20ac");
    list->setCell(0, 1, latin1);
    list->setCell(0, 3, euro);
    QCOMPARE(list->Cell(0, 1), latin1);
    QCOMPARE(list->Cell(0, 3), euro);
    QCOMPARE(list->Cell(0, 5), QString("five"));
    list->setCell(0, 3, latin1);
    QVERIFY(list->CellView(0, 3) == latin1);
    QCOMPARE(list->Cell(0, 1), latin1);
    list->setCell(0, 1, QStringLiteral("one"));
    // Out of range reads empty and writes nothing.
    list->setCell(1, 0, QStringLiteral("nobody"));
    list->setCell(0, 6, QStringLiteral("nobody"));
    QCOMPARE(list->Cell(0, 6), QString());
    QCOMPARE(list->ListCount(), 1);
    // Fewer columns drop the cells beyond them.
    list->setColumnCount(3);
    list->setColumnCount(6);
    QCOMPARE(list->Cell(0, 5), QString());
    QCOMPARE(list->Cell(0, 1), QString("one"));

    QPixmap picture(4, 4);
    list->setRowPicture(0, &picture);
    QCOMPARE(list->RowPicture(0), &picture);
    list->setCellType(0, 0, Listbox::TypeCheckbox);
    list->setCellCheck(0, 0, true);
    QCOMPARE(list->CellType(0, 0), Listbox::TypeCheckbox);
    QCOMPARE(list->CellType(0, 1), Listbox::TypeDefault);
    QVERIFY(list->CellCheck(0, 0));
}

void TestListbox::batchInsertionKeepsOneByOneOrder()
{
    const QString longText(58, u'L');
    QStringList descriptions;
    for (int i = 0; i < 300; ++i)
        descriptions << (i % 3 == 1 ? QStringLiteral("short %1").arg(i) : longText + QString::number(i));
    auto oneByOne = makeList();
    auto batched = makeList();
    batched->BeginUpdate();
    for (int i = 0; i < descriptions.size(); ++i) {
        addPoi(*oneByOne, descriptions[i], QString::number(i));
        addPoi(*batched, descriptions[i], QString::number(i));
    }
    QCOMPARE(batched->ListCount(), 300);
    batched->EndUpdate();
    QCOMPARE(Column(*batched, 0), Column(*oneByOne, 0));
    QCOMPARE(Column(*batched, 3), Column(*oneByOne, 3));
    // Later long rows above earlier ones, short ones after them in their order.
    QCOMPARE(batched->Cell(0, 3), QString("299"));
    QCOMPARE(batched->Cell(199, 3), QString("0"));
    QCOMPARE(batched->Cell(200, 3), QString("1"));
    QCOMPARE(batched->Cell(299, 3), QString("298"));
    QCOMPARE(batched->view()->model()->rowCount(), 300);
}

void TestListbox::bottomUpRemovalInsideBatch()
{
    auto list = makeList(1000);
    for (int row = 0; row < 1000; ++row)
        list->setCellCheck(row, 0, row % 3 == 0 || row == 999);
    QStringList expected;
    for (int row = 0; row < 1000; ++row)
        if (!list->CellCheck(row, 0))
            expected << QStringLiteral("id%1").arg(row);

    list->BeginUpdate();
    for (int row = list->ListCount() - 1; row >= 0; --row) {
        QCOMPARE(list->Cell(row, 3), QStringLiteral("id%1").arg(row));
        if (list->CellCheck(row, 0)) {
            const int before = list->ListCount();
            list->RemoveRow(row);
            QCOMPARE(list->ListCount(), before - 1);
            // The rows below the one removed moved up at once.
            if (row < list->ListCount())
                QVERIFY(list->Cell(row, 3) != QStringLiteral("id%1").arg(row));
        }
    }
    QCOMPARE(Column(*list, 3), expected);
    list->EndUpdate();
    QCOMPARE(Column(*list, 3), expected);
    QCOMPARE(list->view()->model()->rowCount(), expected.size());
}

void TestListbox::removalInAnyOrderInsideBatch()
{
    auto list = makeList(200);
    QStringList expected = Column(*list, 3);
    QRandomGenerator random(7);
    list->BeginUpdate();
    for (int i = 0; i < 120; ++i) {
        const int row = int(random.bounded(list->ListCount()));
        list->RemoveRow(row);
        expected.removeAt(row);
        QCOMPARE(list->Cell(list->ListCount() - 1, 3), expected.last());
    }
    QCOMPARE(Column(*list, 3), expected);
    list->AddRow(QStringLiteral("after"));
    list->EndUpdate();
    expected << QString();
    QCOMPARE(Column(*list, 3), expected);
}

void TestListbox::clickThenDoubleClick()
{
    auto list = makeList(5);
    QStringList log;
    list->CellClick.connect(list.get(), [&](int row, int column, int, int) {
        log << QStringLiteral("click %1,%2").arg(row).arg(column);
        return false;
    });
    list->Change.connect(list.get(), [&] { log << QStringLiteral("change %1").arg(list->ListIndex()); });
    list->DoubleClick.connect(list.get(), [&] { log << QStringLiteral("double"); });
    QWidget* viewport = list->view()->viewport();
    const QPoint cell = cellCentre(*list, 2, 1);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, cell);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, cell);
    QCOMPARE(log.first(), QString("click 2,1"));
    QCOMPARE(log.at(1), QString("change 2"));
    QCOMPARE(log.last(), QString("double"));
    QCOMPARE(log.count("double"), 1);
    QCOMPARE(log.at(log.size() - 2), QString("click 2,1"));

    // An editor opened by the double click stays open once the mouse is let go.
    QVERIFY(activate(*list));
    list->DoubleClick.connect(list.get(), [&] { list->EditCell(2, 1); });
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, cell);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, cell);
    QVERIFY(editorOpen(*list));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    // A handler that takes the press keeps it from the selection.
    log.clear();
    list->CellClick.connect(list.get(), [&](int, int, int x, int y) {
        log << QStringLiteral("inside %1").arg(x >= 0 && y >= 0);
        return true;
    });
    QTest::mouseClick(viewport, Qt::LeftButton, {}, cellCentre(*list, 4, 0));
    QCOMPARE(log, QStringList{"inside 1"});
    QCOMPARE(list->ListIndex(), 2);
}

void TestListbox::returnKeyIsPassedOn_data()
{
    QTest::addColumn<bool>("consume");
    QTest::newRow("handler lets it go on") << false;
    QTest::newRow("handler keeps it") << true;
}

void TestListbox::returnKeyIsPassedOn()
{
    QFETCH(bool, consume);
    auto list = makeList(3);
    QVERIFY(activate(*list));
    list->setFocus();
    list->setListIndex(1);
    QStringList keys;
    list->KeyDown.connect(list.get(), [&](const QString& key) {
        keys << key;
        return consume;
    });
    int activated = 0;
    connect(list->view(), &QAbstractItemView::activated, list.get(), [&] { ++activated; });
    QTest::keyClick(list->view(), Qt::Key_Return);
    QTest::keyClick(list->view(), Qt::Key_A);
    QTest::keyClick(list->view(), Qt::Key_Up);
    QCOMPARE(keys, (QStringList{"\r", "a", QString(QChar(30))}));
    QCOMPARE(activated, consume ? 0 : 1);
    // Return opening an editor leaves the key to it.
    list->KeyDown.connect(list.get(), [&](const QString& key) {
        if (key == "\r")
            list->EditCell(list->ListIndex(), 0);
        return consume;
    });
    QTest::keyClick(list->view(), Qt::Key_Return);
    QVERIFY(editorOpen(*list));
    // Up reached the view only when the handler let it go.
    QCOMPARE(list->ListIndex(), consume ? 1 : 0);
}

void TestListbox::editingRaisesTextChangeAndAction()
{
    auto list = makeList(3);
    QVERIFY(activate(*list));
    QStringList log;
    list->KeyDown.connect(list.get(), [&](const QString&) {
        log << QStringLiteral("list key");
        return false;
    });
    list->CellKeyDown.connect(list.get(), [&](int row, int column, const QString& key) {
        log << QStringLiteral("key %1,%2 %3").arg(row).arg(column).arg(key == "\r" ? "Return" : key);
        return key == "x";
    });
    list->CellTextChange.connect(list.get(), [&](int row, int column) {
        log << QStringLiteral("text %1,%2 %3").arg(row).arg(column).arg(
                   qobject_cast<QLineEdit*>(QApplication::focusWidget())->text());
    });
    list->CellAction.connect(list.get(), [&](int row, int column) {
        log << QStringLiteral("action %1,%2 %3").arg(row).arg(column).arg(list->Cell(row, column));
    });
    list->EditCell(1, 2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("1x,"));
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor commits once it has handled the key itself.
    QTRY_COMPARE(log.size(), 7);
    QCOMPARE(log, (QStringList{"key 1,2 1", "text 1,2 1", "key 1,2 x", "key 1,2 ,", "text 1,2 1,",
                               "key 1,2 Return", "action 1,2 1,"}));
    QCOMPARE(list->Cell(1, 2), QString("1,"));
    QVERIFY(!editorOpen(*list));
}

void TestListbox::escapeEndsEditWithoutAction()
{
    auto list = makeList(2);
    list->setCell(0, 0, QStringLiteral("kept"));
    QVERIFY(activate(*list));
    int actions = 0;
    list->CellAction.connect(list.get(), [&](int, int) { ++actions; });
    list->EditCell(0, 0);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("gone"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QCOMPARE(actions, 0);
    QCOMPARE(list->Cell(0, 0), QString("kept"));
}

// CommitEdit ends an open edit as Return does, but before it returns; without one it does nothing.
void TestListbox::commitEditStoresAtOnce()
{
    auto list = makeList(2);
    QVERIFY(activate(*list));
    QStringList actions;
    list->CellAction.connect(list.get(), [&](int row, int column) {
        actions << QStringLiteral("%1,%2 %3").arg(row).arg(column).arg(list->Cell(row, column));
    });
    list->CommitEdit();
    QVERIFY(actions.isEmpty());
    list->EditCell(1, 1);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("typed"));
    list->CommitEdit();
    QCOMPARE(actions, QStringList{"1,1 typed"});
    QVERIFY(!editorOpen(*list));
    list->CommitEdit();
    QCOMPARE(actions.size(), 1);
}

void TestListbox::editCellOutOfRangeDoesNothing()
{
    auto list = makeList(2);
    QVERIFY(activate(*list));
    for (const auto& [row, column] : {std::pair{2, 0}, {-1, 0}, {0, 6}, {0, 3}}) {
        list->EditCell(row, column);
        QVERIFY(!editorOpen(*list));
    }
    // A second edit waits for the first to end.
    list->EditCell(0, 0);
    QWidget* first = QApplication::focusWidget();
    list->EditCell(1, 1);
    QCOMPARE(QApplication::focusWidget(), first);
    QCOMPARE(list->view()->viewport()->findChildren<QLineEdit*>().size(), 1);
    QTest::keyClick(first, Qt::Key_Escape);
    list->DeleteAllRows();
    list->EditCell(0, 0);
    QVERIFY(!editorOpen(*list));
}

void TestListbox::checkBoxToggleRaisesAction()
{
    auto list = makeList(3);
    for (int row = 0; row < 3; ++row)
        list->setCellType(row, 0, Listbox::TypeCheckbox);
    QStringList actions;
    list->CellAction.connect(list.get(), [&](int row, int column) {
        actions << QStringLiteral("%1,%2 %3").arg(row).arg(column).arg(list->CellCheck(row, column));
    });
    auto* view = qobject_cast<QTableView*>(list->view());
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.rect = view->visualRect(view->model()->index(1, 0));
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    const QRect box = view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, box.center());
    QCOMPARE(actions, QStringList{"1,0 1"});
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, box.center());
    QCOMPARE(actions, (QStringList{"1,0 1", "1,0 0"}));
    // Setting a check from the program is no action of the user.
    list->setCellCheck(2, 0, true);
    QCOMPARE(actions.size(), 2);
}

void TestListbox::setListIndexRaisesChangeBeforeReturn()
{
    auto list = makeList(5);
    QList<int> seen;
    list->Change.connect(list.get(), [&] { seen << list->ListIndex(); });
    list->setListIndex(3);
    QCOMPARE(seen, QList<int>{3});
    QCOMPARE(list->SelCount(), 1);
    list->setSelected(1, true);
    QCOMPARE(seen, (QList<int>{3, 1}));
    QCOMPARE(list->SelCount(), 2);
    QVERIFY(list->Selected(3));
    QVERIFY(!list->Selected(2));
    list->setListIndex(4);
    QCOMPARE(seen.last(), 4);
    QCOMPARE(list->SelCount(), 1);
    list->setListIndex(-1);
    QCOMPARE(seen.last(), -1);
    QCOMPARE(list->SelCount(), 0);
}

void TestListbox::resetsTellTheLostSelection()
{
    auto list = makeList(5);
    int changes = 0;
    list->Change.connect(list.get(), [&] { ++changes; });
    list->setListIndex(2);
    list->RemoveRow(2);
    QCOMPARE(changes, 2);
    QCOMPARE(list->ListIndex(), -1);
    list->setListIndex(1);
    list->BeginUpdate();
    list->RemoveRow(3);
    QCOMPARE(changes, 3);
    list->EndUpdate();
    QCOMPARE(changes, 4);
    QCOMPARE(list->ListIndex(), -1);
    // A batch of cells alone keeps the selection.
    list->setListIndex(1);
    list->BeginUpdate();
    list->setCell(1, 1, QStringLiteral("z"));
    list->EndUpdate();
    QCOMPARE(changes, 5);
    QCOMPARE(list->ListIndex(), 1);
    list->DeleteAllRows();
    QCOMPARE(changes, 6);
}

void TestListbox::sortWithNeverZeroComparison_data()
{
    QTest::addColumn<int>("direction");
    QTest::newRow("ascending") << 1;
    QTest::newRow("descending") << -1;
}

void TestListbox::sortWithNeverZeroComparison()
{
    QFETCH(int, direction);
    auto list = makeList();
    QRandomGenerator random(11);
    list->BeginUpdate();
    for (int i = 0; i < 1000; ++i) {
        list->AddRow(QStringLiteral("p%1").arg(i));
        list->setCell(i, 1, QString::number(int(random.bounded(40)) - 20));
    }
    list->EndUpdate();
    int asked = 0;
    list->CompareRows.connect(list.get(), [&](int row1, int row2, int column, int& result) {
        ++asked;
        if (column != 1)
            return false;
        result = list->Cell(row1, 1).toInt() > list->Cell(row2, 1).toInt() ? 1 : -1;
        return true;
    });
    QStringList before = Column(*list, 0);
    list->setSortedColumn(1);
    list->setColumnSortDirection(1, direction);
    list->Sort();
    QVERIFY(asked > 0);
    for (int row = 1; row < 1000; ++row)
        QVERIFY(direction * list->Cell(row - 1, 1).toInt() <= direction * list->Cell(row, 1).toInt());
    QStringList after = Column(*list, 0);
    before.sort();
    after.sort();
    QCOMPARE(after, before);
}

void TestListbox::handlerDecidesPairsAfterLeavingTheFirst()
{
    // The list sorts the texts by their keys at once when the handler leaves it the first
    // pair; a handler that then takes the pairs "10" and "2" still gets its order.
    auto list = makeList();
    for (const char* text : {"1", "2", "10", "3"})
        list->AddRow(QLatin1String(text));
    list->CompareRows.connect(list.get(), [&](int row1, int row2, int, int& result) {
        if ((row1 == 0 && row2 == 1) || (row1 == 1 && row2 == 0))
            return false;
        result = list->Cell(row1, 0).toInt() > list->Cell(row2, 0).toInt() ? 1 : -1;
        return true;
    });
    list->setSortedColumn(0);
    list->Sort();
    QCOMPARE(Column(*list, 0), (QStringList{"1", "2", "3", "10"}));
    list->setColumnSortDirection(0, -1);
    list->Sort();
    QCOMPARE(Column(*list, 0), (QStringList{"10", "3", "2", "1"}));
}

void TestListbox::sortByTextFollowsSelection()
{
    auto list = makeList();
    for (const char* text : {"b", "D", "a", "c", "B"})
        list->AddRow(QLatin1String(text));
    list->setListIndex(0);
    list->setSelected(3, true);
    int changes = 0;
    list->Change.connect(list.get(), [&] { ++changes; });
    list->setSortedColumn(0);
    list->Sort();
    QCOMPARE(Column(*list, 0), (QStringList{"B", "D", "a", "b", "c"}));
    QCOMPARE(changes, 1);
    QVERIFY(list->Selected(3) && list->Selected(4));
    QCOMPARE(list->SelCount(), 2);
    list->setColumnSortDirection(0, -1);
    list->Sort();
    QCOMPARE(Column(*list, 0), (QStringList{"c", "b", "a", "D", "B"}));
    QVERIFY(list->Selected(0) && list->Selected(1));
}

void TestListbox::headingClickSortsAndReverses()
{
    auto list = makeList();
    for (const char* text : {"2", "3", "1"}) {
        list->AddRow(QLatin1String(text));
        list->setCell(list->LastIndex(), 1, QLatin1String(text));
    }
    QList<int> sorted;
    list->HeadingSorted.connect(list.get(), [&](int column) { sorted << column; });
    QHeaderView* heading = qobject_cast<QTableView*>(list->view())->horizontalHeader();
    const QPoint onLatitude(heading->sectionViewportPosition(1) + heading->sectionSize(1) / 2, heading->height() / 2);
    QTest::mouseClick(heading->viewport(), Qt::LeftButton, {}, onLatitude);
    QCOMPARE(Column(*list, 1), (QStringList{"1", "2", "3"}));
    QCOMPARE(list->SortedColumn(), 1);
    QTest::mouseClick(heading->viewport(), Qt::LeftButton, {}, onLatitude);
    QCOMPARE(Column(*list, 1), (QStringList{"3", "2", "1"}));
    QCOMPARE(list->ColumnSortDirection(1), -1);
    QCOMPARE(sorted, (QList<int>{1, 1}));
}

void TestListbox::hiddenColumnsAndWidths()
{
    auto list = makeList(3);
    auto* view = qobject_cast<QTableView*>(list->view());
    QHeaderView* heading = view->horizontalHeader();
    const auto check = [&] {
        const int width = view->viewport()->width();
        for (int c = 3; c < 6; ++c)
            QVERIFY(view->isColumnHidden(c));
        QCOMPARE(heading->sectionSize(0) + heading->sectionSize(1) + heading->sectionSize(2), width);
        QVERIFY(qAbs(heading->sectionSize(0) - width * 0.6) <= 1.5);
        QVERIFY(qAbs(heading->sectionSize(1) - width * 0.2) <= 1.5);
        QVERIFY(!view->horizontalScrollBar()->isVisible());
    };
    check();
    list->resize(800, 300);
    QApplication::processEvents();
    check();
    for (int i = 0; i < 200; ++i)
        list->AddRow(QStringLiteral("more"));
    QApplication::processEvents();
    check();  // the vertical scroll bar took its room from the columns
    list->setColumnWidths(QStringLiteral("100,*,0,*"));
    QCOMPARE(heading->sectionSize(0), 100);
    QVERIFY(view->isColumnHidden(2) && view->isColumnHidden(4) && !view->isColumnHidden(3));
    QCOMPARE(heading->sectionSize(1), heading->sectionSize(3));
}

void TestListbox::paintColoursAreDataRoles()
{
    auto list = makeList(4);
    QList<int> asked;
    list->CellTextPaint.connect(list.get(), [&](int row, int) {
        asked << row;
        return row == 1 ? QColor(Qt::red) : QColor();
    });
    list->CellBackgroundPaint.connect(
        list.get(), [](int row, int) { return row % 2 == 0 ? QColor(237, 243, 254) : QColor(); });
    QAbstractItemModel* model = list->view()->model();
    QCOMPARE(model->index(1, 2).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
    QVERIFY(!model->index(0, 2).data(Qt::ForegroundRole).isValid());
    QCOMPARE(model->index(2, 0).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(237, 243, 254));
    QVERIFY(!model->index(3, 0).data(Qt::BackgroundRole).isValid());
    list->setColumnAlignment(1, Listbox::AlignDecimal);
    QCOMPARE(model->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
             Qt::AlignRight);
    QCOMPARE(asked, (QList<int>{1, 0}));
}

void TestListbox::eventsStopWithTheirContext()
{
    auto list = makeList(4);
    auto owner = std::make_unique<QObject>();
    int ran = 0;
    list->CellTextPaint.connect(owner.get(), [&](int, int) {
        ++ran;
        return QColor(Qt::red);
    });
    list->CompareRows.connect(owner.get(), [&](int, int, int, int& result) {
        ++ran;
        result = 1;
        return true;
    });
    list->KeyDown.connect(owner.get(), [&](const QString&) {
        ++ran;
        return true;
    });
    QAbstractItemModel* model = list->view()->model();
    QCOMPARE(model->index(1, 0).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
    QVERIFY(list->KeyDown(QStringLiteral("a")));
    QCOMPARE(ran, 2);

    owner.reset();
    QVERIFY(!list->CellTextPaint);
    QVERIFY(!model->index(1, 0).data(Qt::ForegroundRole).isValid());
    int result = 0;
    QVERIFY(!list->CompareRows(0, 1, 0, result));
    QCOMPARE(result, 0);
    QVERIFY(!list->KeyDown(QStringLiteral("a")));
    // The list sorts by its own comparison and takes the key itself.
    list->setCell(0, 0, QStringLiteral("z"));
    list->setSortedColumn(0);
    list->Sort();
    QCOMPARE(list->Cell(3, 0), QStringLiteral("z"));
    QTest::keyClick(list->view(), Qt::Key_Down);
    QCOMPARE(ran, 2);
}

void TestListbox::contextMenuOnlyWhenConstructed()
{
    auto list = makeList(3);
    QVERIFY(activate(*list));
    bool build = false;
    QPoint at;
    int selected = -1;
    list->ConstructContextualMenu.connect(list.get(), [&](QMenu& base, int x, int y) {
        at = QPoint(x, y);
        selected = list->ListIndex();
        base.addAction(QStringLiteral("first"));
        base.addAction(QStringLiteral("second"));
        return build;
    });
    QString chosen;
    list->ContextualMenuAction.connect(list.get(), [&](QAction* action) {
        chosen = action->text();
        return true;
    });
    QWidget* viewport = list->view()->viewport();
    const QPoint cell = cellCentre(*list, 1, 0);
    // Through the window, as the system delivers it, so the click becomes a contextual one.
    const QPoint inWindow = viewport->mapTo(list.get(), cell);
    QTest::mouseClick(list->windowHandle(), Qt::RightButton, {}, inWindow);
    QCOMPARE(at, inWindow);
    QCOMPARE(selected, 1);  // the row clicked is selected before the menu is asked for
    QVERIFY(chosen.isEmpty());

    build = true;
    bool menuShown = false;
    QTimer::singleShot(0, list.get(), [&list, &menuShown] {
        auto* menu = list->findChild<QMenu*>();
        if (!menu)
            return;
        menuShown = menu->isVisible();
        menu->setActiveAction(menu->actions().at(1));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QTest::mouseClick(list->windowHandle(), Qt::RightButton, {}, inWindow);
    QVERIFY(menuShown);
    QCOMPARE(chosen, QString("second"));
}

void TestListbox::dragMovesSelectedRows()
{
    auto list = makeList(6);
    int reordered = 0;
    list->RowsReordered.connect(list.get(), [&] { ++reordered; });
    list->setListIndex(1);
    list->setSelected(2, true);
    QAbstractItemView* view = list->view();
    std::unique_ptr<QMimeData> data(view->model()->mimeData({}));
    const auto dropAt = [&](QPoint pos) {
        QDragEnterEvent enter(pos, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(pos, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &drop);
        QVERIFY(drop.isAccepted());
    };
    const QRect target = view->visualRect(view->model()->index(4, 0));
    dropAt(QPoint(target.center().x(), target.bottom() - 1));
    QCOMPARE(Column(*list, 3), (QStringList{"id0", "id3", "id4", "id1", "id2", "id5"}));
    QCOMPARE(reordered, 1);
    QVERIFY(list->Selected(3) && list->Selected(4));
    QCOMPARE(list->SelCount(), 2);
    // Dropping the rows where they are changes nothing.
    dropAt(view->visualRect(view->model()->index(3, 0)).center());
    QCOMPARE(reordered, 1);
    // Rows of another list are refused.
    auto other = makeList(1);
    std::unique_ptr<QMimeData> foreign(other->view()->model()->mimeData({}));
    QDragEnterEvent enter(target.center(), Qt::MoveAction, foreign.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &enter);
    QVERIFY(!enter.isAccepted());
}

void TestListbox::scrollPosition()
{
    auto list = makeList(1000);
    QApplication::processEvents();
    list->setScrollPosition(500);
    QCOMPARE(list->ScrollPosition(), 500);
    QCOMPARE(list->view()->indexAt(QPoint(5, 2)).row(), 500);
    list->BeginUpdate();
    list->DeleteAllRows();
    for (int i = 0; i < 2000; ++i)
        list->AddRow(QString::number(i));
    list->setScrollPosition(1500);
    list->EndUpdate();
    QCOMPARE(list->ScrollPosition(), 1500);
    list->setScrollPosition(0);
    QCOMPARE(list->ScrollPosition(), 0);
}

// The index behind FindRow answers as a pass over the rows would, after every kind of change
// to them: identifiers repeat (the first row wins), some are kept as Latin-1, some not.
void TestListbox::findRowFollowsEveryChange()
{
    ListboxModel model;
    model.setColumns(6);
    Listbox list(&model);
    // A row made with its cells in one step, as a file's rows are.
    const auto addRow = [&](int row, const QString& id) {
        const QString description = QStringLiteral("row %1").arg(id);
        const QAnyStringView cells[] = {description, QString(), QString(), id};
        model.insertRow(row, cells, 4);
    };
    for (int i = 0; i < 40; ++i)
        addRow(i, i % 7 == 3 ? QStringLiteral("same") : QStringLiteral("id%1").arg(i % 30));
    addRow(5, QStringLiteral("caf\u00e9"));
    addRow(9, QStringLiteral("\u20ac %1").arg(9));
    const auto check = [&](const char* step) {
        QStringList texts = WindowRows::Column(list, 3);
        texts << QStringLiteral("no such id") << QString() << QStringLiteral("\u20ac 9 ") << QStringLiteral("ID1")
              << QStringLiteral("id1");
        for (const QString& text : texts) {
            const int found = list.FindRow(3, text);
            const int expected = firstRowWith(list, 3, text);
            if (found != expected)
                return QString("%1: \"%2\" at %3, not %4").arg(step, text).arg(found).arg(expected);
        }
        return QString();
    };
    const auto reversed = [&] {
        std::vector<int> order;
        for (int row = list.ListCount() - 1; row >= 0; --row)
            order.push_back(row);
        return order;
    };
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"filled", [] {}},
        {"added at the end", [&] { addRow(list.ListCount(), QStringLiteral("id3")); }},
        {"inserted at the top", [&] { addRow(0, QStringLiteral("id29")); }},
        {"inserted in the middle", [&] { addRow(7, QStringLiteral("id12")); }},
        {"first of two removed", [&] { list.RemoveRow(0); }},
        {"identifier edited", [&] { list.setCell(4, 3, QStringLiteral("id0")); }},
        {"identifier made wide", [&] { list.setCell(2, 3, QStringLiteral("id2\u20ac")); }},
        {"another column edited", [&] { list.setCell(4, 1, QStringLiteral("45.5")); }},
        {"reordered", [&] { model.reorder(reversed()); }},
        {"moved to the top",
            [&] {
                model.moveToTop({30, 3, 17});
            }},
        {"sorted",
            [&] {
                list.setSortedColumn(0);
                list.Sort();
            }},
        {"removed in a batch, searched inside",
            [&] {
                list.BeginUpdate();
                for (int row : {35, 20, 21, 2, 0}) {
                    list.RemoveRow(row);
                    QVERIFY2(check("inside the batch").isEmpty(), qPrintable(check("inside the batch")));
                }
                list.EndUpdate();
            }},
        {"loaded in a batch at both ends",
            [&] {
                list.BeginUpdate();
                model.reserveRows(5, 5);
                for (int i = 0; i < 5; ++i) {
                    addRow(0, QStringLiteral("id%1").arg(i));
                    addRow(list.ListCount(), QStringLiteral("new%1").arg(i));
                }
                list.EndUpdate();
            }},
        {"columns dropped and added again",
            [&] {
                list.setColumnCount(3);
                list.setColumnCount(6);
            }},
        {"many added at the end",
            [&] {
                for (int i = 0; i < 100; ++i)
                    addRow(list.ListCount(), QStringLiteral("more%1").arg(i % 60));
            }},
        {"cleared", [&] { list.DeleteAllRows(); }},
        {"refilled",
            [&] {
                for (int i = 0; i < 10; ++i)
                    addRow(i, QStringLiteral("id%1").arg(i % 4));
            }},
    };
    for (const auto& [step, change] : steps) {
        change();
        const QString wrong = check(step);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }
    QCOMPARE(list.FindRow(3, QStringLiteral("id1")), 1);
    QCOMPARE(list.FindRow(9, QStringLiteral("id1")), -1);
}

QTEST_MAIN(TestListbox)
#include "tst_listbox.moc"
