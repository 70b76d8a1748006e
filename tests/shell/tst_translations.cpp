#include "shell/App.h"
#include "shell/Translations.h"

#include <QDialogButtonBox>
#include <QDomDocument>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

// Every "context.source" of a .ts file with its translation.
QMap<QString, QString> messages(const QString& path)
{
    QMap<QString, QString> texts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return texts;
    QDomDocument ts;
    ts.setContent(&file);
    for (QDomElement context = ts.documentElement().firstChildElement("context"); !context.isNull();
         context = context.nextSiblingElement("context")) {
        const QString name = context.firstChildElement("name").text();
        for (QDomElement m = context.firstChildElement("message"); !m.isNull(); m = m.nextSiblingElement("message"))
            texts.insert(name + '.' + m.firstChildElement("source").text(), m.firstChildElement("translation").text());
    }
    return texts;
}

}  // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    void italianProgramAndQtTexts();
    void bothLanguagesComplete();
};

void TestTranslations::italianProgramAndQtTexts()
{
    {
        const Translations italian{QLocale(QLocale::Italian, QLocale::Italy)};
        QCOMPARE(App::kFileQuit(), QString("&Esci"));
        if (!italian.HasQtTexts())
            QSKIP("Qt's Italian translations are not installed (package qt6-translations-l10n)");

        QDialogButtonBox buttons(QDialogButtonBox::Open | QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QString("Annulla"));
        QCOMPARE(buttons.button(QDialogButtonBox::Open)->text(), QString("Apri"));
        QLineEdit field;
        const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        QStringList entries;
        for (const QAction* action : menu->actions())
            entries << action->text().section(QLatin1Char('\t'), 0, 0);
        QVERIFY2(entries.contains("&Incolla"), qPrintable(entries.join(", ")));
    }
    // Released, both go back to the source texts.
    QCOMPARE(App::kFileQuit(), QString("&Quit"));
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QString("Cancel"));
}

void TestTranslations::bothLanguagesComplete()
{
    const QMap<QString, QString> english = messages(LUMETRA_SOURCE_DIR "/resources/translations/lumetra_en.ts");
    const QMap<QString, QString> italian = messages(LUMETRA_SOURCE_DIR "/resources/translations/lumetra_it.ts");
    QVERIFY(!english.isEmpty());
    QCOMPARE(italian.keys(), english.keys());
    for (auto it = italian.begin(); it != italian.end(); ++it)
        QVERIFY2(!it.value().isEmpty() || english.value(it.key()).isEmpty(), qPrintable(it.key()));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
