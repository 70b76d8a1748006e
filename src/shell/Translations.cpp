#include "shell/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

Translations::Translations(const QLocale& locale)
{
    const QString ours = QStringLiteral(":/translations");
    mProgramLoaded = mProgram.load(locale, QStringLiteral("lumetra"), QStringLiteral("_"), ours)
        || mProgram.load(QStringLiteral("lumetra_en"), ours);
    if (mProgramLoaded)
        QCoreApplication::installTranslator(&mProgram);
    mQtLoaded = mQt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (mQtLoaded)
        QCoreApplication::installTranslator(&mQt);
}

Translations::~Translations()
{
    if (mQtLoaded)
        QCoreApplication::removeTranslator(&mQt);
    if (mProgramLoaded)
        QCoreApplication::removeTranslator(&mProgram);
}
