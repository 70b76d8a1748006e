#pragma once

#include "platform/FileType.h"
#include "platform/MessageDialog.h"

#include <QString>

class QDialog;
class QWidget;

// Everything modal or outward-facing goes through here: the program gets QtServices,
// tests a scripted double, so no test ever blocks on a real dialog.
class Services {
public:
    virtual ~Services() = default;

    // A modal message box with one text and an OK button.
    virtual void MsgBox(const QString& text) = 0;
    virtual MessageDialog::Pressed ShowMessageDialog(const MessageDialog& dialog, QWidget* parent) = 0;

    // Each returns the chosen path, or an empty text when the user cancelled. The save
    // dialog opens in `folder` with `defaultName` and gives `extension` (".ov2") to a chosen
    // name that has none, so that its question before replacing a file is about that name.
    virtual QString GetOpenFolderItem(const FileType& filter, QWidget* parent) = 0;
    virtual QString GetSaveFolderItem(const FileType& filter, const QString& folder, const QString& defaultName,
                                      const QString& extension, QWidget* parent) = 0;

    // Runs one of the program's own dialogs modally over its parent window and
    // returns its result code when it closes.
    virtual int ShowModalWithin(QDialog& dialog, QWidget* parent) = 0;

    // Hands a URL to the system and returns at once.
    virtual void ShowURL(const QString& url) = 0;
    // Opens a file with the system: a ZIP archive is expanded beside itself, as the
    // desktop does. False when that failed.
    virtual bool Launch(const QString& path) = 0;

    virtual void SetClipboardText(const QString& text) = 0;
    virtual bool IsNetworkConnected() = 0;
    virtual QString DesktopFolder() = 0;

    // Ends the event loop with the exit code.
    virtual void Quit(int code) = 0;

    // Makes the dialog modal over its parent window, or over the whole program when it has
    // none; both implementations of ShowModalWithin start with this.
    static void PrepareModal(QDialog& dialog, QWidget* parent);

    // The services in force; the program installs QtServices at start-up, tests their double.
    static Services& instance();
    static void install(Services* services);
};
