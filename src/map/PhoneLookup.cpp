#include "map/PhoneLookup.h"

#include "map/DirectoryAnswer.h"
#include "map/MakerServer.h"
#include "map/MapBridge.h"
#include "platform/CoordinateRule.h"
#include "platform/EditField.h"
#include "platform/HTTPSocket.h"
#include "platform/Services.h"
#include "platform/TextFunctions.h"
#include "map/MapHost.h"

int PhoneLookup::timeoutSeconds = 80;

namespace {

constexpr qint64 kMaxAnswerBytes = 1 << 20;

}  // namespace

PhoneLookup::PhoneLookup(MapHost& host, MapBridge& map)
    : w(host)
    , mMap(map)
{
}

void PhoneLookup::CercaNumeroTelefono(const QString& number)
{
    Services& services = Services::instance();
    const QString base = MakerServer::ConfiguredAddress("LUMETRA_DIRECTORY");
    if (base.isEmpty()) {
        services.MsgBox(lkNoDirectory());
        w.EditFieldNome()->SetFocus();
        return;
    }
    HTTPSocket socket;
    const QString query = base + QStringLiteral("/execute.cgi?btt=1&ts=106&cb=8&mr=10&rk=&om=&tl=1&qs=") + number;
    const QString browser = base + QStringLiteral("/execute.cgi?btt=1&ts=106&cb=8&mr=10&rk=&om=&qs=") + number;
    try {
        const QByteArray answer = socket.GetBytes(query, timeoutSeconds, kMaxAnswerBytes);
        // The window was closed during the wait: the answer has nowhere to go.
        if (w.IsClosing())
            return;
        const std::optional<DirectoryEntry> found = DirectoryAnswer::FirstEntry(answer);
        if (!found) {
            services.MsgBox(QStringLiteral("Nessun contatto trovato per ") + number);
        } else if (!found->hasStreet) {
            services.MsgBox(QStringLiteral(
                "Non riesco a recuperare i dati, il risultato della ricerca verr\u00e0 aperto su browser."));
            services.ShowURL(browser);
            return;
        } else {
            const DirectoryEntry& e = *found;
            QString description = e.name;
            if (!e.secondName.isEmpty())
                description += QStringLiteral(" ") + e.secondName;
            description += QStringLiteral(" - ") + e.street + QStringLiteral(" ") + e.houseNumber +
                           QStringLiteral(" - ") + e.postcode + QStringLiteral("  ") + e.city + QStringLiteral(" (") +
                           e.province + QStringLiteral(")>") + e.telephone;
            const QString information = e.name + QStringLiteral(" ") + e.secondName + QStringLiteral(", ") +
                                        e.postcode + QStringLiteral("  ") + e.city + QStringLiteral(" (") +
                                        e.province + QStringLiteral(")  - ") + e.street + QStringLiteral(", ") +
                                        e.houseNumber + QStringLiteral(" ") + e.telephone;
            // The directory's position in the program's own coordinate text.
            const QString latitude = CoordinateRule::Formatted(Val(e.latitude));
            const QString longitude = CoordinateRule::Formatted(Val(e.longitude));
            w.EditFieldNome()->setText(description);
            w.EditFieldLatitudine()->setText(latitude);
            w.EditFieldLongitudine()->setText(longitude);
            mMap.MostraRicercaTelefono(latitude, longitude, information);
        }
    } catch (const DirectoryAnswer::Unusable&) {
        // A request that failed left no answer to read: the message says why.
        QString message = QStringLiteral("Si \u00e8 verificato un errore nella ricerca.");
        if (!socket.LastErrorText().isEmpty())
            message += QLatin1Char('\n') + socket.LastErrorText() + QLatin1Char('.');
        services.MsgBox(message);
        services.ShowURL(browser);
    }
    w.EditFieldNome()->SetFocus();
}

LOCALIZED_TEXT_IN(PhoneLookup, Applicazione, lkNoDirectory,
                  "No telephone directory is configured: set LUMETRA_DIRECTORY to its address.")
