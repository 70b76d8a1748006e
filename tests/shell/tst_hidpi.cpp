#include "platform/BevelButton.h"
#include "platform/Listbox.h"
#include "platform/PictureSource.h"
#include "shell/Pictures.h"
#include "shell/Toolbar1.h"
#include "splitview/Splitview.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

namespace {

// The picture drawn straight at the device's pixels: what a sharp picture looks like.
QImage sharp(int number, QSize logical, qreal ratio)
{
    QSvgRenderer renderer(QStringLiteral(":/pictures/%1.svg").arg(number));
    QImage image(logical * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

int largestDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 256;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int most = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = x.pixel(column, row);
            const QRgb q = y.pixel(column, row);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    return most;
}

// Close to the sharp picture, and far from the 1x picture enlarged.
void expectSharp(const QImage& shown, int number, QSize logical)
{
    const QImage target = sharp(number, logical, 2);
    QCOMPARE(shown.size(), target.size());
    QVERIFY2(largestDifference(shown, target) <= 8, qPrintable(QString::number(largestDifference(shown, target))));
    const QImage enlarged
        = sharp(number, logical, 1).scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY(largestDifference(enlarged, target) > 32);
}

}  // namespace

class TestHiDpi : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void picturesAtTheScreensRatio();
    void toolbarAndBevelButtonIcons();
    void listIconsAndGrip();
};

void TestHiDpi::initTestCase()
{
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
    Pictures::RegisterAll();
}

void TestHiDpi::picturesAtTheScreensRatio()
{
    const QPixmap& phone = Pictures::phone_ok();
    QCOMPARE(phone.devicePixelRatio(), 2.0);
    QCOMPARE(phone.deviceIndependentSize(), QSizeF(16, 16));
    expectSharp(phone.toImage(), 194, QSize(16, 16));
    QCOMPARE(&Pictures::phone_ok(), &phone);
    QCOMPARE(Pictures::splash().deviceIndependentSize(), QSizeF(532, 290));
}

void TestHiDpi::toolbarAndBevelButtonIcons()
{
    Toolbar1 bar;
    const QIcon save = bar.ToolItemSalva->icon();
    expectSharp(save.pixmap(QSize(32, 32), 2.0).toImage(), 176, QSize(32, 32));

    BevelButton button;
    button.setIcon(PictureSource::Icon(PictureSource::Picture("cestino")));
    expectSharp(button.icon().pixmap(QSize(20, 20), 2.0).toImage(), 184, QSize(20, 20));
}

void TestHiDpi::listIconsAndGrip()
{
    Listbox list;
    list.AddRow("Pizzeria>0551234567");
    list.setRowPicture(0, &Pictures::phone_ok());
    const QModelIndex cell = list.view()->model()->index(0, 0);
    const auto shown = list.view()->model()->data(cell, Qt::DecorationRole).value<QPixmap>();
    QCOMPARE(shown.devicePixelRatio(), 2.0);
    expectSharp(shown.toImage(), 194, QSize(16, 16));

    Splitview split;
    split.Open();
    const QPixmap& grip = split.DotPicture();
    QCOMPARE(grip.devicePixelRatio(), 2.0);
    QCOMPARE(grip.deviceIndependentSize(), QSizeF(8, 8));
    QCOMPARE(grip.size(), QSize(16, 16));
}

int main(int argc, char** argv)
{
    // A screen at twice the pixels, as on a HiDPI display.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hidpi.moc"
