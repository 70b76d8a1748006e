#pragma once

#include "platform/Services.h"

#include <QStringList>

// The services of a benchmark, in force while the object lives. Nothing a benchmark runs
// is expected to ask: whatever does is declined and, unless quiet, reported.
class BenchServices final : public Services {
public:
    enum class Reports { Shown, Quiet };

    // The paths the open and save dialogs answer, in order; declined once used up.
    QStringList openPaths;
    QStringList savePaths;

    explicit BenchServices(Reports reports = Reports::Shown);
    ~BenchServices() override;

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
    Reports mReports;
};
