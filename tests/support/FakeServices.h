#pragma once

#include "platform/Services.h"

#include <QDialog>
#include <QQueue>
#include <QStringList>

#include <functional>

// The scripted services double: dialogs take queued answers, everything outward-facing
// is recorded. A dialog the test did not script fails the test instead of blocking.
class FakeServices final : public Services {
public:
    struct FileRequest {
        FileType filter;
        QString defaultName;
        QString folder;     // save dialogs only
        QString extension;  // save dialogs only
    };

    FakeServices();
    ~FakeServices() override;

    // Scripting.
    QQueue<QString> openAnswers;   // paths for GetOpenFolderItem; "" = cancel
    QQueue<QString> saveAnswers;   // paths for GetSaveFolderItem; "" = cancel
    QQueue<MessageDialog::Pressed> dialogAnswers;
    // Each drives one ShowModalWithin: it runs inside the dialog's real exec() and returns
    // the result to close it with, if it is still open; kLeaveOpen leaves it open, to be
    // closed later by what the script set going, as a user would after a while.
    QQueue<std::function<int(QDialog&)>> modalHandlers;
    static constexpr int kLeaveOpen = -1000;
    // Each runs inside one message box or file dialog, in the order they come, as events
    // that arrive while it is up would: a close, a Quit, a hand-over.
    QQueue<std::function<void()>> whileShown;
    bool networkConnected = true;
    std::function<bool(const QString&)> onLaunch;  // what opening a file does; recorded only when unset
    // Runs inside MsgBox, while the user would be reading the box: what happens meanwhile.
    std::function<void(const QString&)> onMessage;
    QString desktopFolder;

    // Records.
    QStringList messages;  // MsgBox texts
    QList<MessageDialog> dialogs;
    QList<FileRequest> openRequests;
    QList<FileRequest> saveRequests;
    QStringList urls;
    QStringList launched;
    QString clipboard;
    QList<int> quitCodes;

    void MsgBox(const QString& text) override;
    MessageDialog::Pressed ShowMessageDialog(const MessageDialog& dialog, QWidget* parent) override;
    QString GetOpenFolderItem(const FileType& filter, QWidget* parent) override;
    QString GetSaveFolderItem(const FileType& filter, const QString& folder, const QString& defaultName,
                              const QString& extension, QWidget* parent) override;
    int ShowModalWithin(QDialog& dialog, QWidget* parent) override;
    void ShowURL(const QString& url) override;
    bool Launch(const QString& path) override;
    void SetClipboardText(const QString& text) override;
    bool IsNetworkConnected() override;
    QString DesktopFolder() override;
    void Quit(int code) override;

private:
    // A box or file dialog is up: events are handled inside it, as in a real one, and
    // what whileShown holds for it arrives then.
    void showing(const std::function<void()>& meanwhile = {});

    Services* mPrevious = nullptr;
};
