#pragma once

#include "platform/Services.h"

// The real services: Qt's dialogs, desktop services and clipboard.
class QtServices final : public Services {
public:
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
};
