#include "platform/Latin1Codec.h"
#include "platform/TextFunctions.h"

#include <QRandomGenerator>
#include <QTest>

#include <charconv>

// The text rules every caller shares: the one numeric rule (the entry row, in-place edits,
// the duplicate threshold), single-line descriptions, the OV2 code page.
class TestTextFunctions : public QObject {
    Q_OBJECT
private slots:
    void numeric_data();
    void numeric();
    void valRoundsLikeTheLibrary();
    void singleLine();
    void codePageBytesAnywhere_data();
    void codePageBytesAnywhere();
};

void TestTextFunctions::numeric_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<double>("value");

    QTest::newRow("integer") << "43" << true << 43.0;
    QTest::newRow("decimal") << "43.5" << true << 43.5;
    QTest::newRow("negative") << "-10.25" << true << -10.25;
    QTest::newRow("plus sign") << "+7" << true << 7.0;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("negative leading point") << "-.5" << true << -0.5;
    QTest::newRow("trailing point") << "5." << true << 5.0;
    QTest::newRow("exponent") << "1.5e3" << true << 1500.0;
    QTest::newRow("signed exponent") << "2E-2" << true << 0.02;
    QTest::newRow("blanks around") << " \t12.5  " << true << 12.5;
    QTest::newRow("telephone digits") << "061234567" << true << 61234567.0;

    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blanks") << "   " << false << 0.0;
    QTest::newRow("point alone") << "." << false << 0.0;
    QTest::newRow("sign alone") << "-" << false << 0.0;
    QTest::newRow("comma") << "43,5" << false << 43.0;
    QTest::newRow("two points") << "43.5.1" << false << 43.5;
    QTest::newRow("two signs") << "--5" << false << 0.0;
    QTest::newRow("blank inside") << "4 3" << false << 4.0;
    QTest::newRow("letter after") << "43.1N" << false << 43.1;
    QTest::newRow("open exponent") << "1e" << false << 1.0;
    QTest::newRow("exponent without digits") << "1e+" << false << 1.0;
    QTest::newRow("hexadecimal") << "0x10" << false << 0.0;
    QTest::newRow("infinity") << "inf" << false << 0.0;
    QTest::newRow("not a number") << "nan" << false << 0.0;
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("\xD9\xA3") << false << 0.0;
    QTest::newRow("plus 39 left in") << "+3906-1234" << false << 3906.0;
}

void TestTextFunctions::numeric()
{
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(double, value);

    QCOMPARE(IsNumeric(text), numeric);
    QCOMPARE(Val(text), value);
}

// Coordinates take a shortcut through the digits; it must give the correctly rounded
// double, bit for bit, as the full conversion does.
void TestTextFunctions::valRoundsLikeTheLibrary()
{
    QRandomGenerator random(7);
    for (int i = 0; i < 20000; ++i) {
        const int decimals = random.bounded(0, 13);
        const double v = (random.generateDouble() - 0.5) * (i % 2 ? 360.0 : 1e6);
        const QByteArray text = QByteArray::number(v, 'f', decimals);
        double expected = 0.0;
        std::from_chars(text.constData(), text.constData() + text.size(), expected);
        QVERIFY2(Val(QString::fromLatin1(text)) == expected, text.constData());
    }
}

// A description is one line: every line break and tab becomes one blank, nothing else changes.
void TestTextFunctions::singleLine()
{
    QCOMPARE(SingleLine(u"Bar\tRoma\r\nNord\r> 06 1\n"), QString("Bar Roma  Nord > 06 1 "));
    QCOMPARE(SingleLine(u"  \u00c8 \"qui\", <b>&  "), QString("  \u00c8 \"qui\", <b>&  "));
}

void TestTextFunctions::codePageBytesAnywhere_data()
{
    QTest::addColumn<char>("byte");
    QTest::addColumn<QChar>("character");
    QTest::newRow("euro") << '\x80' << QChar(0x20AC);
    QTest::newRow("last of the table") << '\x9F' << QChar(0x0178);
    QTest::newRow("unassigned") << '\x81' << QChar(0x81);
    QTest::newRow("no-break space") << '\xA0' << QChar(0xA0);
    QTest::newRow("e grave") << '\xE8' << QChar(0xE8);
    QTest::newRow("delete") << '\x7F' << QChar(0x7F);
}

// Reading OV2 text as a view of its bytes, or converted where the code page differs from
// ISO Latin-1, at every place of a text longer than the eight bytes looked at together.
void TestTextFunctions::codePageBytesAnywhere()
{
    QFETCH(char, byte);
    QFETCH(QChar, character);
    for (int at = 0; at < 20; ++at) {
        QByteArray bytes("Caffe della Stazione");
        bytes[at] = byte;
        QString expected = QString::fromLatin1(bytes);
        expected[at] = character;
        QString room;
        QCOMPARE(Latin1Codec::toText(bytes, room).toString(), expected);
        QCOMPARE(Latin1Codec::toUnicode(bytes), expected);
    }
}

QTEST_APPLESS_MAIN(TestTextFunctions)

#include "tst_textfunctions.moc"
