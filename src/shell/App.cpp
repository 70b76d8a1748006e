#include "shell/App.h"

#include "platform/DeferredRelease.h"
#include "platform/Services.h"
#include "platform/Uuid.h"
#include "shell/AboutDialog.h"
#include "shell/MenuBar1.h"
#include "shell/Pictures.h"
#include "shell/Toolbar1.h"
#include "shell/UpdateCheck.h"
#include "shell/WindowMenuItem.h"
#include "window/Applicazione.h"

#include <QApplication>
#include <QIcon>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWidget>

namespace {
// There is one application object at a time.
App* gApp = nullptr;
// How often a close or Quit that waits for an answer looks again.
constexpr int kRetryMilliseconds = 50;
}

App::App()
    : mMenuBar(std::make_unique<MenuBar1>())
{
    Q_ASSERT(!gApp);
    gApp = this;
    // Every window of the program shows its own icon.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/lumetra.svg")));
    Pictures::RegisterAll();
    connect(mMenuBar.get(), &MenuItem::chosen, this, &App::DispatchMenu);
    connect(mMenuBar.get(), &MenuItem::aboutToShow, this, &App::EnableMenuItems);
    _ApplicationAddMenuHandlers();
}

App::~App()
{
    // The windows closed last are freed here; the program's loop has returned.
    DeferredRelease::ReleaseAll();
    gApp = nullptr;
}

void App::_ApplicationAddMenuHandlers()
{
    mMenuHandlers[QStringLiteral("FileOpen")] = [this] { return _FileOpen_Action(); };
    mMenuHandlers[QStringLiteral("FileClose")] = [this] { return _FileClose_Action(); };
    mMenuHandlers[QStringLiteral("FileNew")] = [this] { return _FileNew_Action(); };
    mMenuHandlers[QStringLiteral("FileControllaaggiornamenti")] = [this] {
        return _FileControllaaggiornamenti_Action();
    };
    mMenuHandlers[QStringLiteral("FileInformazioniprogramma")] = [this] {
        return _FileInformazioniprogramma_Action();
    };
}

MenuItem& App::windowMenu() const
{
    return *mMenuBar->Child(QStringLiteral("WindowMenu"));
}

int App::WindowCount()
{
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isWindow() && w->isVisible() && !w->windowFlags().testFlag(Qt::ToolTip) &&
            w->windowType() != Qt::Popup)
            ++count;
    return count;
}

void App::EnableMenuItems()
{
    MenuItem* fileMenu = mMenuBar->Child(QStringLiteral("FileMenu"));
    MenuItem* close = fileMenu ? fileMenu->Child(QStringLiteral("FileClose")) : nullptr;
    if (close)
        close->setEnabled(WindowCount() > 0);
}

void App::OpenDocument(const QString& file)
{
    OpenNewWindow(file);
}

void App::NewDocument()
{
    OpenNewWindow();
}

bool App::_FileOpen_Action()
{
    const QString nul4(4, QChar(0));
    const FileType filter{QStringLiteral("tomtom/ov2"), nul4, nul4, QStringLiteral("ov2")};
    const QString file = Services::instance().GetOpenFolderItem(filter, mFront);
    if (!file.isEmpty())
        OpenNewWindow(file);
    return false;
}

bool App::_FileClose_Action()
{
    QWidget* front = QApplication::activeWindow();
    if (!front)
        front = mFront;
    if (front)
        CloseThisWindow(front);
    return false;
}

bool App::_FileNew_Action()
{
    OpenNewWindow();
    return false;
}

bool App::_FileControllaaggiornamenti_Action()
{
    ControllaAggiornamenti();
    return true;
}

bool App::_FileInformazioniprogramma_Action()
{
    ShowAbout();
    return true;
}

MenuItem& App::MenuBar() const
{
    return *mMenuBar;
}

Toolbar* App::NewToolbar(QWidget* parent)
{
    return new Toolbar1(parent);
}

void App::ShowAbout()
{
    AboutDialog::ShowModal();
}

Applicazione* App::OpenNewWindow(const QString& file)
{
    auto* w = new Applicazione(*this);
    if (!file.isEmpty())
        w->ApriOv2DaFile(file);
    auto entry = std::make_unique<WindowMenuItem>();
    entry->Constructor(w);
    entry->setText(w->NomeFinestra());
    windowMenu().Append(std::move(entry));
    mFront = w;
    return w;
}

int App::entryOf(const QWidget* w) const
{
    MenuItem& menu = windowMenu();
    const int n = menu.Count();
    for (int i = 0; i < n; ++i) {
        auto* entry = qobject_cast<WindowMenuItem*>(menu.Item(i));
        if (entry && entry->IsWindow(w))
            return i;
    }
    return -1;
}

void App::CloseThisWindow(QWidget* w)
{
    auto* document = qobject_cast<Applicazione*>(w);
    if (document && document->IsAsking()) {
        // Its question about unsaved changes is up: this close comes once it is answered.
        retryLater([this, window = QPointer<QWidget>(w)] {
            if (window)
                CloseThisWindow(window);
        });
        return;
    }
    if (entryOf(w) >= 0 && (!document || document->ConfirmDiscardChanges())) {
        // The Window menu may have changed while the question was up: the entry is looked
        // up again, and is gone when another road closed the window meanwhile.
        const int i = entryOf(w);
        if (i >= 0) {
            windowMenu().Remove(i);
            if (document) {
                // Menu commands no longer go to it, though it is freed only later.
                if (mFront == document)
                    mFront = nullptr;
                document->CloseNow();
                // Its own work may still be on the stack below: freed once that has returned.
                DeferredRelease::Release(document);
            } else {
                w->close();
            }
        }
    }
    if (windowMenu().Count() == 0)
        Services::instance().Quit(0);
}

void App::UpdateWindowTitle(QWidget* w, const QString& t)
{
    MenuItem& menu = windowMenu();
    const int n = menu.Count();
    for (int i = 0; i < n; ++i) {
        auto* entry = qobject_cast<WindowMenuItem*>(menu.Item(i));
        if (entry && entry->IsWindow(w)) {
            entry->setText(t);
            return;
        }
    }
}

void App::ControllaAggiornamenti()
{
    UpdateCheck::ControllaAggiornamenti();
}

QString App::GetUUID()
{
    return NewUuidText();
}

void App::Quit()
{
    if (mQuitting)
        return;  // a Quit asked for during a Quit is that Quit
    MenuItem& menu = windowMenu();
    if (menu.Count() == 0) {
        Services::instance().Quit(0);
        return;
    }
    const QScopedValueRollback quitting(mQuitting, true);
    // Windows that open meanwhile (handed over by a later start) are closed in turn too.
    while (menu.Count() > 0) {
        if (isAsking()) {
            // A question about unsaved changes is up: the Quit goes on once it is answered.
            retryLater([this] { Quit(); });
            return;
        }
        auto* entry = qobject_cast<WindowMenuItem*>(menu.Item(0));
        if (!entry)
            return;  // the Window menu holds only window entries
        QWidget* w = entry->window();
        CloseThisWindow(w);
        if (entryOf(w) >= 0)
            return;  // the user kept the window: the Quit ends here
    }
}

bool App::isAsking() const
{
    MenuItem& menu = windowMenu();
    for (int i = 0; i < menu.Count(); ++i) {
        auto* entry = qobject_cast<WindowMenuItem*>(menu.Item(i));
        auto* document = entry ? qobject_cast<Applicazione*>(entry->window()) : nullptr;
        if (document && document->IsAsking())
            return true;
    }
    return false;
}

void App::retryLater(std::function<void()> request)
{
    QTimer::singleShot(kRetryMilliseconds, this, std::move(request));
}

void App::setFrontWindow(Applicazione* w)
{
    mFront = w;
}

Applicazione* App::frontWindow() const
{
    return qobject_cast<Applicazione*>(mFront.data());
}

bool App::runHandler(const QString& name)
{
    const auto it = mMenuHandlers.find(name);
    return it != mMenuHandlers.end() && it->second();
}

void App::DispatchMenu(MenuItem* item)
{
    if (item->Action())
        return;
    if (item->kind() == MenuItem::Kind::QuitMenuItem) {
        Quit();
        return;
    }
    Applicazione* front = frontWindow();
    if (front && front->HandleMenu(item->Name()))
        return;
    runHandler(item->Name());
}

LOCALIZED_TEXT(App, kFileQuitShortcut, "Cmd+Q")
LOCALIZED_TEXT(App, kFileQuit, "&Quit")
LOCALIZED_TEXT(App, kEditClear, "&Delete")
LOCALIZED_TEXT(App, kEditUndo, "&Undo")
LOCALIZED_TEXT(App, kEditCut, "Cu&t")
LOCALIZED_TEXT(App, kEditCopy, "&Copy")
LOCALIZED_TEXT(App, kEditPaste, "&Paste")
LOCALIZED_TEXT(App, kEditSelectAll, "Select &All")
LOCALIZED_TEXT(App, kEdit, "&Edit")
LOCALIZED_TEXT(App, kWindow, "Window")
LOCALIZED_TEXT(App, kFile, "&File")
LOCALIZED_TEXT(App, kFileNew, "&New")
LOCALIZED_TEXT(App, kFileOpen, "&Open...")
LOCALIZED_TEXT(App, kFileImportCsv, "Import Csv...")
LOCALIZED_TEXT(App, kFileSave, "&Save")
LOCALIZED_TEXT(App, kFileSaveAs, "Save &As...")
LOCALIZED_TEXT(App, kFileClose, "&Close")
LOCALIZED_TEXT(App, kFileInfo, "Info...")
LOCALIZED_TEXT(App, kFileUpdates, "Check updates...")
LOCALIZED_TEXT(App, lkUpdates1, "")
LOCALIZED_TEXT(App, lkUpdates2, "")
LOCALIZED_TEXT(App, lkUpdates3, "")
LOCALIZED_TEXT(App, lkUpdates4, "")
LOCALIZED_TEXT(App, lkUpdatesError1, "")
LOCALIZED_TEXT(App, kFileImport, "&Import...")
LOCALIZED_TEXT(App, kFileClean, "")
LOCALIZED_TEXT(App, kFileExportCsv, "")
LOCALIZED_TEXT(App, kFileDonate, "")
LOCALIZED_TEXT(App, kFileUpdates1, "")
LOCALIZED_TEXT(App, kEditFind, "")
LOCALIZED_TEXT(App, kEditDuplicates, "")
LOCALIZED_TEXT(App, kEditMarkItems, "")
LOCALIZED_TEXT(App, kEditRemoveSelected, "")
LOCALIZED_TEXT(App, kEditShowMarked, "")
LOCALIZED_TEXT(App, kEditOrdinaMarked, "")
LOCALIZED_TEXT(App, kEditFindReplace, "")
LOCALIZED_TEXT(App, kFileExportKml, "")
