#pragma once

#include <QString>

// The localized-string lookup: the text the loaded translations hold for
// context "." name (e.g. "App.kFileQuit"), else the default.
QString GetLocalizedString(const char* context, const char* name, const char* defaultText = "");

// Declares and defines one localizable constant of a class as a static function:
//   LOCALIZED_TEXT(App, kFileQuit, "&Quit")
#define LOCALIZED_TEXT_DECL(name) static QString name()
#define LOCALIZED_TEXT(cls, name, def) \
    QString cls::name() { return GetLocalizedString(#cls, #name, def); }
// The same, with the texts kept under another class's context.
#define LOCALIZED_TEXT_IN(cls, context, name, def) \
    QString cls::name() { return GetLocalizedString(#context, #name, def); }
