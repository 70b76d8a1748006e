#pragma once

#include "map/MapHost.h"
#include "platform/Localized.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <map>
#include <memory>

class BevelButton;
class CsvFiles;
class EditField;
class EntryRow;
class HTMLViewer;
class KmlExport;
class ListContextMenu;
class ListEvents;
class Listbox;
class MapBridge;
class MapMarkers;
class Ov2Files;
class PhoneLookup;
class PoiDocument;
class PoiRows;
class QLabel;
class QProgressBar;
class Splitview;
class Toolbar;
class WindowCommands;
class WindowHost;

// The window of one POI document: the document's list of POI rows beside the map, the
// entry row and the toolbar. The document and the operations on rows, files and the map
// live in their own classes; the window owns them and forwards to them.
class Applicazione final : public QMainWindow, public MapHost {
    Q_OBJECT
public:
    // app: the application object that opens the window and keeps the window list.
    explicit Applicazione(WindowHost& app);
    ~Applicazione() override;

    // Controls, in creation order.
    Toolbar* Toolbar11() const { return mToolbar11; }
    Splitview* Splitview1() const { return mSplitview1; }
    HTMLViewer* web1() const override { return mWeb1; }
    Listbox* ListBox1() const override { return mListBox1; }
    EditField* EditFieldNome() const override { return mEditFieldNome; }
    EditField* EditFieldLatitudine() const override { return mEditFieldLatitudine; }
    EditField* EditFieldLongitudine() const override { return mEditFieldLongitudine; }
    BevelButton* buttonAggiungi() const { return mButtonAggiungi; }
    QLabel* StaticText1() const { return mStaticText1; }
    QLabel* StaticText2() const { return mStaticText2; }
    QLabel* StaticText3() const { return mStaticText3; }
    QLabel* LabelSelezionati() const { return mLabelSelezionati; }
    BevelButton* buttonCercaIndirizzo() const { return mButtonCercaIndirizzo; }
    BevelButton* buttonMostraDpiVicino() const { return mButtonMostraDpiVicino; }
    QLabel* LabelCharLeft() const { return mLabelCharLeft; }
    QProgressBar* ProgressBar1() const override { return mProgressBar1; }
    BevelButton* ButtonNessuno() const { return mButtonNessuno; }
    BevelButton* ButtonTutti() const { return mButtonTutti; }
    BevelButton* ButtonElimina() const { return mButtonElimina; }
    BevelButton* buttonMostraDpiMappa() const { return mButtonMostraDpiMappa; }
    BevelButton* buttonRicaricaMappa() const { return mButtonRicaricaMappa; }
    BevelButton* ButtonTutti1() const { return mButtonTutti1; }

    // The document: its rows, its file and its modified flag.
    PoiDocument& Document() { return *mDocument; }
    const QString& FileOv2Aperto() const;
    bool Modificato() const;
    // Sets the flag; the title and the Window menu follow.
    void setModificato(bool modified) override;
    // Properties.
    int ColonnaSelezionata() const { return mColonnaSelezionata; }
    void setColonnaSelezionata(int column) { mColonnaSelezionata = column; }
    bool disableClickPoi() const { return mDisableClickPoi; }
    void setDisableClickPoi(bool disabled) override { mDisableClickPoi = disabled; }
    int RigaSelezionata() const { return mRigaSelezionata; }
    void setRigaSelezionata(int row) { mRigaSelezionata = row; }

    // The document's own behaviour.
    void Event_Open();
    void Event_Close();
    void AggiornaTitolo();
    QString NomeFinestra() const;
    void SvuotaElenco();

    // Before the document's changes would be lost: asks whether to save them.
    // False when the user cancelled, or a save he asked for did not happen.
    bool ConfirmDiscardChanges();
    // Whether that question, or the save it leads to, is under way.
    bool IsAsking() const { return mAsking; }
    // Closes the window for good (its Window-menu entry is already gone): hides it and ends
    // its dialogs and menus, so that work of its own under way sees it closing and stops.
    // The window itself is freed later, by whoever closed it, once that work has returned.
    void CloseNow();
    bool IsClosing() const override { return mClosing; }

    // Menu commands the window handles, bound by item name.
    void AddMenuHandler(const QString& itemName, std::function<bool()> handler);
    bool HandleMenu(const QString& itemName);

    // The operation classes.
    PoiRows& Rows() { return *mRows; }
    MapBridge& Map() { return *mMap; }
    MapMarkers& Markers() { return *mMarkers; }
    EntryRow& Entry() { return *mEntry; }
    WindowHost& Host() { return mApp; }

    // POI rows.
    void InizializzaTabella();
    void AggiungiPdiAllaLista(const QString& descrizione, const QString& latitudine, const QString& longitudine,
                              const QString& mod);
    void EliminaPdiDallaLista();
    void EliminaPdiSelezionatoDallaLista();
    void AggiornaNumeroPdiSelezionati() override;
    void CancellaTuttiPdi();
    void AggiornaIconaTelefono(const QString& descrizione, int row);
    void OrdinaPrimaMarcati(Listbox& list);
    // OV2, CSV and KML files.
    void ApriOv2();
    void ImportaOv2();
    void ApriOv2DaFile(const QString& file);
    void SalvaOv2();
    void SalvaOv2ConNome();
    void SalvaCsv();
    bool _FileImportCsv_Action();
    void SalvaKml();
    // The map.
    void InizializzaMappa();
    void CaricaPdiMappa();
    void SvuotaPdiMappa();
    void MostraPdiNelRaggio(double latitude, double longitude, double radius);
    void MostraPdiVicino();
    void CercaNumeroTelefono(const QString& number);

    LOCALIZED_TEXT_DECL(lkAddPoi);
    LOCALIZED_TEXT_DECL(lkDescription);
    LOCALIZED_TEXT_DECL(lkMarked);
    LOCALIZED_TEXT_DECL(kMenu_CopyDescription);
    LOCALIZED_TEXT_DECL(kMenu_TitleCase);
    LOCALIZED_TEXT_DECL(kMenu_Upparcase);
    LOCALIZED_TEXT_DECL(kMenu_Lowercase);
    LOCALIZED_TEXT_DECL(kMenu_SendTomTom);
    LOCALIZED_TEXT_DECL(kMenu_Rangekm);
    LOCALIZED_TEXT_DECL(kMenu_Delete);
    LOCALIZED_TEXT_DECL(kbl_reloadmap);
    LOCALIZED_TEXT_DECL(kbl_findmap);
    LOCALIZED_TEXT_DECL(kbl_showmap);
    LOCALIZED_TEXT_DECL(kbl_markall);
    LOCALIZED_TEXT_DECL(kbl_marknone);
    LOCALIZED_TEXT_DECL(kbl_markinverse);
    LOCALIZED_TEXT_DECL(kbl_delete);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Layout();
    void _CreateControls0();
    void fitContentArea();
    bool Splitview1_CanCollapseSubview(QWidget* subview);
    bool Splitview1_MinSizeOfSubview(QWidget* subview, int& minSize);
    void Splitview1_Open();
    // Shows the document's marked and total rows below the list.
    void showMarkedCount();
    bool isOwnWidget(const QWidget* widget) const;

    // Made before the controls, as the list shows its rows; a child of the window only
    // once they exist, so that it goes after them.
    PoiDocument* mDocument = nullptr;
    Toolbar* mToolbar11 = nullptr;
    Splitview* mSplitview1 = nullptr;
    HTMLViewer* mWeb1 = nullptr;
    Listbox* mListBox1 = nullptr;
    EditField* mEditFieldNome = nullptr;
    EditField* mEditFieldLatitudine = nullptr;
    EditField* mEditFieldLongitudine = nullptr;
    BevelButton* mButtonAggiungi = nullptr;
    QLabel* mStaticText1 = nullptr;
    QLabel* mStaticText2 = nullptr;
    QLabel* mStaticText3 = nullptr;
    QLabel* mLabelSelezionati = nullptr;
    BevelButton* mButtonCercaIndirizzo = nullptr;
    BevelButton* mButtonMostraDpiVicino = nullptr;
    QLabel* mLabelCharLeft = nullptr;
    QProgressBar* mProgressBar1 = nullptr;
    BevelButton* mButtonNessuno = nullptr;
    BevelButton* mButtonTutti = nullptr;
    BevelButton* mButtonElimina = nullptr;
    BevelButton* mButtonMostraDpiMappa = nullptr;
    BevelButton* mButtonRicaricaMappa = nullptr;
    BevelButton* mButtonTutti1 = nullptr;
    int mColonnaSelezionata = 0;
    bool mDisableClickPoi = false;
    int mRigaSelezionata = 0;

    WindowHost& mApp;
    std::map<QString, std::function<bool()>> mMenuHandlers;
    bool mClosing = false;
    bool mInCloseEvent = false;
    bool mAsking = false;

    std::unique_ptr<PoiRows> mRows;
    std::unique_ptr<Ov2Files> mOv2;
    std::unique_ptr<CsvFiles> mCsv;
    std::unique_ptr<KmlExport> mKml;
    std::unique_ptr<MapBridge> mMap;
    std::unique_ptr<MapMarkers> mMarkers;
    std::unique_ptr<PhoneLookup> mPhone;
    std::unique_ptr<EntryRow> mEntry;
    std::unique_ptr<ListEvents> mListEvents;
    std::unique_ptr<ListContextMenu> mContextMenu;
    std::unique_ptr<WindowCommands> mCommands;
};
