#pragma once

#include "platform/Localized.h"

#include <QDialog>

class HTTPSocket;
class QLabel;
class QProgressBar;

// The modal window that downloads the update archive to the Desktop, has it expanded
// and waits for the disk image or installer package it holds.
class DownloadUpdate final : public QDialog {
    Q_OBJECT
public:
    // url: the archive's address on the maker's server.
    explicit DownloadUpdate(const QString& url, QWidget* parent = nullptr);
    ~DownloadUpdate() override;

    // Shows the window modally; returns when it closes.
    void ShowModal();

    // How long to wait for the expanded files before saying they are missing.
    void setExpandWaitMilliseconds(int ms) { mExpandWaitMs = ms; }

    QProgressBar* ProgressWheel1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* StaticText1 = nullptr;
    HTTPSocket* DSocket = nullptr;

    LOCALIZED_TEXT_DECL(lkTitle);
    LOCALIZED_TEXT_DECL(lkProgress);
    LOCALIZED_TEXT_DECL(lkDownloadCompleted);
    LOCALIZED_TEXT_DECL(lkDownloadError);
    // Said when the archive held neither expected file.
    LOCALIZED_TEXT_DECL(lkDownloadMissing);

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void Event_Open();
    void Download();
    void DSocket_ReceiveProgress(qint64 received, qint64 total);
    void DSocket_DownloadComplete(int status);
    void DSocket_Error(int code);

    QString mUrl;
    bool mOpened = false;
    bool mFailed = false;
    int mExpandWaitMs = 10000;
};
