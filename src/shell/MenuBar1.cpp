#include "shell/MenuBar1.h"

#include "shell/App.h"

namespace {
const char* const kNoShortcut = nullptr;  // separators get no shortcut at all
}

MenuBar1::MenuBar1()
{
    Untitled0();
    Untitled1();
    Untitled2();
}

void MenuBar1::addMenu(const QString& name, const QString& text)
{
    auto menu = std::make_unique<MenuItem>();
    menu->setName(name);
    menu->setAutoEnable(true);
    menu->setText(text);
    menu->setKeyboardShortcut(QString());
    Append(std::move(menu));
}

void MenuBar1::addItem(const QString& menu, const QString& name, const QString& text, const char* shortcut,
                       Kind kind)
{
    auto item = std::make_unique<MenuItem>(kind);
    item->setName(name);
    item->setAutoEnable(true);
    item->setText(text);
    if (shortcut)
        item->setKeyboardShortcut(QString::fromLatin1(shortcut));
    Child(menu)->Append(std::move(item));
}

void MenuBar1::Untitled0()
{
    const QString m = QStringLiteral("FileMenu");
    addMenu(m, App::kFile());
    addItem(m, QStringLiteral("FileNew"), App::kFileNew(), "Cmd+N");
    addItem(m, QStringLiteral("FileOpen"), App::kFileOpen(), "Cmd+O");
    addItem(m, QStringLiteral("UntitledSeparator2"), QStringLiteral("-"), kNoShortcut);
    addItem(m, QStringLiteral("FileImportCsv"), App::kFileImportCsv(), "");
    addItem(m, QStringLiteral("UntitledSeparator0"), QStringLiteral("-"), kNoShortcut);
    addItem(m, QStringLiteral("FileSave"), App::kFileSave(), "Cmd+S");
    addItem(m, QStringLiteral("FileSaveAs"), App::kFileSaveAs(), "Cmd+Shift+S");
    addItem(m, QStringLiteral("UntitledSeparator1"), QStringLiteral("-"), kNoShortcut);
    addItem(m, QStringLiteral("FileClose"), App::kFileClose(), "Cmd+W");
    addItem(m, QStringLiteral("FileInformazioniprogramma"), App::kFileInfo(), "", Kind::AppleMenuItem);
    addItem(m, QStringLiteral("FileControllaaggiornamenti"), App::kFileUpdates(), "", Kind::AppleMenuItem);
    addItem(m, QStringLiteral("UntitledSeparator"), QStringLiteral("-"), kNoShortcut);
    addItem(m, QStringLiteral("FileQuit"), App::kFileQuit(), kNoShortcut, Kind::QuitMenuItem);
    const QString quitShortcut = App::kFileQuitShortcut();
    if (!quitShortcut.isEmpty())
        Child(m)->Child(QStringLiteral("FileQuit"))->setKeyboardShortcut(quitShortcut);
}

void MenuBar1::Untitled1()
{
    const QString m = QStringLiteral("EditMenu");
    addMenu(m, App::kEdit());
    addItem(m, QStringLiteral("EditUndo"), App::kEditUndo(), "Cmd+Z");
    addItem(m, QStringLiteral("UntitledMenu1"), QStringLiteral("-"), kNoShortcut);
    addItem(m, QStringLiteral("EditCut"), App::kEditCut(), "Cmd+X");
    addItem(m, QStringLiteral("EditCopy"), App::kEditCopy(), "Cmd+C");
    addItem(m, QStringLiteral("EditPaste"), App::kEditPaste(), "Cmd+V");
    addItem(m, QStringLiteral("EditClear"), App::kEditClear(), "");
    addItem(m, QStringLiteral("UntitledMenu0"), QStringLiteral("-"), kNoShortcut);
    addItem(m, QStringLiteral("EditSelectAll"), App::kEditSelectAll(), "Cmd+A");
    addItem(m, QStringLiteral("UntitledSeparator4"), QStringLiteral("-"), kNoShortcut);
    addItem(m, QStringLiteral("EditMarkItems"), App::kEditMarkItems(), "Cmd+M");
    addItem(m, QStringLiteral("EditRemoveSelected"), App::kEditRemoveSelected(), "Cmd+R");
    addItem(m, QStringLiteral("UntitledSeparator5"), QStringLiteral("-"), kNoShortcut);
    addItem(m, QStringLiteral("EditShowMarked"), App::kEditShowMarked(), "Cmd+G");
    addItem(m, QStringLiteral("EditOrdinaMarked"), App::kEditOrdinaMarked(), "Cmd+D");
    addItem(m, QStringLiteral("UntitledSeparator3"), QStringLiteral("-"), kNoShortcut);
    addItem(m, QStringLiteral("EditFind"), App::kEditFindReplace(), "Cmd+F");
}

void MenuBar1::Untitled2()
{
    addMenu(QStringLiteral("WindowMenu"), App::kWindow());
}
