#include "shell/DownloadUpdate.h"

#include "platform/Events.h"
#include "platform/HTTPSocket.h"
#include "platform/Services.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QThread>

#include <limits>

namespace {

QString desktopFile(const char* name)
{
    return QDir(Services::instance().DesktopFolder()).filePath(QLatin1String(name));
}

}  // namespace

DownloadUpdate::DownloadUpdate(const QString& url, QWidget* parent)
    : QDialog(parent), mUrl(url)
{
    setWindowTitle(lkTitle());
    setFixedSize(297, 74);
    // No close button while the download runs; an error makes the window closable.
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
}

DownloadUpdate::~DownloadUpdate() = default;

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
    // Escape closes the window only once the download has failed.
    if (mFailed)
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
    DSocket->Get(mUrl, desktopFile("lumetra.zip"));
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
    const QString zip = desktopFile("lumetra.zip");
    if (status != 200) {
        QFile::remove(zip);
        DSocket_Error(status);
        return;
    }
    ProgressBar1->setMaximum(0);
    const QString dmg = desktopFile("lumetra.dmg");
    const QString pkg = desktopFile("lumetra.pkg");
    if (!Services::instance().Launch(zip)) {
        QFile::remove(zip);
        DSocket_Error(-1);
        return;
    }
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(dmg) && !QFile::exists(pkg) && waited.elapsed() < mExpandWaitMs) {
        Events::DoEvents();
        QThread::msleep(20);
    }
    const bool found = QFile::exists(dmg) || QFile::exists(pkg);
    QFile::remove(zip);
    ProgressBar1->hide();
    Services::instance().MsgBox(found ? lkDownloadCompleted() : lkDownloadMissing());
    done(found ? QDialog::Accepted : QDialog::Rejected);
}

void DownloadUpdate::DSocket_Error(int code)
{
    mFailed = true;
    setWindowFlags(windowFlags() | Qt::WindowCloseButtonHint);
    show();
    Services::instance().MsgBox(lkDownloadError() + QStringLiteral(": (") + QString::number(code) +
                                QStringLiteral(")."));
}

LOCALIZED_TEXT(DownloadUpdate, lkTitle, "")
LOCALIZED_TEXT(DownloadUpdate, lkProgress, "")
LOCALIZED_TEXT(DownloadUpdate, lkDownloadCompleted, "")
LOCALIZED_TEXT(DownloadUpdate, lkDownloadError, "")
LOCALIZED_TEXT(DownloadUpdate, lkDownloadMissing, "The update holds no disk image or installer package.")
