#pragma once

#include "platform/HTMLViewer.h"

#include <QApplication>
#include <QTest>

// The main of a test that opens windows: the map page's address schemes are registered
// before the application object exists, as the program does it.
#define LUMETRA_TEST_MAIN(TestClass)                \
    int main(int argc, char** argv)                 \
    {                                               \
        HTMLViewer::RegisterSchemes();              \
        QApplication app(argc, argv);               \
        TestClass test;                             \
        return QTest::qExec(&test, argc, argv);     \
    }
