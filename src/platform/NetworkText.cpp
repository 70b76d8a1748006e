#include "platform/NetworkText.h"

namespace {

// Chromium's network error codes (net/base/net_error_list.h) we name ourselves.
enum ChromiumError {
    TimedOut = -7,
    ConnectionClosed = -100,
    ConnectionReset = -101,
    ConnectionRefused = -102,
    NameNotResolved = -105,
    InternetDisconnected = -106,
    ConnectionTimedOut = -118,
    NameResolutionFailed = -137,
};

}  // namespace

QString NetworkText::PageFailed(const QString& url, const QString& reason)
{
    return lkPageFailed().arg(url, reason);
}

QString NetworkText::ServerAnswered(int status)
{
    return lkServerAnswered().arg(status);
}

QString NetworkText::NoAnswerWithin(int seconds)
{
    return lkNoAnswer().arg(seconds);
}

QString NetworkText::Reply(QNetworkReply::NetworkError error, const QString& qtText)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return lkRefused();
    case QNetworkReply::HostNotFoundError:
        return lkHostNotFound();
    case QNetworkReply::RemoteHostClosedError:
        return lkClosed();
    case QNetworkReply::TimeoutError:
        return lkTimedOut();
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
        return lkOffline();
    default:
        return qtText;
    }
}

QString NetworkText::Chromium(int code, const QString& text)
{
    switch (code) {
    case ConnectionRefused:
        return lkRefused();
    case NameNotResolved:
    case NameResolutionFailed:
        return lkHostNotFound();
    case ConnectionClosed:
    case ConnectionReset:
        return lkClosed();
    case TimedOut:
    case ConnectionTimedOut:
        return lkTimedOut();
    case InternetDisconnected:
        return lkOffline();
    default:
        break;
    }
    // "net::ERR_SSL_PROTOCOL_ERROR" reads "ssl protocol error".
    QString words = text;
    words.remove(QLatin1String("net::ERR_"));
    return words.replace(QLatin1Char('_'), QLatin1Char(' ')).toLower();
}

LOCALIZED_TEXT(NetworkText, lkPageFailed, "The page %1 could not be loaded: %2.")
LOCALIZED_TEXT(NetworkText, lkServerAnswered, "the server answered with HTTP status %1")
LOCALIZED_TEXT(NetworkText, lkNoAnswer, "the server gave no answer within %1 seconds")
LOCALIZED_TEXT(NetworkText, lkRefused, "the server refused the connection")
LOCALIZED_TEXT(NetworkText, lkHostNotFound, "the server's name is unknown")
LOCALIZED_TEXT(NetworkText, lkClosed, "the server closed the connection before the answer was complete")
LOCALIZED_TEXT(NetworkText, lkCutShort, "the transfer was cut short")
LOCALIZED_TEXT(NetworkText, lkTimedOut, "the server did not answer in time")
LOCALIZED_TEXT(NetworkText, lkOffline, "there is no network connection")
LOCALIZED_TEXT(NetworkText, lkTooLarge, "the answer is too large")
LOCALIZED_TEXT(NetworkText, lkCannotWrite, "the file %1 cannot be written")
