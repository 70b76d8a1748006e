#include "support/AppFixture.h"

#include "shell/MenuBar1.h"
#include <QDir>
#include "shell/WindowMenuItem.h"
#include "window/Applicazione.h"

#include <QCoreApplication>
#include <QEvent>

AppFixture::AppFixture()
{
    services.desktopFolder = QDir::tempPath();
}

AppFixture::~AppFixture()
{
    MenuItem* menu = MenuBar1::Instance().Child(QStringLiteral("WindowMenu"));
    while (menu->Count() > 0) {
        auto* entry = static_cast<WindowMenuItem*>(menu->Item(0));
        if (auto* w = qobject_cast<Applicazione*>(entry->window()))
            w->Modificato = false;
        if (entry->window())
            app.CloseThisWindow(entry->window());
        else
            menu->Remove(0);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

Applicazione* AppFixture::newWindow()
{
    return app.OpenNewWindow();
}

QStringList AppFixture::windowMenuTexts() const
{
    QStringList texts;
    MenuItem* menu = MenuBar1::Instance().Child(QStringLiteral("WindowMenu"));
    for (int i = 0; i < menu->Count(); ++i)
        texts << menu->Item(i)->Text();
    return texts;
}

Toolbar1& toolbarOf(Applicazione& w)
{
    return *qobject_cast<Toolbar1*>(w.Toolbar11);
}
