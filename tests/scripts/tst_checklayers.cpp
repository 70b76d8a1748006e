#include "support/FileBytes.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// scripts/check-layers.sh run over a small tree of sources, one include each.
class TestCheckLayers : public QObject {
    Q_OBJECT
private slots:
    void includes_data();
    void includes();
};

void TestCheckLayers::includes_data()
{
    QTest::addColumn<QString>("file"); // under src/
    QTest::addColumn<QString>("include"); // the line as written
    QTest::addColumn<QString>("report"); // what the script says; empty when the tree passes
    const QString map = "map/MapThing.cpp";
    const QString fromMap = "src/map/MapThing.cpp: includes window/";
    QTest::newRow("up a folder") << map << "#include \"../window/X.h\"" << fromMap;
    QTest::newRow("through a lower folder") << map << "#include \"platform/../window/X.h\"" << fromMap;
    QTest::newRow("from here, up") << map << "#include \"./../window/X.h\"" << fromMap;
    QTest::newRow("from src") << map << "#include \"window/X.h\"" << fromMap;
    QTest::newRow("from a subfolder, up twice") << "map/sub/Deep.cpp"
                                                << "#include \"../../window/X.h\""
                                                << "src/map/sub/Deep.cpp: includes window/";
    QTest::newRow("same layer, up a folder") << "search/Find.cpp"
                                             << "#include \"../poi/X.h\""
                                             << "src/search/Find.cpp: includes poi/";
    QTest::newRow("angled and spaced") << "window/Thing.h"
                                       << "  #  include <shell/App.h>"
                                       << "src/window/Thing.h: includes shell/";

    QTest::newRow("lower layer, up a folder") << map << "#include \"../platform/X.h\""
                                              << "";
    QTest::newRow("lower layer through a higher name") << map << "#include \"window/../platform/X.h\""
                                                       << "";
    QTest::newRow("own folder, up and back") << map << "#include \"../map/X.h\""
                                             << "";
    QTest::newRow("beside the file") << map << "#include \"MapOther.h\""
                                     << "";
    QTest::newRow("outside src") << map << "#include \"../../config.h\""
                                 << "";
    QTest::newRow("system header") << map << "#include <QString>"
                                   << "";
}

void TestCheckLayers::includes()
{
    QFETCH(QString, file);
    QFETCH(QString, include);
    QFETCH(QString, report);
    QTemporaryDir root;
    const QString src = root.filePath("src");
    for (const char* folder : {"platform", "ov2", "poi", "search", "splitview", "map", "window", "shell"})
        QVERIFY(QDir().mkpath(src + '/' + folder));
    const QString path = src + '/' + file;
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    FileBytes::Write(path, include.toUtf8() + "\n");

    QProcess check;
    check.start("sh", {LUMETRA_SOURCE_DIR "/scripts/check-layers.sh", src});
    QVERIFY(check.waitForFinished(60000));
    QCOMPARE(QString::fromUtf8(check.readAllStandardOutput()).trimmed(), report);
    QCOMPARE(check.exitCode(), report.isEmpty() ? 0 : 1);
}

QTEST_GUILESS_MAIN(TestCheckLayers)
#include "tst_checklayers.moc"
