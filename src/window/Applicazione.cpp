#include "window/Applicazione.h"

#include "map/MapBridge.h"
#include "map/MapMarkers.h"
#include "map/PhoneLookup.h"
#include "platform/BevelButton.h"
#include "platform/EditField.h"
#include "platform/HTMLViewer.h"
#include "platform/Listbox.h"
#include "platform/LockLayout.h"
#include "platform/MenuItem.h"
#include "platform/PictureSource.h"
#include "platform/Services.h"
#include "platform/Toolbar.h"
#include "poi/CsvFiles.h"
#include "poi/KmlExport.h"
#include "poi/Ov2Files.h"
#include "poi/PoiRows.h"
#include "splitview/Splitview.h"
#include "window/EntryRow.h"
#include "window/ListContextMenu.h"
#include "window/ListEvents.h"
#include "window/WindowCommands.h"
#include "window/WindowHost.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>

namespace {

constexpr int L = LockLayout::Left;
constexpr int T = LockLayout::Top;
constexpr int R = LockLayout::Right;
constexpr int B = LockLayout::Bottom;

// Sizes are the layout's points at 72 per inch: one pixel each.
QLabel* makeLabel(QWidget* parent, const QString& text, int size, bool bold)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(size);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

BevelButton* makePictureButton(QWidget* parent, const QString& helpTag, const QPixmap& picture)
{
    auto* button = new BevelButton(parent);
    button->setToolTip(helpTag);
    button->setIcon(QIcon(picture));
    button->setIconSize(QSize(20, 20));
    return button;
}

}  // namespace

Applicazione::Applicazione(WindowHost& app)
    : mApp(app)
{
    setAttribute(Qt::WA_DeleteOnClose);
    Layout();
    _CreateControls0();

    mRows = std::make_unique<PoiRows>(*this);
    mOv2 = std::make_unique<Ov2Files>(*this);
    mCsv = std::make_unique<CsvFiles>(*this);
    mKml = std::make_unique<KmlExport>(*this);
    mMap = std::make_unique<MapBridge>(*this);
    mMarkers = std::make_unique<MapMarkers>(*this);
    mPhone = std::make_unique<PhoneLookup>(*this);
    mEntry = std::make_unique<EntryRow>(*this);
    mListEvents = std::make_unique<ListEvents>(*this);
    mContextMenu = std::make_unique<ListContextMenu>(*this);
    mCommands = std::make_unique<WindowCommands>(*this);

    Splitview1->Open();
    show();
    Event_Open();
}

Applicazione::~Applicazione() = default;

void Applicazione::Layout()
{
    auto* bar = new QMenuBar(this);
    MenuItem& menus = mApp.MenuBar();
    for (int i = 0; i < menus.Count(); ++i)
        bar->addMenu(menus.Item(i)->menu());
    setMenuBar(bar);

    auto* content = new QWidget(this);
    content->setMinimumSize(800, 500);
    content->setMaximumSize(32000, 32000);
    setCentralWidget(content);
    resize(996, 667);
}

void Applicazione::_CreateControls0()
{
    QWidget* content = centralWidget();
    auto* locks = new LockLayout(content, QSize(996, 667));

    Toolbar11 = mApp.NewToolbar(this);
    Toolbar11->setObjectName(QStringLiteral("Toolbar11"));
    addToolBar(Qt::TopToolBarArea, Toolbar11);

    Splitview1 = new Splitview(content);
    Splitview1->setObjectName(QStringLiteral("Splitview1"));
    locks->add(Splitview1, QRect(9, 78, 976, 556), L | T | R | B);
    Splitview1->Open_.connect(this, [this] { Splitview1_Open(); });
    Splitview1->CanCollapseSubview.connect(this, [this](QWidget* v) { return Splitview1_CanCollapseSubview(v); });
    Splitview1->MinSizeOfSubview.connect(
        this, [this](QWidget* v, int& m) { return Splitview1_MinSizeOfSubview(v, m); });

    // The panes stand in the split view's own coordinates.
    web1 = new HTMLViewer(Splitview1);
    web1->setObjectName(QStringLiteral("web1"));
    web1->setGeometry(0, 0, 403, 556);
    // The standard Edit commands act on the map, or on the entry field that has the focus.
    using FieldAction = std::function<void(QLineEdit&)>;
    using MapAction = std::function<void(HTMLViewer&)>;
    const auto editCommand = [this](const char* name, FieldAction field, MapAction map) {
        AddMenuHandler(QLatin1String(name), [this, field, map] {
            if (auto* edit = qobject_cast<QLineEdit*>(focusWidget()))
                field(*edit);
            else
                map(*web1);
            return true;
        });
    };
    editCommand("EditCopy", &QLineEdit::copy, &HTMLViewer::Copy);
    editCommand("EditPaste", &QLineEdit::paste, &HTMLViewer::Paste);
    editCommand("EditSelectAll", &QLineEdit::selectAll, &HTMLViewer::SelectAll);
    editCommand("EditCut", &QLineEdit::cut, &HTMLViewer::Cut);
    editCommand("EditClear", &QLineEdit::del, &HTMLViewer::Clear);

    ListBox1 = new Listbox(Splitview1);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(415, 0, 560, 556);
    ListBox1->setColumnCount(6);
    ListBox1->setColumnWidths(QStringLiteral("60%,20%,20%"));
    ListBox1->setHasHeading(true);

    EditFieldNome = new EditField(content);
    locks->add(EditFieldNome, QRect(9, 24, 540, 22), L | R);
    EditFieldLatitudine = new EditField(content);
    EditFieldLatitudine->setAlignment(Qt::AlignRight);
    locks->add(EditFieldLatitudine, QRect(597, 24, 120, 22), R);
    EditFieldLongitudine = new EditField(content);
    EditFieldLongitudine->setAlignment(Qt::AlignRight);
    locks->add(EditFieldLongitudine, QRect(727, 24, 126, 22), R);

    buttonAggiungi = new BevelButton(content);
    buttonAggiungi->setText(lkAddPoi());
    locks->add(buttonAggiungi, QRect(900, 22, 84, 24), R);

    StaticText1 = makeLabel(content, lkDescription(), 10, true);
    locks->add(StaticText1, QRect(9, 2, 67, 20), 0);
    StaticText2 = makeLabel(content, QStringLiteral("Lat. (es.: 43.12345)"), 10, true);
    locks->add(StaticText2, QRect(597, 2, 105, 20), R);
    StaticText3 = makeLabel(content, QStringLiteral("Long. (es.: 10.12345)"), 10, true);
    locks->add(StaticText3, QRect(727, 1, 109, 20), R);
    LabelSelezionati = makeLabel(content, QString(), 10, true);
    locks->add(LabelSelezionati, QRect(9, 646, 146, 12), B);

    buttonCercaIndirizzo
        = makePictureButton(content, kbl_findmap(), PictureSource::Picture(QStringLiteral("search_map")));
    locks->add(buttonCercaIndirizzo, QRect(561, 23, 24, 24), R);
    buttonMostraDpiVicino
        = makePictureButton(content, kbl_showmap(), PictureSource::Picture(QStringLiteral("google_maps")));
    locks->add(buttonMostraDpiVicino, QRect(864, 22, 24, 24), R);

    LabelCharLeft = makeLabel(content, QStringLiteral("(57)"), 10, false);
    LabelCharLeft->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    locks->add(LabelCharLeft, QRect(72, 2, 27, 20), 0);

    ProgressBar1 = new QProgressBar(content);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
    locks->add(ProgressBar1, QRect(9, 646, 975, 7), L | R | B);

    ButtonNessuno = makePictureButton(content, kbl_marknone(), PictureSource::Picture(QStringLiteral("check_unsel")));
    locks->add(ButtonNessuno, QRect(900, 51, 24, 24), R);
    ButtonTutti = makePictureButton(content, kbl_markall(), PictureSource::Picture(QStringLiteral("check_sel")));
    locks->add(ButtonTutti, QRect(871, 51, 24, 24), R);
    ButtonElimina = makePictureButton(content, kbl_delete(), PictureSource::Picture(QStringLiteral("cestino")));
    locks->add(ButtonElimina, QRect(960, 51, 24, 24), R);
    buttonMostraDpiMappa
        = makePictureButton(content, kbl_showmap(), PictureSource::Picture(QStringLiteral("google_maps")));
    locks->add(buttonMostraDpiMappa, QRect(36, 51, 24, 24), L);
    buttonRicaricaMappa
        = makePictureButton(content, kbl_reloadmap(), PictureSource::Picture(QStringLiteral("reload_map")));
    locks->add(buttonRicaricaMappa, QRect(9, 51, 24, 24), L);
    ButtonTutti1
        = makePictureButton(content, kbl_markinverse(), PictureSource::Picture(QStringLiteral("check_invert")));
    locks->add(ButtonTutti1, QRect(929, 51, 24, 24), R);
}

void Applicazione::Splitview1_Open()
{
    Splitview1->setVertical(true);
}

bool Applicazione::Splitview1_CanCollapseSubview(QWidget* subview)
{
    return qobject_cast<Listbox*>(subview) != nullptr;
}

bool Applicazione::Splitview1_MinSizeOfSubview(QWidget*, int& minSize)
{
    minSize = 120;
    return true;
}

void Applicazione::Event_Open()
{
    FileOv2Aperto.clear();
    Modificato = false;
    AggiornaTitolo();
    InizializzaTabella();
    InizializzaMappa();
}

void Applicazione::Event_Close()
{
    mApp.CloseThisWindow(this);
}

QString Applicazione::NomeFinestra() const
{
    QString name = FileOv2Aperto.isEmpty() ? kNewFileName() + QStringLiteral(".ov2")
                                           : QFileInfo(FileOv2Aperto).fileName();
    if (Modificato)
        name += QStringLiteral(" *");
    return name;
}

void Applicazione::AggiornaTitolo()
{
    const QString name = NomeFinestra();
    setWindowTitle(QStringLiteral("Lumetra 1.4.0.5 [") + name + QStringLiteral("]"));
    mApp.UpdateWindowTitle(this, name);
}

void Applicazione::SvuotaElenco()
{
    if (!ConfirmDiscardChanges())
        return;
    if (ListBox1->ListCount() > 0) {
        CancellaTuttiPdi();
        InizializzaMappa();
    }
    FileOv2Aperto.clear();
    Modificato = false;
    AggiornaTitolo();
}

bool Applicazione::ConfirmDiscardChanges()
{
    if (!Modificato)
        return true;
    MessageDialog dialog;
    dialog.Title = QStringLiteral("Lumetra");
    dialog.Icon = 1;
    QString name = NomeFinestra();
    name.chop(2);  // without the modified mark
    dialog.Message = WindowHost::lkSaveChangesMessage().arg(name);
    dialog.Explanation = WindowHost::lkSaveChangesExplanation();
    dialog.ActionButton = {WindowHost::lkSave(), true};
    dialog.CancelButton = {WindowHost::lkCancel(), true};
    dialog.AlternateActionButton = {WindowHost::lkDontSave(), true};
    switch (Services::instance().ShowMessageDialog(dialog, this)) {
    case MessageDialog::Pressed::Action:
        if (FileOv2Aperto.isEmpty())
            SalvaOv2ConNome();
        else
            SalvaOv2();
        return !Modificato;
    case MessageDialog::Pressed::Alternate:
        return true;
    case MessageDialog::Pressed::Cancel:
        break;
    }
    return false;
}

void Applicazione::CloseNow()
{
    mClosing = true;
    if (!mInCloseEvent)
        close();
}

void Applicazione::closeEvent(QCloseEvent* event)
{
    if (!mClosing) {
        // The close box: the window list decides, and asks before changes are lost.
        mInCloseEvent = true;
        mApp.CloseThisWindow(this);
        mInCloseEvent = false;
    }
    if (!mClosing) {
        event->ignore();
        return;
    }
    event->accept();
    Event_Close();
}

void Applicazione::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        mApp.setFrontWindow(this);
    QMainWindow::changeEvent(event);
}

void Applicazione::AddMenuHandler(const QString& itemName, std::function<bool()> handler)
{
    mMenuHandlers[itemName] = std::move(handler);
}

bool Applicazione::HandleMenu(const QString& itemName)
{
    const auto it = mMenuHandlers.find(itemName);
    return it != mMenuHandlers.end() && it->second();
}

void Applicazione::InizializzaTabella() { mRows->InizializzaTabella(); }
void Applicazione::AggiungiPdiAllaLista(const QString& descrizione, const QString& latitudine,
                                        const QString& longitudine, const QString& mod)
{
    mRows->AggiungiPdiAllaLista(descrizione, latitudine, longitudine, mod);
}
void Applicazione::EliminaPdiDallaLista() { mRows->EliminaPdiDallaLista(); }
void Applicazione::EliminaPdiSelezionatoDallaLista() { mRows->EliminaPdiSelezionatoDallaLista(); }
void Applicazione::AggiornaNumeroPdiSelezionati() { mRows->AggiornaNumeroPdiSelezionati(); }
void Applicazione::CancellaTuttiPdi() { mRows->CancellaTuttiPdi(); }
void Applicazione::AggiornaIconaTelefono(const QString& descrizione, int row)
{
    mRows->AggiornaIconaTelefono(descrizione, row);
}
void Applicazione::OrdinaPrimaMarcati(Listbox& list) { mRows->OrdinaPrimaMarcati(list); }
QString Applicazione::GeoFormatter(double value) { return PoiRows::GeoFormatter(value); }
void Applicazione::ApriOv2() { mOv2->ApriOv2(); }
void Applicazione::ImportaOv2() { mOv2->ImportaOv2(); }
void Applicazione::ApriOv2DaFile(const QString& file) { mOv2->ApriOv2DaFile(file); }
void Applicazione::SalvaOv2() { mOv2->SalvaOv2(); }
void Applicazione::SalvaOv2ConNome() { mOv2->SalvaOv2ConNome(); }
void Applicazione::SalvaCsv() { mCsv->SalvaCsv(); }
bool Applicazione::_FileImportCsv_Action() { return mCsv->_FileImportCsv_Action(); }
void Applicazione::SalvaKml() { mKml->SalvaKml(); }
void Applicazione::InizializzaMappa() { mMap->InizializzaMappa(); }
void Applicazione::GMapMessaggio(const QString& text) { mMap->GMapMessaggio(text); }
void Applicazione::GMapCambiaCoordinate(const QString& text) { mMap->GMapCambiaCoordinate(text); }
void Applicazione::GMapLeggiCoordinate(const QString& text) { mMap->GMapLeggiCoordinate(text); }
void Applicazione::GMapSelezionaPoi(const QString& text) { mMap->GMapSelezionaPoi(text); }
void Applicazione::CaricaPdiMappa() { mMarkers->CaricaPdiMappa(); }
void Applicazione::SvuotaPdiMappa() { mMarkers->SvuotaPdiMappa(); }
void Applicazione::MostraPdiNelRaggio(double latitude, double longitude, double radius)
{
    mMarkers->MostraPdiNelRaggio(latitude, longitude, radius);
}
void Applicazione::MostraPdiVicino() { mMarkers->MostraPdiVicino(); }
void Applicazione::CercaNumeroTelefono(const QString& number) { mPhone->CercaNumeroTelefono(number); }
void Applicazione::AggiungiPdiManuale() { mEntry->AggiungiPdiManuale(); }
void Applicazione::MostraLunghezzaTitolo() { mEntry->MostraLunghezzaTitolo(); }

LOCALIZED_TEXT(Applicazione, lkAddPoi, "")
LOCALIZED_TEXT(Applicazione, lkDescription, "")
LOCALIZED_TEXT(Applicazione, lkMarked, "")
LOCALIZED_TEXT(Applicazione, lkColDescription, "")
LOCALIZED_TEXT(Applicazione, lkColLatitude, "")
LOCALIZED_TEXT(Applicazione, lkColLongitude, "")
LOCALIZED_TEXT(Applicazione, kNewFileName, "senza nome")
LOCALIZED_TEXT(Applicazione, kMenu_CopyDescription, "")
LOCALIZED_TEXT(Applicazione, kMenu_TitleCase, "")
LOCALIZED_TEXT(Applicazione, kMenu_Upparcase, "")
LOCALIZED_TEXT(Applicazione, kMenu_Lowercase, "")
LOCALIZED_TEXT(Applicazione, kMenu_SendTomTom, "")
LOCALIZED_TEXT(Applicazione, kMenu_Rangekm, "")
LOCALIZED_TEXT(Applicazione, kMenu_Delete, "")
LOCALIZED_TEXT(Applicazione, kbl_reloadmap, "")
LOCALIZED_TEXT(Applicazione, kbl_findmap, "")
LOCALIZED_TEXT(Applicazione, kbl_showmap, "")
LOCALIZED_TEXT(Applicazione, kbl_markall, "")
LOCALIZED_TEXT(Applicazione, kbl_marknone, "")
LOCALIZED_TEXT(Applicazione, kbl_markinverse, "")
LOCALIZED_TEXT(Applicazione, kbl_delete, "")
LOCALIZED_TEXT(Applicazione, lkReadError, "The file \"%1\" could not be read: %2")
LOCALIZED_TEXT(Applicazione, lkWriteError, "The file \"%1\" could not be written: %2")
LOCALIZED_TEXT(Applicazione, lkNoDirectory,
               "No telephone directory is configured: set LUMETRA_DIRECTORY to its address.")
LOCALIZED_TEXT(Applicazione, lkLatin1Replaced,
               "%1 descriptions held characters that Windows Latin-1 cannot store; they were written with \"?\" in their place.")
