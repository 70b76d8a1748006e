#include "platform/HTMLViewer.h"
#include "platform/Localized.h"
#include "platform/QtServices.h"
#include "shell/App.h"
#include "shell/Pictures.h"
#include "shell/SingleInstance.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

namespace {

// The user's language when we have it, English otherwise; Qt's own texts (file dialogs,
// standard buttons, text fields' menus) in the same language when they are installed.
void installTranslations(QTranslator& program, QTranslator& qt)
{
    if (program.load(QLocale(), QStringLiteral("lumetra"), QStringLiteral("_"), QStringLiteral(":/translations")) ||
        program.load(QStringLiteral("lumetra_en"), QStringLiteral(":/translations")))
        QCoreApplication::installTranslator(&program);
    if (qt.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);
}

// Files named relative to where this start was made, which the running program may not share.
QStringList absoluteFiles(const QStringList& files)
{
    QStringList absolute;
    for (const QString& file : files)
        absolute << QDir::current().absoluteFilePath(file);
    return absolute;
}

void openDocuments(App& app, const QStringList& files)
{
    if (files.isEmpty())
        app.NewDocument();
    for (const QString& file : files)
        app.OpenDocument(file);
}

}  // namespace

int main(int argc, char* argv[])
{
    HTMLViewer::RegisterSchemes();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumetra"));
    QApplication::setApplicationVersion(QStringLiteral("1.4.0.5"));
    QApplication::setDesktopFileName(QStringLiteral("lumetra"));
    // The program ends when its Window menu empties, not when Qt sees no window.
    QApplication::setQuitOnLastWindowClosed(false);

    QTranslator translator;
    QTranslator qtTranslator;
    installTranslations(translator, qtTranslator);

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"),
                                 GetLocalizedString("main", "lkFilesArgument", "OV2 files to open, one window each."),
                                 QStringLiteral("[files...]"));
    parser.process(application);
    const QStringList files = absoluteFiles(parser.positionalArguments());

    SingleInstance instance;
    if (instance.Start(files) == SingleInstance::Role::HandedOver)
        return 0;

    QtServices services;
    Services::install(&services);

    int result = 0;
    {
        App app;
        QObject::connect(&instance, &SingleInstance::FilesHandedOver, &app,
                         [&app](const QStringList& handed) { openDocuments(app, handed); });
        QTimer::singleShot(0, &app, [&app, files] { openDocuments(app, files); });
        result = QApplication::exec();
        Pictures::ReleaseAll();
    }
    Services::install(nullptr);
    return result;
}
