#pragma once

#include "platform/Localized.h"

#include <QNetworkReply>
#include <QString>

// Network failures in words, for messages the user reads: never a bare error code.
class NetworkText {
public:
    // "the server answered with HTTP status 404".
    static QString ServerAnswered(int status);
    static QString NoAnswerWithin(int seconds);
    static QString Reply(QNetworkReply::NetworkError error, const QString& qtText);
    // A failure of the web view, by Chromium's network error code and its text.
    static QString Chromium(int code, const QString& text);
    // "The page <url> could not be loaded: <reason>."
    static QString PageFailed(const QString& url, const QString& reason);

    LOCALIZED_TEXT_DECL(lkPageFailed);
    LOCALIZED_TEXT_DECL(lkServerAnswered);
    LOCALIZED_TEXT_DECL(lkNoAnswer);
    LOCALIZED_TEXT_DECL(lkRefused);
    LOCALIZED_TEXT_DECL(lkHostNotFound);
    LOCALIZED_TEXT_DECL(lkClosed);
    LOCALIZED_TEXT_DECL(lkCutShort);
    LOCALIZED_TEXT_DECL(lkTimedOut);
    LOCALIZED_TEXT_DECL(lkOffline);
    LOCALIZED_TEXT_DECL(lkTooLarge);
    LOCALIZED_TEXT_DECL(lkCannotWrite);
};
