#pragma once

#include <QString>

class Applicazione;
class MenuItem;
class QWidget;
class Toolbar;

// What a document window asks of the application object. The application implements it
// and hands itself to every window it opens.
class WindowHost {
public:
    // The menu bar every window shows.
    virtual MenuItem& MenuBar() const = 0;
    // A new document toolbar with its items, owned by parent.
    virtual Toolbar* NewToolbar(QWidget* parent) = 0;

    // The window list.
    virtual void UpdateWindowTitle(QWidget* w, const QString& t) = 0;
    virtual void CloseThisWindow(QWidget* w) = 0;
    // The document window that menu commands go to; follows window activation.
    virtual void setFrontWindow(Applicazione* w) = 0;

    virtual void ControllaAggiornamenti() = 0;
    // The about box, modal.
    virtual void ShowAbout() = 0;

    // The application's texts a window shows when it asks before changes are lost.
    static QString lkCancel();
    static QString lkSaveChangesMessage();
    static QString lkSaveChangesExplanation();
    static QString lkSave();
    static QString lkDontSave();

protected:
    ~WindowHost() = default;
};
