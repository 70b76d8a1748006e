#pragma once

class EditField;
class HTMLViewer;
class Listbox;
class QProgressBar;

// What the map code uses of the window it serves: the map view, the list of POI rows,
// the progress bar, the entry row and the document's modified flag.
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

protected:
    ~MapHost() = default;
};
