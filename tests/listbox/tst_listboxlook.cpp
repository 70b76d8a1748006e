#include "platform/Listbox.h"

#include <QAbstractItemView>
#include <QCollator>
#include <QTest>

#include <memory>

namespace {

std::unique_ptr<Listbox> makeList(const QStringList& latitudes)
{
    auto list = std::make_unique<Listbox>();
    list->setColumnCount(3);
    list->setColumnWidths(QStringLiteral("60%,20%,20%"));
    list->setColumnAlignment(1, Listbox::AlignDecimal);
    for (const QString& latitude : latitudes) {
        list->AddRow(QStringLiteral("poi"));
        list->setCell(list->LastIndex(), 1, latitude);
    }
    list->resize(600, 300);
    list->show();
    return list;
}

// The first and last pixel columns with ink in a cell, the grid line on its right left out.
std::pair<int, int> inkSpan(const QImage& shot, const QRect& cell)
{
    const QRgb background = shot.pixel(cell.left() + 1, cell.top() + 1);
    int first = -1;
    int last = -1;
    for (int x = cell.left(); x < cell.right() - 1; ++x) {
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
            if (shot.pixel(x, y) != background) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

}  // namespace

class TestListboxLook : public QObject {
    Q_OBJECT
private slots:
    void decimalColumnsLineUpOnThePoint();
    void fontSizeInPixels();
    void textOrderIgnoresCaseInTheUsersLanguage_data();
    void textOrderIgnoresCaseInTheUsersLanguage();
};

void TestListboxLook::decimalColumnsLineUpOnThePoint()
{
    const QStringList texts{"46.5682", "46.35438", "6.35438", "46.1", "-146.123456", "46", "46.123456789"};
    auto list = makeList(texts);
    const QImage shot = list->view()->viewport()->grab().toImage();
    QList<std::pair<int, int>> ink;
    QRect cell;
    for (int row = 0; row < texts.size(); ++row) {
        cell = list->view()->visualRect(list->view()->model()->index(row, 1));
        ink << inkSpan(shot, cell);
        QVERIFY2(ink.last().first > cell.left(), qPrintable(texts[row]));
    }
    // Same whole part, fractions of other lengths: they start at one place.
    QCOMPARE(ink[1].first, ink[0].first);
    QCOMPARE(ink[3].first, ink[0].first);
    QCOMPARE(ink[5].first, ink[0].first);
    // Same fraction, whole parts of other lengths: they end at one place.
    QCOMPARE(ink[2].second, ink[1].second);
    // Six places fit; a longer fraction still shows whole, its number moved left.
    QVERIFY(ink[4].second < cell.right() - 1);
    QVERIFY(ink[6].first < ink[0].first);
    QVERIFY(ink[6].second < cell.right() - 1);
}

void TestListboxLook::fontSizeInPixels()
{
    // "Size 12" is twelve pixels at 1x, whatever the screen's dots per inch.
    Listbox list;
    QCOMPARE(list.font().pixelSize(), 12);
}

void TestListboxLook::textOrderIgnoresCaseInTheUsersLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("english") << "en_GB" << 1 << QStringList{"alpha", "Apple", "ecole", "École", "XXX", "zeta"};
    QTest::newRow("italian") << "it_IT" << 1 << QStringList{"alpha", "Apple", "ecole", "École", "XXX", "zeta"};
    QTest::newRow("italian, descending")
        << "it_IT" << -1 << QStringList{"zeta", "XXX", "École", "ecole", "Apple", "alpha"};
    // An accent counts after the letters; Swedish puts Ö after Z.
    QTest::newRow("swedish")
        << "sv_SE" << 1 << QStringList{"alpha", "Apple", "ecole", "École", "XXX", "zeta", "Örebro"};
}

void TestListboxLook::textOrderIgnoresCaseInTheUsersLanguage()
{
    QFETCH(QString, locale);
    QFETCH(int, direction);
    QFETCH(QStringList, expected);
    const QLocale before;
    QLocale::setDefault(QLocale(locale));
    QStringList texts{"Apple", "XXX", "École", "alpha", "zeta", "ecole"};
    if (expected.contains("Örebro"))
        texts.insert(2, "Örebro");
    Listbox list;
    list.setColumnCount(2);
    for (const QString& text : texts)
        list.AddRow(text);
    list.setSortedColumn(0);
    list.setColumnSortDirection(0, direction);
    list.Sort();
    QLocale::setDefault(before);

    QStringList sorted;
    for (int row = 0; row < list.ListCount(); ++row)
        sorted << list.Cell(row, 0);
    QCOMPARE(sorted, expected);
}

QTEST_MAIN(TestListboxLook)
#include "tst_listboxlook.moc"
