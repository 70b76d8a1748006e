#include "shell/DownloadUpdate.h"

#include "platform/Events.h"
#include "platform/HTTPSocket.h"
#include "platform/NetworkText.h"
#include "platform/Services.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QUrl>

#include <limits>

namespace {

// "<Desktop>/lumetra", or "lumetra 2", "lumetra 3"... when the name is taken: the update
// never lands among, or over, the user's own files.
QString newFolder(const QString& desktop, const QString& name)
{
    const QDir parent(desktop);
    QString candidate = parent.filePath(name);
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = parent.filePath(name + QLatin1Char(' ') + QString::number(n));
    return parent.mkdir(QFileInfo(candidate).fileName()) ? candidate : QString();
}

}  // namespace

DownloadUpdate::DownloadUpdate(const QString& url, QWidget* parent)
    : QDialog(parent), mUrl(url)
{
    setWindowTitle(lkTitle());
    setFixedSize(297, 74);
    // No close button: the window's own button stops the download or closes it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    ProgressWheel1 = new QProgressBar(this);
    ProgressWheel1->setGeometry(261, 15, 16, 16);
    ProgressWheel1->setRange(0, 0);
    ProgressWheel1->setTextVisible(false);
    ProgressWheel1->hide();

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setGeometry(17, 38, 260, 20);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->hide();

    DSocket = new HTTPSocket(this);
    DSocket->ReceiveProgress.connect(this, [this](qint64 r, qint64 t) { DSocket_ReceiveProgress(r, t); });
    DSocket->DownloadComplete.connect(this, [this](int status, const QString&) { DSocket_DownloadComplete(status); });
    DSocket->Error.connect(this, [this](int code) { DSocket_Error(code); });

    StaticText1 = new QLabel(lkProgress(), this);
    StaticText1->setGeometry(17, 11, 167, 20);

    ButtonCancel = new QPushButton(lkCancel(), this);
    ButtonCancel->setGeometry(189, 9, 66, 24);
    ButtonCancel->setAutoDefault(false);
    connect(ButtonCancel, &QPushButton::clicked, this, &DownloadUpdate::reject);
}

DownloadUpdate::~DownloadUpdate()
{
    // Whatever was under way goes with the window, and leaves nothing behind.
    delete DSocket;
    RemoveFolderIfEmpty();
}

void DownloadUpdate::ShowModal()
{
    Services::instance().ShowModalWithin(*this, nullptr);
}

void DownloadUpdate::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!mOpened) {
        mOpened = true;
        Event_Open();
    }
}

void DownloadUpdate::reject()
{
    // While the archive expands the window waits for it; otherwise leaving stops the
    // download and removes what it wrote.
    if (mExpanding)
        return;
    DSocket->Cancel();
    RemoveFolderIfEmpty();
    QDialog::reject();
}

void DownloadUpdate::Event_Open()
{
    ProgressWheel1->show();
    Download();
    ProgressWheel1->hide();
}

void DownloadUpdate::Download()
{
    ProgressBar1->show();
    const QString desktop = Services::instance().DesktopFolder();
    const QString name = QFileInfo(QUrl(mUrl).path()).fileName();
    if (desktop.isEmpty() || !QDir().mkpath(desktop) ||
        (mFolder = newFolder(desktop, QFileInfo(name).completeBaseName())).isEmpty()) {
        Fail(lkNoFolder().arg(QDir::toNativeSeparators(desktop)));
        return;
    }
    mArchive = QDir(mFolder).filePath(name);
    DSocket->Get(mUrl, mArchive);
}

void DownloadUpdate::DSocket_ReceiveProgress(qint64 received, qint64 total)
{
    // Qt bars count in int; scale large downloads down.
    int shift = 0;
    while ((total >> shift) > std::numeric_limits<int>::max())
        ++shift;
    ProgressBar1->setMaximum(int(total >> shift));
    ProgressBar1->setValue(int(received >> shift));
}

void DownloadUpdate::DSocket_DownloadComplete(int status)
{
    if (status != 200) {
        QFile::remove(mArchive);
        Fail(NetworkText::ServerAnswered(status));
        return;
    }
    ProgressBar1->setMaximum(0);
    const QDir folder(mFolder);
    const QString dmg = folder.filePath(QStringLiteral("lumetra.dmg"));
    const QString pkg = folder.filePath(QStringLiteral("lumetra.pkg"));
    mExpanding = true;
    ButtonCancel->setEnabled(false);
    const bool expanded = Services::instance().Launch(mArchive);
    QElapsedTimer waited;
    waited.start();
    while (expanded && !QFile::exists(dmg) && !QFile::exists(pkg) && waited.elapsed() < mExpandWaitMs) {
        Events::DoEvents();
        QThread::msleep(20);
    }
    mExpanding = false;
    ButtonCancel->setEnabled(true);
    QFile::remove(mArchive);
    if (!expanded) {
        Fail(lkNotExpanded());
        return;
    }
    const bool found = QFile::exists(dmg) || QFile::exists(pkg);
    ProgressBar1->hide();
    const QString where = lkSavedIn().arg(QDir::toNativeSeparators(mFolder));
    Services::instance().MsgBox((found ? lkDownloadCompleted() : lkDownloadMissing()) + QLatin1Char('\n') + where);
    done(found ? QDialog::Accepted : QDialog::Rejected);
}

void DownloadUpdate::DSocket_Error(int)
{
    Fail(DSocket->LastErrorText());
}

void DownloadUpdate::Fail(const QString& reason)
{
    // The window stays open, its button now closing it.
    RemoveFolderIfEmpty();
    ButtonCancel->setText(lkClose());
    Services::instance().MsgBox(lkDownloadError() + QStringLiteral(": ") + reason + QLatin1Char('.'));
}

void DownloadUpdate::RemoveFolderIfEmpty()
{
    if (!mFolder.isEmpty() && QDir(mFolder).isEmpty())
        QDir().rmdir(mFolder);
}

LOCALIZED_TEXT(DownloadUpdate, lkTitle, "")
LOCALIZED_TEXT(DownloadUpdate, lkProgress, "")
LOCALIZED_TEXT(DownloadUpdate, lkDownloadCompleted, "")
LOCALIZED_TEXT(DownloadUpdate, lkDownloadError, "")
LOCALIZED_TEXT(DownloadUpdate, lkDownloadMissing, "The update holds no disk image or installer package.")
LOCALIZED_TEXT(DownloadUpdate, lkSavedIn, "It is in the folder %1.")
LOCALIZED_TEXT(DownloadUpdate, lkCancel, "Cancel")
LOCALIZED_TEXT(DownloadUpdate, lkClose, "Close")
LOCALIZED_TEXT(DownloadUpdate, lkNoFolder, "no folder for it can be made in %1")
LOCALIZED_TEXT(DownloadUpdate, lkNotExpanded, "the archive could not be expanded")
