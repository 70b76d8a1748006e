#include "platform/CollationKeys.h"

#include <QCollator>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <numeric>

namespace {

// Texts that stress a collation: letter case, accents composed and not, digits, spaces and
// punctuation, empty texts, zeros, lone and paired surrogates, other scripts.
QStringList trickyTexts()
{
    QStringList texts{QString(), QString(), "a", "A", "á", "a\u0301", "Á", "a\u0301\u0316", "a\u0316\u0301", "ǻ",
                      "å\u0301", "b", "B", "ab", "aB", "Ab", "ß", "ss", "SS", "Örebro", "orebro", "Oerebro", "zeta",
                      "Zeta", "École", "ecole", "ÉCOLE", "1", "10", "2", "02",
                      " ", "  a", "a ", "a-b", "a_b", "a.b", "ǆ", "Ǆ", "ı", "I", "i", "İ", "ĳ", "ﬁ", "fi", "Ω", "ω",
                      "Москва", "москва", "日本", "한국", "😀", "a😀", "a😁"};
    texts << QString(QChar(0)) << QStringLiteral("a") + QChar(0) + QStringLiteral("z")
          << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << QString(QChar(0xd800))
          << QStringLiteral("x") + QChar(0xdc00) + QStringLiteral("y") << QStringLiteral("x") + QChar(0xd83d);
    // Many texts alike far past any prefix the sort keeps, some alike to the end.
    const QString stem = QStringLiteral("Ristorante della Stazione Centrale di ");
    for (int i = 0; i < 80; ++i)
        texts << stem + QString::number(i % 37) + (i % 3 ? QStringLiteral("a") : QStringLiteral("A"));
    texts << stem << stem.toUpper() << stem + stem;
    return texts;
}

QStringList randomTexts(int count)
{
    static const QStringList pieces{"a", "A", "à", "e", "é", "E", "È", "o", "ö", "Ö", "z", "Z", "ß", " ", "-", "'",
                                    "0", "1", "9", "ñ", "Ñ", "ç", "Ç", "å", "æ", "ø", "ı", "İ", "ş", "Trattoria ",
                                    "Caffè ", "dei Fiori ", "Müller "};
    QRandomGenerator random(2024);
    QStringList texts;
    for (int i = 0; i < count; ++i) {
        QString text;
        for (int length = int(random.bounded(8)); length > 0; --length)
            text += pieces[int(random.bounded(pieces.size()))];
        texts << text;
    }
    return texts;
}

// Texts of any Latin-1 characters, controls, no-break and soft hyphens among them, with
// pairs that some languages join into one letter.
QStringList latin1Texts(int count)
{
    static const QStringList pairs{"l\u00b7l", "L\u00b7", "aa", "Aa", "ch", "cs", "dz", "ll", "ij", "\u00e6", "\u00df"};
    QRandomGenerator random(1789);
    QStringList texts;
    for (int i = 0; i < count; ++i) {
        QString text;
        for (int length = int(random.bounded(10)); length > 0; --length) {
            if (random.bounded(4) == 0)
                text += pairs[int(random.bounded(pairs.size()))];
            else
                text += QChar(char16_t(1 + random.bounded(255)));
        }
        texts << text;
    }
    return texts;
}

// The order a stable sort over QCollator's keys gives, ignoring case, as the list had it.
std::vector<int> collatorOrder(const QStringList& texts, bool descending)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> keys;
    for (const QString& text : texts)
        keys.push_back(collator.sortKey(text));
    std::vector<int> order(size_t(texts.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int result = keys[size_t(a)].compare(keys[size_t(b)]);
        return descending ? result > 0 : result < 0;
    });
    return order;
}

}  // namespace

class TestCollationKeys : public QObject {
    Q_OBJECT
private slots:
    void orderMatchesQCollator_data();
    void orderMatchesQCollator();
};

void TestCollationKeys::orderMatchesQCollator_data()
{
    QTest::addColumn<QString>("locale");
    for (const char* locale :
         {"C", "en_GB", "it_IT", "sv_SE", "de_DE", "tr_TR", "da_DK", "ja_JP", "zh_TW", "fr_CA", "ca_ES", "hu_HU", "ru_RU"})
        QTest::newRow(locale) << QString::fromLatin1(locale);
}

void TestCollationKeys::orderMatchesQCollator()
{
    QFETCH(QString, locale);
    const QLocale before;
    QLocale::setDefault(QLocale(locale));
    for (const QStringList& texts : {trickyTexts(), randomTexts(5000), latin1Texts(5000)}) {
        CollationKeys keys;
        keys.build(int(texts.size()), [&](int i) { return QStringView(texts[i]); });
        for (bool descending : {false, true}) {
            const std::vector<int> order = keys.order(descending);
            const std::vector<int> expected = collatorOrder(texts, descending);
            for (size_t i = 0; i < order.size(); ++i) {
                if (order[i] != expected[i])
                    QFAIL(qPrintable(QStringLiteral("%1, %2: place %3 holds text %4 \"%5\" in place of %6 \"%7\"")
                                         .arg(locale, descending ? "descending" : "ascending")
                                         .arg(i)
                                         .arg(order[i])
                                         .arg(texts[order[i]])
                                         .arg(expected[i])
                                         .arg(texts[expected[i]])));
            }
            QCOMPARE(order.size(), expected.size());
        }
        // Rows keep texts without other characters in Latin-1: their keys are the same.
        QStringList narrow;
        QList<QByteArray> latin1;
        for (const QString& text : texts) {
            if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x100; })) {
                narrow << text;
                latin1 << text.toLatin1();
            }
        }
        CollationKeys narrowKeys;
        narrowKeys.build(int(latin1.size()), [&](int i) { return QLatin1StringView(latin1[i]); });
        QVERIFY(narrowKeys.order(false) == collatorOrder(narrow, false));
        // The pairwise comparison the list falls back on agrees with QCollator too.
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        for (int a = 0; a < std::min(200, int(texts.size())); ++a) {
            const int b = (a * 7919 + 13) % int(texts.size());
            const int expected = collator.sortKey(texts[a]).compare(collator.sortKey(texts[b]));
            QCOMPARE((keys.compare(a, b) > 0) - (keys.compare(a, b) < 0), (expected > 0) - (expected < 0));
        }
    }
    QLocale::setDefault(before);
}

QTEST_GUILESS_MAIN(TestCollationKeys)
#include "tst_collationkeys.moc"
