#pragma once

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
class PoiRows;
class QLabel;
class QProgressBar;
class Splitview;
class Toolbar;
class WindowCommands;
class WindowHost;

// The window of one POI document: its list of POI rows beside the map, the entry row,
// the toolbar, the document's file and its modified flag. The operations on rows, files
// and the map live in their own classes; the window owns them and forwards to them.
class Applicazione final : public QMainWindow {
    Q_OBJECT
public:
    // app: the application object that opens the window and keeps the window list.
    explicit Applicazione(WindowHost& app);
    ~Applicazione() override;

    // Controls, in creation order.
    Toolbar* Toolbar11 = nullptr;
    Splitview* Splitview1 = nullptr;
    HTMLViewer* web1 = nullptr;
    Listbox* ListBox1 = nullptr;
    EditField* EditFieldNome = nullptr;
    EditField* EditFieldLatitudine = nullptr;
    EditField* EditFieldLongitudine = nullptr;
    BevelButton* buttonAggiungi = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* StaticText3 = nullptr;
    QLabel* LabelSelezionati = nullptr;
    BevelButton* buttonCercaIndirizzo = nullptr;
    BevelButton* buttonMostraDpiVicino = nullptr;
    QLabel* LabelCharLeft = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    BevelButton* ButtonNessuno = nullptr;
    BevelButton* ButtonTutti = nullptr;
    BevelButton* ButtonElimina = nullptr;
    BevelButton* buttonMostraDpiMappa = nullptr;
    BevelButton* buttonRicaricaMappa = nullptr;
    BevelButton* ButtonTutti1 = nullptr;

    // Properties.
    QString FileOv2Aperto;  // the document's file; empty while untitled
    int ColonnaSelezionata = 0;
    bool disableClickPoi = false;
    bool Modificato = false;
    int RigaSelezionata = 0;

    // The document's own behaviour.
    void Event_Open();
    void Event_Close();
    void AggiornaTitolo();
    QString NomeFinestra() const;
    void SvuotaElenco();

    // Before the document's changes would be lost: asks whether to save them.
    // False when the user cancelled, or a save he asked for did not happen.
    bool ConfirmDiscardChanges();
    // Closes the window for good (its Window-menu entry is already gone).
    void CloseNow();

    // Menu commands the window handles, bound by item name.
    void AddMenuHandler(const QString& itemName, std::function<bool()> handler);
    bool HandleMenu(const QString& itemName);

    // The operation classes.
    PoiRows& Rows() { return *mRows; }
    Ov2Files& Ov2() { return *mOv2; }
    CsvFiles& Csv() { return *mCsv; }
    KmlExport& Kml() { return *mKml; }
    MapBridge& Map() { return *mMap; }
    MapMarkers& Markers() { return *mMarkers; }
    PhoneLookup& Phone() { return *mPhone; }
    EntryRow& Entry() { return *mEntry; }
    WindowHost& Host() { return mApp; }

    // POI rows.
    void InizializzaTabella();
    void AggiungiPdiAllaLista(const QString& descrizione, const QString& latitudine, const QString& longitudine,
                              const QString& mod);
    void EliminaPdiDallaLista();
    void EliminaPdiSelezionatoDallaLista();
    void AggiornaNumeroPdiSelezionati();
    void CancellaTuttiPdi();
    void AggiornaIconaTelefono(const QString& descrizione, int row);
    void OrdinaPrimaMarcati(Listbox& list);
    static QString GeoFormatter(double value);
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
    void GMapMessaggio(const QString& text);
    void GMapCambiaCoordinate(const QString& text);
    void GMapLeggiCoordinate(const QString& text);
    void GMapSelezionaPoi(const QString& text);
    void CaricaPdiMappa();
    void SvuotaPdiMappa();
    void MostraPdiNelRaggio(double latitude, double longitude, double radius);
    void MostraPdiVicino();
    void CercaNumeroTelefono(const QString& number);
    // The entry row.
    void AggiungiPdiManuale();
    void MostraLunghezzaTitolo();

    LOCALIZED_TEXT_DECL(lkAddPoi);
    LOCALIZED_TEXT_DECL(lkDescription);
    LOCALIZED_TEXT_DECL(lkMarked);
    LOCALIZED_TEXT_DECL(lkColDescription);
    LOCALIZED_TEXT_DECL(lkColLatitude);
    LOCALIZED_TEXT_DECL(lkColLongitude);
    LOCALIZED_TEXT_DECL(kNewFileName);
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
    // Messages of failed file operations.
    LOCALIZED_TEXT_DECL(lkReadError);
    LOCALIZED_TEXT_DECL(lkWriteError);
    LOCALIZED_TEXT_DECL(lkLatin1Replaced);
    // Said when a telephone lookup has no directory to ask.
    LOCALIZED_TEXT_DECL(lkNoDirectory);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Layout();
    void _CreateControls0();
    bool Splitview1_CanCollapseSubview(QWidget* subview);
    bool Splitview1_MinSizeOfSubview(QWidget* subview, int& minSize);
    void Splitview1_Open();

    WindowHost& mApp;
    std::map<QString, std::function<bool()>> mMenuHandlers;
    bool mClosing = false;
    bool mInCloseEvent = false;

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
