#pragma once

#include <QLocale>
#include <QTranslator>

// The program's texts in the user's language (English when we have none), and Qt's own
// texts (file dialogs, standard buttons, text fields' menus) in the same language when
// the system has them. Installed for as long as the object lives.
class Translations final {
public:
    explicit Translations(const QLocale& locale);
    ~Translations();

    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    bool HasQtTexts() const { return mQtLoaded; }

private:
    QTranslator mProgram;
    QTranslator mQt;
    bool mProgramLoaded = false;
    bool mQtLoaded = false;
};
