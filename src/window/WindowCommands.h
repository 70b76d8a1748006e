#pragma once

#include <QObject>
#include <QString>

class Applicazione;
class QAction;

// The document window's commands: the toolbar's clicks, dispatched by item name, and the
// menu items the window binds by name. Each menu handler answers whether it consumed
// the command.
class WindowCommands {
public:
    // Binds the toolbar's clicks and the menu handlers.
    explicit WindowCommands(Applicazione& window);

    void Toolbar11_Action(QAction* item);

    bool _FileSave_Action();
    bool _FileSaveAs_Action();
    bool _FileImportCsv_Action();
    bool _EditFind_Action();
    bool _EditMarkItems_Action();
    bool _EditShowMarked_Action();
    bool _EditOrdinaMarked_Action();
    bool _EditRemoveSelected_Action();

private:
    void AddMenuHandlers();
    void save();
    void openSearch();
    void openDuplicates();
    void openDonationPage();
    void markModified();

    Applicazione& w;
    // The context of every handler this binds: declared last, so it goes first and no
    // handler outlives this object.
    QObject mGuard;
};
