#include "platform/EditField.h"
#include "platform/HTMLViewer.h"
#include "platform/Listbox.h"
#include "search/SearchDialog.h"
#include "shell/Toolbar1.h"
#include "support/AppFixture.h"
#include "support/TableTranslator.h"
#include "support/TestMain.h"
#include "window/Applicazione.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

const QHash<QString, QString> kTexts{
    {"SearchDialog.lkComboReplace", "Descrizione|Latitudine|Longitudine"},
    {"SearchDialog.lkElementNotFound", "Non trovato"},
    {"SearchDialog.lkWordNotFound", "Nessuna sostituzione"},
    {"SearchDialog.lkReplaceOk1", "Sostituito in un PDI"},
    {"SearchDialog.lkReplaceOk2", "Sostituito in [N] PDI ([N])"},
    {"SearchDialog.lkCellsKept", "Invariate: [N] ([N])"},
    {"SearchDialog.lkNotCoordinate", "Non una coordinata"},
};

// A window with one row per description (latitude and longitude from the table when
// given), and a search dialog over its list.
struct SearchFixture {
    TableTranslator translator{kTexts};
    AppFixture f;
    Applicazione* w = nullptr;
    std::unique_ptr<SearchDialog> dialog;

    explicit SearchFixture(const QStringList& descriptions, const QStringList& latitudes = {})
    {
        QCoreApplication::installTranslator(&translator);
        w = f.newWindow();
        for (int i = 0; i < descriptions.size(); ++i)
            w->AggiungiPdiAllaLista(descriptions[i], i < latitudes.size() ? latitudes[i] : "43.0", "11.0", "0");
        w->setModificato(false);
        dialog = std::make_unique<SearchDialog>(w);
        dialog->Lista = w->ListBox1();
    }
    ~SearchFixture()
    {
        dialog.reset();
        QCoreApplication::removeTranslator(&translator);
    }

    SearchDialog& d() { return *dialog; }
    Listbox& list() { return *w->ListBox1(); }
    QString cell(int row, int column = 0) { return list().Cell(row, column); }
    bool listHasFocus()
    {
        QWidget* focus = w->focusWidget();
        return focus && (focus == w->ListBox1() || w->ListBox1()->isAncestorOf(focus));
    }
};

}  // namespace

class TestSearchDialog : public QObject {
    Q_OBJECT
private slots:
    void controlsAtOpen();
    void columnNames_data();
    void columnNames();
    void buttonsFollowFindText();
    void findAndFindNext();
    void findNextPastTheEnd();
    void findMiss();
    void markedOnly();
    void replaceAll_data();
    void replaceAll();
    void replaceInFoundRow();
    void replaceInCoordinates_data();
    void replaceInCoordinates();
    void replaceInFoundCoordinate();
    void replaceWithoutHit();
    void oneCaseRule_data();
    void oneCaseRule();
    void escapeDoesNotClose();
    void windowModifiedAfterChanges_data();
    void windowModifiedAfterChanges();
    void quitAsksWhileOpen();
};

void TestSearchDialog::controlsAtOpen()
{
    SearchFixture s({"Roma"});
    SearchDialog& d = s.d();
    QCOMPARE(d.size(), QSize(569, 192));
    QCOMPARE(d.UltimaRigaTrovata, -1);
    QCOMPARE(d.EditFieldTrova->geometry(), QRect(118, 22, 286, 22));
    QCOMPARE(d.BtnFindNext->geometry(), QRect(428, 154, 121, 20));
    QVERIFY(d.BtnFindNext->isDefault());
    QCOMPARE(d.labelErrore->palette().color(QPalette::WindowText), QColor(127, 0, 127));
    QVERIFY(!d.CheckBoxMark->isChecked());
    QCOMPARE(d.PopupCampo->currentIndex(), 0);
    for (QPushButton* b : {d.BtnFind, d.BtnFindNext, d.BtnReplace, d.BtnReplaceAll})
        QVERIFY(!b->isEnabled());
    QVERIFY(d.BtnCancel->isEnabled());
    QVERIFY(!d.changedCells());
}

void TestSearchDialog::columnNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("three") << "Descrizione|Latitudine|Longitudine" << QStringList{"Descrizione", "Latitudine", "Longitudine"};
    QTest::newRow("more") << "A|B|C|D" << QStringList{"A", "B", "C"};
    QTest::newRow("two") << "A|B" << QStringList{"A", "B"};
    QTest::newRow("empty") << "" << QStringList{""};
}

// The pop-up offers the first three names, or those present; a column is always chosen.
void TestSearchDialog::columnNames()
{
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    TableTranslator translator({{"SearchDialog.lkComboReplace", text}});
    QCoreApplication::installTranslator(&translator);
    SearchDialog d;
    QCoreApplication::removeTranslator(&translator);
    QStringList shown;
    for (int i = 0; i < d.PopupCampo->count(); ++i)
        shown << d.PopupCampo->itemText(i);
    QCOMPARE(shown, entries);
    QCOMPARE(d.PopupCampo->currentIndex(), 0);
}

void TestSearchDialog::buttonsFollowFindText()
{
    SearchFixture s({"Roma", "Milano"});
    SearchDialog& d = s.d();
    const QList<QPushButton*> actions{d.BtnFind, d.BtnFindNext, d.BtnReplace, d.BtnReplaceAll};
    d.EditFieldTrova->setText("x");
    for (QPushButton* b : actions)
        QVERIFY(b->isEnabled());
    d.BtnFind->click();
    QCOMPARE(d.labelErrore->text(), QString("Non trovato"));
    // Typing in either field clears the notice.
    d.EditFieldSostituisci->setText("y");
    QCOMPARE(d.labelErrore->text(), QString());
    d.BtnFind->click();
    d.EditFieldTrova->setText("");
    QCOMPARE(d.labelErrore->text(), QString());
    for (QPushButton* b : actions)
        QVERIFY(!b->isEnabled());
    QVERIFY(d.BtnCancel->isEnabled());
}

void TestSearchDialog::findAndFindNext()
{
    SearchFixture s({"Roma", "Milano", "Roma Nord"});
    SearchDialog& d = s.d();
    d.EditFieldTrova->setText("Roma");
    d.BtnFind->click();
    QCOMPARE(s.list().ListIndex(), 0);
    QCOMPARE(d.UltimaRigaTrovata, 0);
    QVERIFY(s.listHasFocus());
    d.EditFieldTrova->SetFocus();
    d.BtnFindNext->click();
    QCOMPARE(s.list().ListIndex(), 2);
    QCOMPARE(d.UltimaRigaTrovata, 2);
    // An ordinary selection change: the window remembers the row.
    QCOMPARE(s.w->RigaSelezionata(), 2);
    QCOMPARE(d.focusWidget(), d.EditFieldTrova);
    // The last hit was the last row: nothing at all happens.
    d.BtnFindNext->click();
    QCOMPARE(s.list().ListIndex(), 2);
    QCOMPARE(d.UltimaRigaTrovata, 2);
    QCOMPARE(d.labelErrore->text(), QString());
}

void TestSearchDialog::findNextPastTheEnd()
{
    SearchFixture s({"Roma", "Milano", "Roma Nord", "Torino"});
    SearchDialog& d = s.d();
    d.TrovaParola("Roma");
    d.TrovaParolaSuccessiva("Roma");
    QCOMPARE(d.UltimaRigaTrovata, 2);
    d.EditFieldTrova->SetFocus();
    d.TrovaParolaSuccessiva("Roma");
    QCOMPARE(d.UltimaRigaTrovata, -1);
    QCOMPARE(d.labelErrore->text(), QString("Non trovato"));
    QCOMPARE(s.list().ListIndex(), 2);
    QCOMPARE(d.focusWidget(), d.EditFieldTrova);
    // No wrap by itself; the next Find next starts at row 0 again.
    d.TrovaParolaSuccessiva("Roma");
    QCOMPARE(d.UltimaRigaTrovata, 0);
    QCOMPARE(s.list().ListIndex(), 0);
    QCOMPARE(d.labelErrore->text(), QString());
}

void TestSearchDialog::findMiss()
{
    SearchFixture s({"Roma", "Milano"});
    SearchDialog& d = s.d();
    d.TrovaParola("Milano");
    QCOMPARE(d.UltimaRigaTrovata, 1);
    d.BtnReplace->setFocus();
    d.TrovaParola("Napoli");
    QCOMPARE(d.UltimaRigaTrovata, -1);
    QCOMPARE(d.labelErrore->text(), QString("Non trovato"));
    QCOMPARE(d.focusWidget(), d.EditFieldTrova);
    QCOMPARE(s.list().ListIndex(), 1);
    // An empty find text does nothing at all.
    d.TrovaParola("");
    d.TrovaParolaSuccessiva("");
    QCOMPARE(d.UltimaRigaTrovata, -1);
    QVERIFY(s.f.services.messages.isEmpty());
}

void TestSearchDialog::markedOnly()
{
    SearchFixture s({"Roma", "Roma Nord", "Roma Sud"});
    SearchDialog& d = s.d();
    s.list().setCellCheck(1, 0, true);
    d.CheckBoxMark->setChecked(true);
    d.TrovaParola("roma");
    QCOMPARE(d.UltimaRigaTrovata, 1);
    d.TrovaParolaSuccessiva("roma");
    QCOMPARE(d.UltimaRigaTrovata, -1);
    d.SostituisciParola("Roma", "Rm");
    QCOMPARE(s.cell(0), QString("Roma"));
    QCOMPARE(s.cell(1), QString("Rm Nord"));
    QCOMPARE(s.cell(2), QString("Roma Sud"));
    QCOMPARE(s.f.services.messages, QStringList{"Sostituito in un PDI"});
}

void TestSearchDialog::replaceAll_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("message");
    QTest::newRow("banana") << QStringList{"banana", "kiwi"} << "a" << "b" << QStringList{"bbnbnb", "kiwi"}
                            << "Sostituito in un PDI";
    QTest::newRow("three rows") << QStringList{"Via Roma", "Milano", "roma", "ROMA est"} << "Roma" << "Napoli"
                                << QStringList{"Via Napoli", "Milano", "Napoli", "Napoli est"}
                                << "Sostituito in 3 PDI ([N])";
    QTest::newRow("none") << QStringList{"Roma"} << "Torino" << "Milano" << QStringList{"Roma"}
                          << "Nessuna sostituzione";
    QTest::newRow("replacement holds the find text") << QStringList{"aa"} << "a" << "aa" << QStringList{"aaaa"}
                                                     << "Sostituito in un PDI";
    QTest::newRow("a description stays one line") << QStringList{"Roma"} << "Roma" << "Via\tRoma\r\n1"
                                                  << QStringList{"Via Roma  1"} << "Sostituito in un PDI";
}

void TestSearchDialog::replaceAll()
{
    QFETCH(QStringList, rows);
    QFETCH(QString, find);
    QFETCH(QString, replacement);
    QFETCH(QStringList, after);
    QFETCH(QString, message);
    SearchFixture s(rows);
    SearchDialog& d = s.d();
    d.TrovaParola(rows.last());
    const int hit = d.UltimaRigaTrovata;
    d.BtnCancel->setFocus();
    d.EditFieldTrova->setText(find);
    d.EditFieldSostituisci->setText(replacement);
    d.BtnReplaceAll->click();
    QStringList texts;
    for (int row = 0; row < s.list().ListCount(); ++row)
        texts << s.cell(row);
    QCOMPARE(texts, after);
    QCOMPARE(s.f.services.messages, QStringList{message});
    const bool none = message == "Nessuna sostituzione";
    QCOMPARE(d.focusWidget() == d.EditFieldTrova, none);
    QCOMPARE(d.changedCells(), !none);
    // The last hit, the selection and the "Mod" marks stay as they were.
    QCOMPARE(d.UltimaRigaTrovata, hit);
    QCOMPARE(s.list().ListIndex(), hit);
    for (int row = 0; row < s.list().ListCount(); ++row)
        QCOMPARE(s.cell(row, 4), QString("0"));
}

// The hit was found in the latitude column; Replace works in the column chosen now.
void TestSearchDialog::replaceInFoundRow()
{
    SearchFixture s({"Roma 41", "Milano 41"}, {"45.46", "41.90"});
    SearchDialog& d = s.d();
    d.PopupCampo->setCurrentIndex(1);
    d.TrovaParola("41");
    QCOMPARE(d.UltimaRigaTrovata, 1);
    d.PopupCampo->setCurrentIndex(0);
    d.SostituisciParolaTrovata("41", "Centro");
    QCOMPARE(s.cell(1), QString("Milano Centro"));
    QCOMPARE(s.cell(1, 1), QString("41.90"));
    QCOMPARE(s.cell(0), QString("Roma 41"));
    QCOMPARE(d.UltimaRigaTrovata, 1);
    QCOMPARE(s.list().ListIndex(), 1);
    QVERIFY(s.f.services.messages.isEmpty());
    QVERIFY(d.changedCells());
}

void TestSearchDialog::replaceInCoordinates_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("message");
    // Latitudes 41.9, 40.49, 85.46; every longitude 11.0.
    QTest::newRow("comma as point") << 1 << "." << "," << QStringList{"41.9", "40.49", "85.46"}
                                    << "Sostituito in 3 PDI ([N])";
    QTest::newRow("comma decimals") << 1 << "1.9" << "1,95" << QStringList{"41.95", "40.49", "85.46"}
                                    << "Sostituito in un PDI";
    QTest::newRow("letters") << 1 << "49" << "abc" << QStringList{"41.9", "40.49", "85.46"}
                             << "Invariate: 1 ([N])";
    QTest::newRow("past the pole, one kept in range") << 1 << "4" << "9"
                                                      << QStringList{"41.9", "40.49", "85.96"}
                                                      << "Sostituito in un PDI\nInvariate: 2 ([N])";
    QTest::newRow("leading zeros") << 1 << "4" << "04" << QStringList{"41.9", "40.049", "85.046"}
                                   << "Sostituito in 3 PDI ([N])";
    QTest::newRow("past the date line") << 2 << "11" << "181" << QStringList{"11.0", "11.0", "11.0"}
                                        << "Invariate: 3 ([N])";
}

// A replacement in a coordinate column follows the entry row's rule: "," is the point, and
// a result that is no coordinate leaves its cell as it was, counted in the message.
void TestSearchDialog::replaceInCoordinates()
{
    QFETCH(int, column);
    QFETCH(QString, find);
    QFETCH(QString, replacement);
    QFETCH(QStringList, after);
    QFETCH(QString, message);
    SearchFixture s({"Roma", "Napoli", "Nord"}, {"41.9", "40.49", "85.46"});
    SearchDialog& d = s.d();
    d.PopupCampo->setCurrentIndex(column);
    d.SostituisciParola(find, replacement);
    QStringList texts;
    for (int row = 0; row < s.list().ListCount(); ++row)
        texts << s.cell(row, column);
    QCOMPARE(texts, after);
    QCOMPARE(s.f.services.messages, QStringList{message});
}

void TestSearchDialog::replaceInFoundCoordinate()
{
    SearchFixture s({"Roma", "Napoli"}, {"41.9", "40.49"});
    SearchDialog& d = s.d();
    d.PopupCampo->setCurrentIndex(1);
    d.TrovaParola("49");
    d.SostituisciParolaTrovata("49", "abc");
    QCOMPARE(s.cell(1, 1), QString("40.49"));
    QCOMPARE(d.labelErrore->text(), QString("Non una coordinata"));
    QVERIFY(!d.changedCells());
    d.SostituisciParolaTrovata("49", "4,9");
    QCOMPARE(s.cell(1, 1), QString("40.49"));
    d.SostituisciParolaTrovata(".49", ",5");
    QCOMPARE(s.cell(1, 1), QString("40.5"));
    QVERIFY(d.changedCells());
    QVERIFY(s.f.services.messages.isEmpty());
}

void TestSearchDialog::replaceWithoutHit()
{
    SearchFixture s({"Roma"});
    SearchDialog& d = s.d();
    d.SostituisciParolaTrovata("Roma", "Milano");
    QCOMPARE(s.cell(0), QString("Roma"));
    // A hit on a row that has since gone replaces nothing.
    d.TrovaParola("Roma");
    s.list().RemoveRow(0);
    d.SostituisciParolaTrovata("Roma", "Milano");
    QVERIFY(!d.changedCells());
}

void TestSearchDialog::oneCaseRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replaced");  // empty: no match
    QTest::newRow("ascii") << "Via ROMA 1" << "roma" << "Via # 1";
    QTest::newRow("accents") << "CAFFÈ ÀNCORA" << "caffè àncora" << "#";
    QTest::newRow("greek final sigma") << "ΟΔΟΣ ΟΔΟΣ" << "οδος" << "# #";
    QTest::newRow("cyrillic") << "Улица МОСКВА" << "москва" << "Улица #";
    QTest::newRow("outside the BMP") << "𐐀𐐁 x" << "𐐨𐐩" << "# x";
    QTest::newRow("title-case digraph") << "ǅemal" << "ǆ" << "#emal";
    QTest::newRow("sharp s is not ss") << "Straße" << "STRASSE" << "";
    QTest::newRow("dotless i") << "ıi" << "II" << "";
}

// Every row that Find matches is the row that Replace all changes, by the same rule.
void TestSearchDialog::oneCaseRule()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(QString, replaced);
    SearchFixture s({text});
    SearchDialog& d = s.d();
    d.TrovaParola(find);
    const bool found = d.UltimaRigaTrovata == 0;
    QCOMPARE(found, !replaced.isEmpty());
    d.SostituisciParola(find, "#");
    QCOMPARE(s.cell(0), found ? replaced : text);
    QCOMPARE(d.changedCells(), found);
}

void TestSearchDialog::escapeDoesNotClose()
{
    SearchFixture s({"Roma"});
    SearchDialog& d = s.d();
    d.show();
    QSignalSpy rejected(&d, &QDialog::rejected);
    QTest::keyClick(d.EditFieldTrova, Qt::Key_Escape);
    QCOMPARE(rejected.count(), 0);
    QVERIFY(d.isVisible());
    d.BtnCancel->click();
    QCOMPARE(rejected.count(), 1);
    QVERIFY(!d.isVisible());
}

void TestSearchDialog::windowModifiedAfterChanges_data()
{
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<bool>("replaceAll");
    QTest::addColumn<bool>("modified");
    QTest::newRow("replace all") << "Napoli" << true << true;
    QTest::newRow("replace") << "Napoli" << false << true;
    QTest::newRow("same text") << "Roma" << true << false;
    QTest::newRow("find only") << QString() << false << false;
}

// Replaced texts are what a save writes: the document counts as modified from the first
// changed cell on, while the dialog is still open, and not when no cell changed.
void TestSearchDialog::windowModifiedAfterChanges()
{
    QFETCH(QString, replacement);
    QFETCH(bool, replaceAll);
    QFETCH(bool, modified);
    SearchFixture s({"Roma", "Milano"});
    bool modifiedWhileOpen = !modified;
    s.f.services.modalHandlers.enqueue([&](QDialog& dialog) {
        auto& d = static_cast<SearchDialog&>(dialog);
        d.EditFieldTrova->setText("roma");
        d.BtnFind->click();
        d.EditFieldSostituisci->setText(replacement);
        if (replaceAll)
            d.BtnReplaceAll->click();
        else if (!replacement.isEmpty())
            d.BtnReplace->click();
        modifiedWhileOpen = s.w->Modificato();
        d.BtnCancel->click();
        return d.result();
    });
    s.w->Toolbar11()->Action(toolbarOf(*s.w).ToolItemTrova);
    QVERIFY(s.f.services.modalHandlers.isEmpty());
    QCOMPARE(modifiedWhileOpen, modified);
    QCOMPARE(s.w->Modificato(), modified);
    QCOMPARE(s.w->windowTitle().contains(" *"), modified);
}

// Quit from another window while the dialog is still open over this one: the replaced
// texts are unsaved changes, so quitting asks first.
void TestSearchDialog::quitAsksWhileOpen()
{
    SearchFixture s({"Roma", "Milano"});
    s.f.newWindow();
    int questions = -1;
    s.f.services.dialogAnswers.enqueue(MessageDialog::Pressed::Cancel);
    s.f.services.modalHandlers.enqueue([&](QDialog& dialog) {
        auto& d = static_cast<SearchDialog&>(dialog);
        d.EditFieldTrova->setText("Roma");
        d.EditFieldSostituisci->setText("Napoli");
        d.BtnReplaceAll->click();
        s.f.app.Quit();
        questions = int(s.f.services.dialogs.size());
        d.BtnCancel->click();
        return d.result();
    });
    s.w->Toolbar11()->Action(toolbarOf(*s.w).ToolItemTrova);
    QCOMPARE(questions, 1);
    QVERIFY(s.f.services.dialogs.first().Message.contains(QLatin1String("senza nome")));
    QVERIFY(s.f.services.quitCodes.isEmpty());
    QCOMPARE(s.cell(0), QString("Napoli"));
}

LUMETRA_TEST_MAIN(TestSearchDialog)

#include "tst_searchdialog.moc"
