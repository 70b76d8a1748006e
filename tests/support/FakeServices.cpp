#include "support/FakeServices.h"

#include "platform/Events.h"

#include <QTest>
#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

namespace {

// Sees a dialog hidden and shown again: hiding ends a dialog's exec() for good, so the
// window the user sees then is modal no more and nobody waits for its result.
class HideWatch final : public QObject {
public:
    explicit HideWatch(QWidget& widget) { widget.installEventFilter(this); }
    bool reopened = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            mHidden = true;
        else if (event->type() == QEvent::Show && mHidden)
            reopened = true;
        return false;
    }

private:
    bool mHidden = false;
};

void failUnscripted(const char* what)
{
    QTest::qFail(qPrintable(QStringLiteral("unscripted %1").arg(QLatin1String(what))), __FILE__, __LINE__);
}
}

FakeServices::FakeServices()
{
    Services::install(this);
}

FakeServices::~FakeServices()
{
    Services::install(nullptr);
}

void FakeServices::showing(const std::function<void()>& meanwhile)
{
    const std::function<void()> events = whileShown.isEmpty() ? std::function<void()>() : whileShown.dequeue();
    // Like a real box, it runs its own loop until it is answered: what arrives meanwhile,
    // and what that leaves to the loop, is handled inside it.
    Events::NestedLoop nested;
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        if (meanwhile)
            meanwhile();
        if (events)
            events();
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
    });
    loop.exec();
}

void FakeServices::MsgBox(const QString& text)
{
    messages << text;
    showing([this, text] {
        if (onMessage)
            onMessage(text);
    });
}

MessageDialog::Pressed FakeServices::ShowMessageDialog(const MessageDialog& dialog, QWidget*)
{
    dialogs << dialog;
    showing();
    if (dialogAnswers.isEmpty()) {
        failUnscripted("message dialog");
        return MessageDialog::Pressed::Cancel;
    }
    return dialogAnswers.dequeue();
}

QString FakeServices::GetOpenFolderItem(const FileType& filter, QWidget*)
{
    openRequests << FileRequest{filter, QString(), QString(), QString()};
    showing();
    if (openAnswers.isEmpty()) {
        failUnscripted("open dialog");
        return QString();
    }
    return openAnswers.dequeue();
}

QString FakeServices::GetSaveFolderItem(const FileType& filter, const QString& folder, const QString& defaultName,
                                        const QString& extension, QWidget*)
{
    saveRequests << FileRequest{filter, defaultName, folder, extension};
    showing();
    if (saveAnswers.isEmpty()) {
        failUnscripted("save dialog");
        return QString();
    }
    return saveAnswers.dequeue();
}

int FakeServices::ShowModalWithin(QDialog& dialog, QWidget* parent)
{
    if (modalHandlers.isEmpty()) {
        failUnscripted("modal dialog");
        return QDialog::Rejected;
    }
    const std::function<int(QDialog&)> script = modalHandlers.dequeue();
    PrepareModal(dialog, parent);
    // The script acts from inside the dialog's own exec(), once it is shown, as a user
    // would; what it leaves open it closes with its result.
    bool ran = false;
    QTimer step;
    step.setSingleShot(true);
    bool reopened = false;
    QObject::connect(&step, &QTimer::timeout, &dialog, [&] {
        ran = true;
        HideWatch watch(dialog);
        const int result = script(dialog);
        reopened = watch.reopened;
        if (result != kLeaveOpen && dialog.isVisible())
            dialog.done(result);
    });
    step.start(0);
    int result = QDialog::Rejected;
    {
        Events::NestedLoop nested;
        result = dialog.exec();
    }
    if (!ran)
        QTest::qFail("the modal dialog closed before its script ran", __FILE__, __LINE__);
    if (reopened)
        QTest::qFail("the modal dialog was hidden while open, which ended its exec()", __FILE__, __LINE__);
    return result;
}

void FakeServices::ShowURL(const QString& url)
{
    urls << url;
}

bool FakeServices::Launch(const QString& path)
{
    launched << path;
    return onLaunch ? onLaunch(path) : true;
}

void FakeServices::SetClipboardText(const QString& text)
{
    clipboard = text;
}

bool FakeServices::IsNetworkConnected()
{
    return networkConnected;
}

QString FakeServices::DesktopFolder()
{
    return desktopFolder;
}

void FakeServices::Quit(int code)
{
    quitCodes << code;
}
