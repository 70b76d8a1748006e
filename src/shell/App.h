#pragma once

#include "platform/Localized.h"
#include "window/WindowHost.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>

class Applicazione;
class MenuBar1;
class MenuItem;
class QWidget;

// The one application object: opens and closes document windows, keeps the Window menu,
// runs the application-level File commands and hands out row identifiers.
class App final : public QObject, public WindowHost {
    Q_OBJECT
public:
    App();
    ~App() override;

    // Application events.
    void EnableMenuItems();
    void OpenDocument(const QString& file);
    void NewDocument();

    // File-menu handlers bound by item name.
    bool _FileOpen_Action();
    bool _FileClose_Action();
    bool _FileNew_Action();
    bool _FileControllaaggiornamenti_Action();
    bool _FileInformazioniprogramma_Action();

    MenuItem& MenuBar() const override;
    Toolbar* NewToolbar(QWidget* parent) override;
    void ShowAbout() override;

    void CloseThisWindow(QWidget* w) override;
    Applicazione* OpenNewWindow(const QString& file = QString());
    void ControllaAggiornamenti() override;
    void UpdateWindowTitle(QWidget* w, const QString& t) override;
    static QString GetUUID();

    // Quit: asks each modified document in turn and closes it; ends when the user keeps one.
    void Quit();

    // Runs a chosen menu item: the item's own action, then the frontmost document
    // window's handler, then the application's.
    void DispatchMenu(MenuItem* item);
    // The document window that menu commands go to; follows window activation.
    void setFrontWindow(Applicazione* w) override;
    Applicazione* frontWindow() const;

    // Every open top-level window of any class.
    static int WindowCount();

    LOCALIZED_TEXT_DECL(kFileQuitShortcut);
    LOCALIZED_TEXT_DECL(kFileQuit);
    LOCALIZED_TEXT_DECL(kEditClear);
    LOCALIZED_TEXT_DECL(kEditUndo);
    LOCALIZED_TEXT_DECL(kEditCut);
    LOCALIZED_TEXT_DECL(kEditCopy);
    LOCALIZED_TEXT_DECL(kEditPaste);
    LOCALIZED_TEXT_DECL(kEditSelectAll);
    LOCALIZED_TEXT_DECL(kEdit);
    LOCALIZED_TEXT_DECL(kWindow);
    LOCALIZED_TEXT_DECL(kFile);
    LOCALIZED_TEXT_DECL(kFileNew);
    LOCALIZED_TEXT_DECL(kFileOpen);
    LOCALIZED_TEXT_DECL(kFileImportCsv);
    LOCALIZED_TEXT_DECL(kFileSave);
    LOCALIZED_TEXT_DECL(kFileSaveAs);
    LOCALIZED_TEXT_DECL(kFileClose);
    LOCALIZED_TEXT_DECL(kFileInfo);
    LOCALIZED_TEXT_DECL(kFileUpdates);
    LOCALIZED_TEXT_DECL(lkUpdates1);
    LOCALIZED_TEXT_DECL(lkUpdates2);
    LOCALIZED_TEXT_DECL(lkUpdates3);
    LOCALIZED_TEXT_DECL(lkUpdates4);
    LOCALIZED_TEXT_DECL(lkUpdatesError1);
    LOCALIZED_TEXT_DECL(kFileImport);
    LOCALIZED_TEXT_DECL(kFileClean);
    LOCALIZED_TEXT_DECL(kFileExportCsv);
    LOCALIZED_TEXT_DECL(kFileDonate);
    LOCALIZED_TEXT_DECL(kFileUpdates1);
    LOCALIZED_TEXT_DECL(kEditFind);
    LOCALIZED_TEXT_DECL(kEditDuplicates);
    LOCALIZED_TEXT_DECL(kEditMarkItems);
    LOCALIZED_TEXT_DECL(kEditRemoveSelected);
    LOCALIZED_TEXT_DECL(kEditShowMarked);
    LOCALIZED_TEXT_DECL(kEditOrdinaMarked);
    LOCALIZED_TEXT_DECL(kEditFindReplace);
    LOCALIZED_TEXT_DECL(kFileExportKml);

private:
    void _ApplicationAddMenuHandlers();
    MenuItem& windowMenu() const;
    bool runHandler(const QString& name);
    // The index of w's entry in the Window menu; -1 when it has none.
    int entryOf(const QWidget* w) const;
    // Whether a document's question about unsaved changes is up.
    bool isAsking() const;
    // A close or Quit asked for while such a question is up is made again a little later.
    void retryLater(std::function<void()> request);

    std::unique_ptr<MenuBar1> mMenuBar;
    std::map<QString, std::function<bool()>> mMenuHandlers;
    QPointer<QWidget> mFront;
    bool mQuitting = false;
};
