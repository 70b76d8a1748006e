#pragma once

class EditField;
class HTMLViewer;
class Listbox;
class QProgressBar;

// What the map code uses of the window it serves: the map view, the list of POI rows,
// the progress bar, the entry row, the document's modified flag and whether it is closing.
class MapHost {
public:
    virtual HTMLViewer* web1() const = 0;
    virtual Listbox* ListBox1() const = 0;
    virtual QProgressBar* ProgressBar1() const = 0;
    virtual EditField* EditFieldNome() const = 0;
    virtual EditField* EditFieldLatitudine() const = 0;
    virtual EditField* EditFieldLongitudine() const = 0;
    // While set, selecting a row does not show it on the map.
    virtual void setDisableClickPoi(bool disabled) = 0;
    virtual void setModificato(bool modified) = 0;
    virtual void AggiornaNumeroPdiSelezionati() = 0;
    // Set once the window has been closed: work that handed control to the event loop
    // stops when it gets it back, touching nothing more.
    virtual bool IsClosing() const = 0;

protected:
    ~MapHost() = default;
};
