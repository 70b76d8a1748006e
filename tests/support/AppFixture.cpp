#include "support/AppFixture.h"

#include "platform/Listbox.h"
#include "platform/MenuItem.h"
#include "shell/WindowMenuItem.h"
#include "window/Applicazione.h"

#include <QAction>
#include <QDir>

AppFixture::AppFixture()
{
    services.desktopFolder = QDir::tempPath();
}

AppFixture::~AppFixture()
{
    MenuItem* menu = app.MenuBar().Child(QStringLiteral("WindowMenu"));
    while (menu->Count() > 0) {
        auto* entry = qobject_cast<WindowMenuItem*>(menu->Item(0));
        if (auto* w = qobject_cast<Applicazione*>(entry->window())) {
            // An edit left open would be stored on closing, and the document ask again.
            w->ListBox1()->CommitEdit();
            w->setModificato(false);
        }
        if (entry->window())
            app.CloseThisWindow(entry->window());
        else
            menu->Remove(0);
    }
}

Applicazione* AppFixture::newWindow()
{
    return app.OpenNewWindow();
}

QStringList AppFixture::windowMenuTexts() const
{
    QStringList texts;
    MenuItem* menu = app.MenuBar().Child(QStringLiteral("WindowMenu"));
    for (int i = 0; i < menu->Count(); ++i)
        texts << menu->Item(i)->Text();
    return texts;
}

Toolbar1& toolbarOf(Applicazione& w)
{
    return *qobject_cast<Toolbar1*>(w.Toolbar11());
}

QAction* toolItemOf(Applicazione& w, const QString& name)
{
    for (const Toolbar1::ToolItem& item : toolbarOf(w).Items()) {
        if (item.action->objectName() == name)
            return item.action;
    }
    return nullptr;
}
