#include "ov2/Ov2Dylib.h"
#include "poi/Ov2Reason.h"
#include "shell/Translations.h"
#include "support/AppFixture.h"
#include "support/TestMain.h"
#include "window/Applicazione.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// One simple record of 18 bytes: type 2, length, longitude, latitude, "Roma" and its NUL.
const QByteArray kGood = QByteArray::fromHex("02120000000100000002000000526f6d6100");

QString write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

}  // namespace

class TestOv2Reasons : public QObject {
    Q_OBJECT
private slots:
    void readFailuresInTheUsersLanguage_data();
    void readFailuresInTheUsersLanguage();
    void writeFailureInTheUsersLanguage_data();
    void writeFailureInTheUsersLanguage();
    void everyCodeHasItsOwnWords();
};

void TestOv2Reasons::readFailuresInTheUsersLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QByteArray cut = kGood + kGood.left(17);
    const QByteArray unknown = kGood + kGood + QByteArray(1, '\x07');
    QTest::newRow("english, truncated")
        << "en" << cut << "The file \"%1\" could not be read: the record at byte 18 runs past the end of the file";
    QTest::newRow("italian, truncated")
        << "it" << cut << "Impossibile leggere il file \"%1\": il record al byte 18 va oltre la fine del file";
    QTest::newRow("english, record type")
        << "en" << unknown << "The file \"%1\" could not be read: unknown record type at byte 36";
    QTest::newRow("italian, record type")
        << "it" << unknown << "Impossibile leggere il file \"%1\": tipo di record sconosciuto al byte 36";
    QTest::newRow("italian, missing file") << "it" << QByteArray()
        << "Impossibile leggere il file \"%1\": impossibile aprire il file (non esiste, non è un file normale o non è "
           "leggibile)";
}

void TestOv2Reasons::readFailuresInTheUsersLanguage()
{
    QFETCH(QString, language);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const Translations translations{QLocale(language)};
    AppFixture f;
    QTemporaryDir dir;
    const QString file = bytes.isEmpty() ? dir.filePath("Manca.ov2") : write(dir, "Roma.ov2", bytes);
    f.app.OpenDocument(file);
    QCOMPARE(f.services.messages, QStringList{message.arg(file)});
}

void TestOv2Reasons::writeFailureInTheUsersLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("message");
    QTest::newRow("english") << "en"
                             << "The file \"%1\" could not be written: writing failed; the file that was there is "
                                "unchanged";
    QTest::newRow("italian") << "it"
                             << "Impossibile scrivere il file \"%1\": la scrittura non è riuscita; il file che c'era "
                                "non è stato modificato";
}

void TestOv2Reasons::writeFailureInTheUsersLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, message);
    const Translations translations{QLocale(language)};
    AppFixture f;
    QTemporaryDir dir;
    Applicazione* w = f.newWindow();
    const QString target = dir.filePath("no such folder/Roma.ov2");
    f.services.saveAnswers << target;
    w->SalvaOv2ConNome();
    QCOMPARE(f.services.messages, QStringList{message.arg(target)});
}

void TestOv2Reasons::everyCodeHasItsOwnWords()
{
    const Translations italian{QLocale(QLocale::Italian)};
    QStringList seen;
    for (int32_t code = OV2_ERROR_LIMIT; code <= OV2_ERROR_ARGUMENT; ++code) {
        const QString text = Ov2Reason::Text(code, 1234);
        QVERIFY2(!text.isEmpty() && !seen.contains(text), qPrintable(text));
        seen << text;
        const bool damaged = code >= OV2_ERROR_UNTERMINATED && code <= OV2_ERROR_RECORD_TYPE;
        QCOMPARE(text.contains("1234"), damaged);
    }
    QCOMPARE(Ov2Reason::Text(-99, -1), QString("errore -99"));
}

LUMETRA_TEST_MAIN(TestOv2Reasons)
#include "tst_ov2reasons.moc"
