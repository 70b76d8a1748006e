#include "platform/HTTPSocket.h"
#include "platform/QtServices.h"
#include "support/TestHttpServer.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The real services' message boxes, each closed from inside its own exec() once shown.
class TestQtServices : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void messagesShowTheirTextAsWritten();
    void messageDuringAWaitTakesInput();

private:
    struct Seen {
        QStringList texts;
        QList<Qt::TextFormat> formats;
    };
    // Reads the next message box that opens, then closes it.
    void readNextBox(Seen& seen);

    QtServices services;
};

void TestQtServices::init()
{
    Services::install(&services);
}

void TestQtServices::cleanup()
{
    Services::install(nullptr);
}

void TestQtServices::readNextBox(Seen& seen)
{
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [poll, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (const QLabel* label : box->findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                seen.texts << label->text();
                seen.formats << label->textFormat();
            }
        }
        box->buttons().first()->click();
        poll->deleteLater();
    });
    poll->start(20);
}

// A page's, a server's or a file's text is shown as those characters, never as markup.
void TestQtServices::messagesShowTheirTextAsWritten()
{
    Seen plain;
    readNextBox(plain);
    Services::instance().MsgBox("<b>x</b> & <i>y</i>");
    QCOMPARE(plain.texts, QStringList{"<b>x</b> & <i>y</i>"});
    QCOMPARE(plain.formats, QList<Qt::TextFormat>{Qt::PlainText});

    Seen dialog;
    readNextBox(dialog);
    MessageDialog d;
    d.Message = "<h1>big</h1>";
    d.Explanation = "<a href='x'>link</a>";
    Services::instance().ShowMessageDialog(d, nullptr);
    QCOMPARE(dialog.texts, (QStringList{"<h1>big</h1>", "<a href='x'>link</a>"}));
    QCOMPARE(dialog.formats, (QList<Qt::TextFormat>{Qt::PlainText, Qt::PlainText}));
}

// A message box opened while a request waits (as a map page's message may) answers the
// keyboard, though the windows behind it take no input until the wait ends.
void TestQtServices::messageDuringAWaitTakesInput()
{
    TestHttpServer server;
    TestHttpServer::Reply slow{200, "body"};
    slow.delayMs = 1000;
    server.route("/slow", slow);
    bool pressed = false;
    bool forced = false;
    QTimer::singleShot(100, this, [] { Services::instance().MsgBox("hello"); });
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [poll, &pressed] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        QTest::keyClick(box->windowHandle(), Qt::Key_Return);
        pressed = !box->isVisible();
        poll->deleteLater();
    });
    poll->start(50);
    QTimer::singleShot(20000, this, [&forced] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            forced = true;
            box->done(0);
        }
    });
    HTTPSocket socket;
    const QByteArray body = socket.GetBytes(server.address() + "/slow", 60);
    QVERIFY(!forced);
    QVERIFY(pressed);
    QCOMPARE(body, QByteArray("body"));
}

LUMETRA_TEST_MAIN(TestQtServices)

#include "tst_qtservices.moc"
