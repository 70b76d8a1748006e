#include "platform/QtServices.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The real save dialog, answered by a timer: it opens in the folder it is given with the
// proposed name, and a name typed without an extension comes back with it.
class TestSaveDialog : public QObject {
    Q_OBJECT
private slots:
    void opensInFolderAndAddsExtension();
};

void TestSaveDialog::opensInFolderAndAddsExtension()
{
    QTemporaryDir folder;
    QString shownFolder;
    QString shownName;
    QTimer answer;
    answer.setInterval(50);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        answer.stop();
        shownFolder = dialog->directory().absolutePath();
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        shownName = name ? name->text() : QString();
        if (name)
            name->setText(QStringLiteral("Nuovo"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    answer.start();
    QtServices services;
    const QString chosen = services.GetSaveFolderItem(FileType{}, folder.path(), QStringLiteral("senza nome.ov2"),
                                                      QStringLiteral(".ov2"), nullptr);
    QCOMPARE(shownFolder, QDir(folder.path()).absolutePath());
    QCOMPARE(shownName, QString("senza nome.ov2"));
    QCOMPARE(chosen, QDir(folder.path()).absoluteFilePath("Nuovo.ov2"));
}

QTEST_MAIN(TestSaveDialog)

#include "tst_savedialog.moc"
