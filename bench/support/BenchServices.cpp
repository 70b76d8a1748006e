#include "support/BenchServices.h"

#include <QDialog>
#include <QDir>

#include <cstdio>

BenchServices::BenchServices(Reports reports)
    : mReports(reports)
{
    Services::install(this);
}

BenchServices::~BenchServices()
{
    Services::install(nullptr);
}

void BenchServices::MsgBox(const QString& text)
{
    if (mReports == Reports::Shown)
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
}

MessageDialog::Pressed BenchServices::ShowMessageDialog(const MessageDialog& dialog, QWidget*)
{
    if (mReports == Reports::Shown)
        std::fprintf(stderr, "question: %s\n", qPrintable(dialog.Message));
    return MessageDialog::Pressed::Cancel;
}

QString BenchServices::GetOpenFolderItem(const FileType&, QWidget*)
{
    return openPaths.isEmpty() ? QString() : openPaths.takeFirst();
}

QString BenchServices::GetSaveFolderItem(const FileType&, const QString&, const QString&, const QString&, QWidget*)
{
    return savePaths.isEmpty() ? QString() : savePaths.takeFirst();
}

int BenchServices::ShowModalWithin(QDialog&, QWidget*)
{
    return QDialog::Rejected;
}

void BenchServices::ShowURL(const QString&) {}

bool BenchServices::Launch(const QString&)
{
    return false;
}

void BenchServices::SetClipboardText(const QString&) {}

bool BenchServices::IsNetworkConnected()
{
    return false;
}

QString BenchServices::DesktopFolder()
{
    return QDir::tempPath();
}

void BenchServices::Quit(int) {}
