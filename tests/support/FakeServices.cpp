#include "support/FakeServices.h"

#include <QTest>
#include <QDir>
#include <QEvent>
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

void FakeServices::MsgBox(const QString& text)
{
    messages << text;
    if (onMessage)
        onMessage(text);
}

MessageDialog::Pressed FakeServices::ShowMessageDialog(const MessageDialog& dialog, QWidget*)
{
    dialogs << dialog;
    if (dialogAnswers.isEmpty()) {
        failUnscripted("message dialog");
        return MessageDialog::Pressed::Cancel;
    }
    return dialogAnswers.dequeue();
}

QString FakeServices::GetOpenFolderItem(const FileType& filter, QWidget*)
{
    openRequests << FileRequest{filter, QString(), QString(), QString()};
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
        if (dialog.isVisible())
            dialog.done(result);
    });
    step.start(0);
    const int result = dialog.exec();
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
