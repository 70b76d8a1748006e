#pragma once

#include "shell/App.h"
#include "shell/Toolbar1.h"
#include "support/FakeServices.h"

class Applicazione;
class QAction;

// The document toolbar the application gave the window.
Toolbar1& toolbarOf(Applicazione& w);
// The toolbar's item of that name; none when there is no such item.
QAction* toolItemOf(Applicazione& w, const QString& name);

// The application object over scripted services, as a test's ground: document windows
// opened through it are closed, without questions, when the fixture goes.
struct AppFixture {
    FakeServices services;
    App app;

    AppFixture();
    ~AppFixture();

    // A new untitled document window, as File > New makes it.
    Applicazione* newWindow();
    // The texts of the Window menu's entries, in order.
    QStringList windowMenuTexts() const;
};
