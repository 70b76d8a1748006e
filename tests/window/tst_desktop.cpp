#include "platform/Listbox.h"
#include "search/SearchDialog.h"
#include "shell/AboutDialog.h"
#include "shell/Toolbar1.h"
#include "shell/Translations.h"
#include "shell/WindowMenuItem.h"
#include "splitview/Splitview.h"
#include "support/AppFixture.h"
#include "support/TestMain.h"
#include "window/Applicazione.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

namespace {

WindowMenuItem* entryOf(AppFixture& f, const QWidget* w)
{
    MenuItem* menu = f.app.MenuBar().Child(QStringLiteral("WindowMenu"));
    for (int i = 0; i < menu->Count(); ++i) {
        auto* entry = qobject_cast<WindowMenuItem*>(menu->Item(i));
        if (entry && entry->IsWindow(w))
            return entry;
    }
    return nullptr;
}

// A right click as the window system delivers it: to the widget under the pointer.
bool rightClickOpensAMenu(QWidget* target, QPoint at)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &event);
    const bool opened = QApplication::activePopupWidget() != nullptr;
    if (opened)
        QApplication::activePopupWidget()->close();
    return opened;
}

bool textFits(const QLabel* label)
{
    return label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width();
}

// Where a one-line label's text is painted, within the label.
QRect textArea(const QLabel* label)
{
    const QSize size(label->fontMetrics().horizontalAdvance(label->text()), label->fontMetrics().height());
    return QStyle::alignedRect(label->layoutDirection(), label->alignment(), size, label->geometry());
}

}  // namespace

class TestDesktop : public QObject {
    Q_OBJECT
private slots:
    void contentAreaBelowMenuAndToolbar();
    void toolbarIsFixed();
    void windowMenuRestoresMinimizedWindow();
    void windowMenuShowsAmpersands();
    void labelsGrowToTheirTexts();
    void aboutBoxNoticesShowWhole_data();
    void aboutBoxNoticesShowWhole();
    void searchLabelsShowWholeInItalian();
};

void TestDesktop::contentAreaBelowMenuAndToolbar()
{
    AppFixture f;
    Applicazione* w = f.newWindow();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->centralWidget()->size(), QSize(996, 667));
    QVERIFY(w->centralWidget()->y() >= w->Toolbar11()->geometry().bottom());
    QVERIFY(w->Toolbar11()->y() >= w->menuBar()->geometry().bottom());
    // The split view keeps its designed height; the list's "size 12" is 12 pixels.
    QCOMPARE(w->Splitview1()->geometry().size(), QSize(976, 556));
    QCOMPARE(w->ListBox1()->font().pixelSize(), 12);
    QVERIFY(!w->windowIcon().isNull());
}

void TestDesktop::toolbarIsFixed()
{
    AppFixture f;
    Applicazione* w = f.newWindow();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    Toolbar1* bar = &toolbarOf(*w);
    QVERIFY(!rightClickOpensAMenu(bar, QPoint(bar->width() / 2, 2)));
    QVERIFY(!rightClickOpensAMenu(w->menuBar(), QPoint(w->menuBar()->width() - 2, 2)));
    QVERIFY(!rightClickOpensAMenu(w, QPoint(w->width() / 2, bar->geometry().center().y())));
    QVERIFY(!bar->isMovable());
    QVERIFY(!bar->isFloatable());
    QVERIFY(!bar->toggleViewAction()->isVisible());
    QVERIFY(bar->isVisible());
    // The list's own menu is untouched.
    QVERIFY(w->ListBox1()->contextMenuPolicy() != Qt::NoContextMenu);
}

void TestDesktop::windowMenuRestoresMinimizedWindow()
{
    AppFixture f;
    Applicazione* first = f.newWindow();
    Applicazione* second = f.newWindow();
    QVERIFY(QTest::qWaitForWindowExposed(second));
    first->showMinimized();
    QTRY_VERIFY(first->isMinimized());

    entryOf(f, first)->action()->trigger();
    QTRY_VERIFY(!first->isMinimized());
    QVERIFY(first->isVisible());
    QVERIFY(!second->isMinimized());

    // A maximized window stays maximized when it comes back.
    second->showMaximized();
    second->setWindowState(second->windowState() | Qt::WindowMinimized);
    entryOf(f, second)->action()->trigger();
    QTRY_VERIFY(!second->isMinimized());
    QVERIFY(second->isMaximized());
}

void TestDesktop::windowMenuShowsAmpersands()
{
    AppFixture f;
    QTemporaryDir dir;
    const QString file = dir.filePath("R&D.ov2");
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(QByteArray::fromHex("021300000040e201008096980050756e746f00"));
    out.close();
    f.app.OpenDocument(file);
    Applicazione* w = f.app.frontWindow();
    WindowMenuItem* entry = entryOf(f, w);
    QCOMPARE(entry->Text(), QString("R&D.ov2"));
    // Qt shows "&&" as one "&" and takes no access key from it.
    QCOMPARE(entry->action()->text(), QString("R&&D.ov2"));
    w->setModificato(true);
    QCOMPARE(entry->action()->text(), QString("R&&D.ov2 *"));
    QCOMPARE(w->windowTitle(), QString("Lumetra 1.4.0.5 [R&D.ov2 *]"));
}

void TestDesktop::labelsGrowToTheirTexts()
{
    AppFixture f;
    Applicazione* w = f.newWindow();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->LabelSelezionati()->setText(QStringLiteral("Marked:  1000000 / 1000000"));
    QCoreApplication::sendPostedEvents();
    for (const QLabel* label :
         {w->StaticText1(), w->StaticText2(), w->StaticText3(), w->LabelSelezionati(), w->LabelCharLeft()})
        QVERIFY2(textFits(label), qPrintable(label->text()));
    // They grow from where the design puts them: left-aligned ones to the right.
    const int dx = w->centralWidget()->width() - 996;
    QCOMPARE(w->StaticText2()->x(), 597 + dx);
    QCOMPARE(w->StaticText3()->x(), 727 + dx);
    QCOMPARE(w->LabelSelezionati()->x(), 9);
    QVERIFY(w->LabelSelezionati()->width() > 146);
    // The characters-left counter is right-aligned: it keeps its right edge.
    QCOMPARE(w->LabelCharLeft()->geometry().right(), 72 + 27 - 1);
}

void TestDesktop::aboutBoxNoticesShowWhole_data()
{
    QTest::addColumn<QLocale::Language>("language");
    QTest::addColumn<QString>("copyright");
    QTest::addColumn<QString>("mapData");
    QTest::newRow("English") << QLocale::English << "\u00a9 2026 Lumetra developers"
                             << "Map data \u00a9 OpenStreetMap contributors";
    QTest::newRow("Italian") << QLocale::Italian << "\u00a9 2026 gli sviluppatori di Lumetra"
                             << "Dati mappa \u00a9 contributori di OpenStreetMap";
}

// The notices are in the program's language, whole, and clear of the version line.
void TestDesktop::aboutBoxNoticesShowWhole()
{
    QFETCH(QLocale::Language, language);
    QFETCH(QString, copyright);
    QFETCH(QString, mapData);
    const Translations translations {QLocale(language)};
    AppFixture f;
    AboutDialog box;
    QCOMPARE(box.StaticText9->text(), copyright);
    QCOMPARE(box.StaticText8->text(), mapData);
    for (const QLabel* label : {box.StaticText3, static_cast<QLabel*>(box.StaticText7), box.StaticText8,
                                box.StaticText9})
        QVERIFY2(textFits(label), qPrintable(label->text()));
    // Right-aligned notices keep their right edge at the design's.
    QCOMPARE(box.StaticText8->geometry().right(), 351 + 169 - 7 - 1);
    QCOMPARE(box.StaticText9->geometry().right(), 351 + 169 - 7 - 1);
    for (const QLabel* notice : {box.StaticText8, box.StaticText9})
        QVERIFY2(!textArea(notice).intersects(textArea(box.StaticText3)), qPrintable(notice->text()));
}

void TestDesktop::searchLabelsShowWholeInItalian()
{
    const Translations italian{QLocale(QLocale::Italian)};
    SearchDialog dialog;
    QCOMPARE(dialog.StaticText2->text(), QString("Sostituisci con:"));
    for (const QLabel* label : {dialog.StaticText1, dialog.StaticText2})
        QVERIFY2(textFits(label), qPrintable(label->text()));
    // Right-aligned before their fields, they keep their right edge.
    QCOMPARE(dialog.StaticText2->geometry().right(), 20 + 90 - 1);
}

LUMETRA_TEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
