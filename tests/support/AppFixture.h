#pragma once

#include "shell/App.h"
#include "shell/Toolbar1.h"
#include "support/FakeServices.h"

class Applicazione;

// The document toolbar the application gave the window.
Toolbar1& toolbarOf(Applicazione& w);

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
