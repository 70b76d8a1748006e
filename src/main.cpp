#include "platform/HTMLViewer.h"
#include "platform/Localized.h"
#include "platform/QtServices.h"
#include "shell/App.h"
#include "shell/Pictures.h"
#include "shell/SingleInstance.h"
#include "shell/Translations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLocale>
#include <QTimer>

namespace {

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

    const Translations translations{QLocale()};

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
