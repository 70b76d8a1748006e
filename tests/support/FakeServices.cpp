#include "support/FakeServices.h"

#include <QTest>
#include <QDir>

namespace {
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

int FakeServices::ShowModalWithin(QDialog& dialog, QWidget*)
{
    if (modalHandlers.isEmpty()) {
        failUnscripted("modal dialog");
        return QDialog::Rejected;
    }
    return modalHandlers.dequeue()(dialog);
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
