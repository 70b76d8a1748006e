#pragma once

#include "platform/Localized.h"

#include <QString>

// Asks the maker's server for a newer version and offers to download it.
class UpdateCheck {
public:
    static void ControllaAggiornamenti();

    // Whether the version file's body names a newer version than ours: the texts are
    // compared number by number; a body that is not a version is never newer.
    static bool IsNewerVersion(const QString& body, const QString& current);
    // Whether the body is a version text at all (blanks and line ends around it aside).
    static bool IsVersionText(const QString& body);

    // The version request's time-out; tests lower it.
    static int timeoutSeconds;
    // The wait for the expanded update; tests lower it.
    static int expandWaitMilliseconds;

    LOCALIZED_TEXT_DECL(lkCheckFailed);
    LOCALIZED_TEXT_DECL(lkNotAVersion);
    LOCALIZED_TEXT_DECL(lkNoServer);
};
