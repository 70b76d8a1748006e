#include "shell/UpdateCheck.h"

#include "map/MakerServer.h"
#include "platform/HTTPSocket.h"
#include "platform/MessageDialog.h"
#include "platform/NetworkText.h"
#include "platform/Services.h"
#include "shell/App.h"
#include "shell/DownloadUpdate.h"

#include <QCoreApplication>
#include <QRegularExpression>

int UpdateCheck::timeoutSeconds = 80;
int UpdateCheck::expandWaitMilliseconds = 10000;

namespace {

const char* const kVersion = "1.4.0.5";
// A version text is a few bytes; more than this is no version file, and keeping an answer
// that never ends would fill the memory until the time-out.
constexpr qint64 kMaxVersionBytes = 4096;

QList<int> versionParts(const QString& text, bool* ok)
{
    static const QRegularExpression form(QStringLiteral("^\\d{1,9}(\\.\\d{1,9})*$"));
    QList<int> parts;
    *ok = form.match(text).hasMatch();
    if (*ok)
        for (const QString& p : text.split('.'))
            parts << p.toInt();
    return parts;
}

MessageDialog baseDialog()
{
    MessageDialog d;
    d.Title = QStringLiteral("Lumetra ") + QCoreApplication::applicationVersion();
    d.Icon = 2;
    d.ActionButton.Caption = QString();
    d.CancelButton.Visible = false;
    return d;
}

// A check that learnt no version says so, and why; never that all is up to date.
void showFailure(MessageDialog dialog, const QString& reason)
{
    dialog.AlternateActionButton.Visible = false;
    dialog.Message = UpdateCheck::lkCheckFailed();
    dialog.Explanation = reason + QLatin1Char('.');
    Services::instance().ShowMessageDialog(dialog, nullptr);
}

}  // namespace

bool UpdateCheck::IsVersionText(const QString& body)
{
    bool ok = false;
    versionParts(body.trimmed(), &ok);
    return ok;
}

bool UpdateCheck::IsNewerVersion(const QString& body, const QString& current)
{
    bool bodyOk = false;
    bool currentOk = false;
    QList<int> a = versionParts(body.trimmed(), &bodyOk);
    QList<int> b = versionParts(current, &currentOk);
    if (!bodyOk || !currentOk)
        return false;
    while (a.size() < b.size())
        a << 0;
    while (b.size() < a.size())
        b << 0;
    return a > b;
}

void UpdateCheck::ControllaAggiornamenti()
{
    Services& services = Services::instance();
    MessageDialog dialog = baseDialog();
    const QString server = MakerServer::ServerAddress();
    if (server.isEmpty()) {
        showFailure(dialog, lkNoServer());
        return;
    }
    if (!services.IsNetworkConnected()) {
        dialog.AlternateActionButton.Visible = false;
        dialog.Message = App::lkUpdatesError1();
        dialog.Explanation = App::lkUpdates2();
        services.ShowMessageDialog(dialog, nullptr);
        return;
    }

    HTTPSocket socket;
    const QString body
        = socket.Get(server + QStringLiteral("/public/software/lumetra.txt"), timeoutSeconds, kMaxVersionBytes);
    // "Up to date" only from a server that answered with a version.
    QString failure = socket.LastErrorText();
    if (failure.isEmpty() && socket.LastStatus() != 200)
        failure = NetworkText::ServerAnswered(socket.LastStatus());
    if (failure.isEmpty() && !IsVersionText(body))
        failure = lkNotAVersion();
    if (!failure.isEmpty()) {
        showFailure(dialog, failure);
        return;
    }
    if (IsNewerVersion(body, QLatin1String(kVersion))) {
        dialog.AlternateActionButton = {App::lkCancel(), true};
        dialog.Message = App::lkUpdates1();
        dialog.Explanation = App::lkUpdates2();
        if (services.ShowMessageDialog(dialog, nullptr) == MessageDialog::Pressed::Action) {
            DownloadUpdate download(server + QStringLiteral("/public/software/lumetra.zip"));
            download.setExpandWaitMilliseconds(expandWaitMilliseconds);
            download.ShowModal();
        }
        return;
    }
    dialog.AlternateActionButton.Visible = false;
    dialog.Message = App::lkUpdates3();
    dialog.Explanation = App::lkUpdates4();
    services.ShowMessageDialog(dialog, nullptr);
}

LOCALIZED_TEXT(UpdateCheck, lkCheckFailed, "The check for updates failed.")
LOCALIZED_TEXT(UpdateCheck, lkNotAVersion, "the server's answer is not a version number")
LOCALIZED_TEXT(UpdateCheck, lkNoServer, "the update server cannot be reached: none is configured (LUMETRA_SERVER)")
