#include "platform/HTMLViewer.h"
#include "platform/QtServices.h"
#include "shell/App.h"
#include "shell/Pictures.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

namespace {

// The user's language when we have it, English otherwise.
void installTranslations(QTranslator& translator)
{
    if (translator.load(QLocale(), QStringLiteral("lumetra"), QStringLiteral("_"), QStringLiteral(":/translations")) ||
        translator.load(QStringLiteral("lumetra_en"), QStringLiteral(":/translations")))
        QCoreApplication::installTranslator(&translator);
}

}  // namespace

int main(int argc, char* argv[])
{
    HTMLViewer::RegisterSchemes();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumetra"));
    QApplication::setApplicationVersion(QStringLiteral("1.4.0.5"));
    // The program ends when its Window menu empties, not when Qt sees no window.
    QApplication::setQuitOnLastWindowClosed(false);

    QTranslator translator;
    installTranslations(translator);

    QtServices services;
    Services::install(&services);

    int result = 0;
    {
        App app;
        const QStringList files = QApplication::arguments().mid(1);
        QTimer::singleShot(0, &app, [&app, files] {
            if (files.isEmpty())
                app.NewDocument();
            for (const QString& file : files)
                app.OpenDocument(file);
        });
        result = QApplication::exec();
        Pictures::ReleaseAll();
    }
    Services::install(nullptr);
    return result;
}
