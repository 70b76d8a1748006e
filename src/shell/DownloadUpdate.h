#pragma once

#include "platform/Localized.h"

#include <QDialog>

class HTTPSocket;
class QLabel;
class QProgressBar;
class QPushButton;

// The modal window that downloads the update archive into a new folder of its own on the
// Desktop, has it expanded there and waits for the disk image or installer package it holds.
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
    // The folder the update goes into; empty until the download starts.
    QString Folder() const { return mFolder; }

    QProgressBar* ProgressWheel1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* StaticText1 = nullptr;
    // Stops the download, or closes the window after an error.
    QPushButton* ButtonCancel = nullptr;
    HTTPSocket* DSocket = nullptr;

    LOCALIZED_TEXT_DECL(lkTitle);
    LOCALIZED_TEXT_DECL(lkProgress);
    LOCALIZED_TEXT_DECL(lkDownloadCompleted);
    LOCALIZED_TEXT_DECL(lkDownloadError);
    // Said when the archive held neither expected file.
    LOCALIZED_TEXT_DECL(lkDownloadMissing);
    LOCALIZED_TEXT_DECL(lkSavedIn);
    LOCALIZED_TEXT_DECL(lkCancel);
    LOCALIZED_TEXT_DECL(lkClose);
    LOCALIZED_TEXT_DECL(lkNoFolder);
    LOCALIZED_TEXT_DECL(lkNotExpanded);

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void Event_Open();
    void Download();
    void DSocket_ReceiveProgress(qint64 received, qint64 total);
    void DSocket_DownloadComplete(int status);
    void DSocket_Error(int code);
    void Fail(const QString& reason);
    void RemoveFolderIfEmpty();

    QString mUrl;
    QString mFolder;
    QString mArchive;
    bool mOpened = false;
    bool mExpanding = false;
    int mExpandWaitMs = 10000;
};
