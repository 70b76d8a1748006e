#include "window/Applicazione.h"

#include "map/MakerServer.h"
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
#include "platform/PoiColumn.h"
#include "platform/Services.h"
#include "platform/Toolbar.h"
#include "poi/CsvFiles.h"
#include "poi/KmlExport.h"
#include "poi/Ov2Files.h"
#include "poi/PoiDocument.h"
#include "poi/PoiRows.h"
#include "splitview/Splitview.h"
#include "window/EntryRow.h"
#include "window/ListContextMenu.h"
#include "window/ListEvents.h"
#include "window/WindowCommands.h"
#include "window/WindowHost.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QScopedValueRollback>

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
    button->setIcon(PictureSource::Icon(picture));
    button->setIconSize(QSize(20, 20));
    return button;
}

}  // namespace

// Popups and dialogs are windows of their own, still ours through their parents.
bool Applicazione::isOwnWidget(const QWidget* widget) const
{
    for (; widget; widget = widget->parentWidget())
        if (widget == this)
            return true;
    return false;
}

Applicazione::Applicazione(WindowHost& app)
    : mDocument(new PoiDocument)
    , mApp(app)
{
    mDocument->setDialogParent(this);
    Layout();
    _CreateControls0();

    mRows = std::make_unique<PoiRows>(*mDocument);
    mOv2 = std::make_unique<Ov2Files>(*mDocument, *mRows);
    mCsv = std::make_unique<CsvFiles>(*mDocument, *mRows);
    mKml = std::make_unique<KmlExport>(*mDocument);
    mMap = std::make_unique<MapBridge>(*this);
    mMarkers = std::make_unique<MapMarkers>(*this, *mMap);
    mPhone = std::make_unique<PhoneLookup>(*this, *mMap);
    mEntry = std::make_unique<EntryRow>(*this);
    mListEvents = std::make_unique<ListEvents>(*this);
    mContextMenu = std::make_unique<ListContextMenu>(*this);
    mCommands = std::make_unique<WindowCommands>(*this);

    PoiDocument& document = *mDocument;
    connect(&document, &PoiDocument::titleChanged, this, &Applicazione::AggiornaTitolo);
    connect(&document, &PoiDocument::markedCountChanged, this, &Applicazione::showMarkedCount);
    connect(&document, &PoiDocument::clearing, this, [this] { mListBox1->setScrollPosition(0); });
    connect(&document, &PoiDocument::removingMarkers, this, [this] { mMap->BeginCalls(); });
    connect(&document, &PoiDocument::markerRemoved, this, [this](const QString& id) { mMap->EliminaPdi(id); });
    connect(&document, &PoiDocument::markersRemoved, this, [this] { mMap->EndCalls(); });
    connect(&document, &PoiDocument::markersStale, this, &Applicazione::SvuotaPdiMappa);
    connect(&document, &PoiDocument::showRow, this, [this](int row) {
        mListBox1->setListIndex(row);
        mListBox1->setScrollPosition(row);
    });
    // Children go in the order they joined: the list must go before the rows it shows.
    document.setParent(this);

    mSplitview1->Open();
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
    // Qt's menu of toolbars to hide has no place here: the toolbar is fixed.
    setContextMenuPolicy(Qt::NoContextMenu);
}

void Applicazione::fitContentArea()
{
    // The design's size is the content area's, below the menu bar and the toolbar.
    const QSize design(996, 667);
    resize(design);
    layout()->activate();
    resize(size() + design - centralWidget()->size());
}

void Applicazione::_CreateControls0()
{
    QWidget* content = centralWidget();
    auto* locks = new LockLayout(content, QSize(996, 667));

    mToolbar11 = mApp.NewToolbar(this);
    mToolbar11->setObjectName(QStringLiteral("Toolbar11"));
    addToolBar(Qt::TopToolBarArea, mToolbar11);

    mSplitview1 = new Splitview(content);
    mSplitview1->setObjectName(QStringLiteral("Splitview1"));
    locks->add(mSplitview1, QRect(9, 78, 976, 556), L | T | R | B);
    mSplitview1->Open_.connect(this, [this] { Splitview1_Open(); });
    mSplitview1->CanCollapseSubview.connect(this, [this](QWidget* v) { return Splitview1_CanCollapseSubview(v); });
    mSplitview1->MinSizeOfSubview.connect(
        this, [this](QWidget* v, int& m) { return Splitview1_MinSizeOfSubview(v, m); });

    // The panes stand in the split view's own coordinates.
    mWeb1 = new HTMLViewer(mSplitview1);
    mWeb1->setObjectName(QStringLiteral("web1"));
    mWeb1->setGeometry(0, 0, 403, 556);
    // The standard Edit commands act on the map, or on the entry field that has the focus.
    using FieldAction = std::function<void(QLineEdit&)>;
    using MapAction = std::function<void(HTMLViewer&)>;
    const auto editCommand = [this](const char* name, FieldAction field, MapAction map) {
        AddMenuHandler(QLatin1String(name), [this, field, map] {
            if (auto* edit = qobject_cast<QLineEdit*>(focusWidget()))
                field(*edit);
            else
                map(*mWeb1);
            return true;
        });
    };
    editCommand("EditCopy", &QLineEdit::copy, &HTMLViewer::Copy);
    editCommand("EditPaste", &QLineEdit::paste, &HTMLViewer::Paste);
    editCommand("EditSelectAll", &QLineEdit::selectAll, &HTMLViewer::SelectAll);
    editCommand("EditCut", &QLineEdit::cut, &HTMLViewer::Cut);
    editCommand("EditClear", &QLineEdit::del, &HTMLViewer::Clear);

    mListBox1 = new Listbox(&mDocument->Model(), mSplitview1);
    mListBox1->setObjectName(QStringLiteral("ListBox1"));
    mListBox1->setGeometry(415, 0, 560, 556);
    mListBox1->setColumnCount(PoiColumn::Count);
    mListBox1->setColumnWidths(QStringLiteral("60%,20%,20%"));
    mListBox1->setHasHeading(true);

    mEditFieldNome = new EditField(content);
    locks->add(mEditFieldNome, QRect(9, 24, 540, 22), L | R);
    mEditFieldLatitudine = new EditField(content);
    mEditFieldLatitudine->setAlignment(Qt::AlignRight);
    locks->add(mEditFieldLatitudine, QRect(597, 24, 120, 22), R);
    mEditFieldLongitudine = new EditField(content);
    mEditFieldLongitudine->setAlignment(Qt::AlignRight);
    locks->add(mEditFieldLongitudine, QRect(727, 24, 126, 22), R);

    mButtonAggiungi = new BevelButton(content);
    mButtonAggiungi->setText(lkAddPoi());
    locks->add(mButtonAggiungi, QRect(900, 22, 84, 24), R);

    mStaticText1 = makeLabel(content, lkDescription(), 10, true);
    locks->add(mStaticText1, QRect(9, 2, 67, 20), 0);
    mStaticText2 = makeLabel(content, QStringLiteral("Lat. (es.: 43.12345)"), 10, true);
    locks->add(mStaticText2, QRect(597, 2, 105, 20), R);
    mStaticText3 = makeLabel(content, QStringLiteral("Long. (es.: 10.12345)"), 10, true);
    locks->add(mStaticText3, QRect(727, 1, 109, 20), R);
    mLabelSelezionati = makeLabel(content, QString(), 10, true);
    locks->add(mLabelSelezionati, QRect(9, 646, 146, 12), B);

    mButtonCercaIndirizzo
        = makePictureButton(content, kbl_findmap(), PictureSource::Picture(QStringLiteral("search_map")));
    locks->add(mButtonCercaIndirizzo, QRect(561, 23, 24, 24), R);
    mButtonMostraDpiVicino
        = makePictureButton(content, kbl_showmap(), PictureSource::Picture(QStringLiteral("google_maps")));
    locks->add(mButtonMostraDpiVicino, QRect(864, 22, 24, 24), R);

    mLabelCharLeft = makeLabel(content, QStringLiteral("(57)"), 10, false);
    mLabelCharLeft->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    locks->add(mLabelCharLeft, QRect(72, 2, 27, 20), 0);

    mProgressBar1 = new QProgressBar(content);
    mProgressBar1->setRange(0, 100);
    mProgressBar1->setValue(0);
    mProgressBar1->setTextVisible(false);
    mProgressBar1->hide();
    locks->add(mProgressBar1, QRect(9, 646, 975, 7), L | R | B);

    mButtonNessuno = makePictureButton(content, kbl_marknone(), PictureSource::Picture(QStringLiteral("check_unsel")));
    locks->add(mButtonNessuno, QRect(900, 51, 24, 24), R);
    mButtonTutti = makePictureButton(content, kbl_markall(), PictureSource::Picture(QStringLiteral("check_sel")));
    locks->add(mButtonTutti, QRect(871, 51, 24, 24), R);
    mButtonElimina = makePictureButton(content, kbl_delete(), PictureSource::Picture(QStringLiteral("cestino")));
    locks->add(mButtonElimina, QRect(960, 51, 24, 24), R);
    mButtonMostraDpiMappa
        = makePictureButton(content, kbl_showmap(), PictureSource::Picture(QStringLiteral("google_maps")));
    locks->add(mButtonMostraDpiMappa, QRect(36, 51, 24, 24), L);
    mButtonRicaricaMappa
        = makePictureButton(content, kbl_reloadmap(), PictureSource::Picture(QStringLiteral("reload_map")));
    locks->add(mButtonRicaricaMappa, QRect(9, 51, 24, 24), L);
    mButtonTutti1
        = makePictureButton(content, kbl_markinverse(), PictureSource::Picture(QStringLiteral("check_invert")));
    locks->add(mButtonTutti1, QRect(929, 51, 24, 24), R);
    fitContentArea();
}

void Applicazione::Splitview1_Open()
{
    mSplitview1->setVertical(true);
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
    mDocument->setFileOv2Aperto(QString());
    mDocument->setModificato(false);
    InizializzaTabella();
    InizializzaMappa();
}

void Applicazione::Event_Close()
{
    mApp.CloseThisWindow(this);
}

const QString& Applicazione::FileOv2Aperto() const
{
    return mDocument->FileOv2Aperto();
}

bool Applicazione::Modificato() const
{
    return mDocument->Modificato();
}

void Applicazione::setModificato(bool modified)
{
    mDocument->setModificato(modified);
}

QString Applicazione::NomeFinestra() const
{
    return mDocument->NomeFinestra();
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
    if (mListBox1->ListCount() > 0) {
        CancellaTuttiPdi();
        InizializzaMappa();
    }
    mDocument->setFileOv2Aperto(QString());
    mDocument->setModificato(false);
}

bool Applicazione::ConfirmDiscardChanges()
{
    mListBox1->CommitEdit();
    if (!Modificato())
        return true;
    // One question at a time: whatever asked again meanwhile waits for its answer.
    if (mAsking)
        return false;
    const QScopedValueRollback asking(mAsking, true);
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
        if (FileOv2Aperto().isEmpty())
            SalvaOv2ConNome();
        else
            SalvaOv2();
        return !Modificato();
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
    // Its page may go on sending until the window is freed: nobody hears it.
    mWeb1->Silence();
    // A menu or dialog of this window would keep its work waiting on a window nobody sees.
    while (QWidget* popup = QApplication::activePopupWidget()) {
        if (!isOwnWidget(popup))
            break;
        popup->close();
    }
    for (QDialog* dialog : findChildren<QDialog*>())
        if (dialog->isVisible())
            dialog->reject();
    // Within its close event the window is hidden by its accepting it.
    if (!mInCloseEvent)
        hide();
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
    if (it == mMenuHandlers.end())
        return false;
    mListBox1->CommitEdit();
    return it->second();
}

void Applicazione::InizializzaTabella() { PoiRows::InizializzaTabella(*mListBox1); }
void Applicazione::AggiungiPdiAllaLista(const QString& descrizione, const QString& latitudine,
                                        const QString& longitudine, const QString& mod)
{
    mRows->AggiungiPdiAllaLista(descrizione, latitudine, longitudine, mod);
}
void Applicazione::EliminaPdiDallaLista() { mRows->EliminaPdiDallaLista(); }
void Applicazione::EliminaPdiSelezionatoDallaLista()
{
    mRows->EliminaPdiSelezionatoDallaLista(mListBox1->ListIndex());
}
void Applicazione::AggiornaNumeroPdiSelezionati() { mRows->AggiornaNumeroPdiSelezionati(); }
void Applicazione::CancellaTuttiPdi() { mRows->CancellaTuttiPdi(); }
void Applicazione::AggiornaIconaTelefono(const QString& descrizione, int row)
{
    mRows->AggiornaIconaTelefono(descrizione, row);
}
void Applicazione::OrdinaPrimaMarcati(Listbox& list) { PoiRows::OrdinaPrimaMarcati(list); }
void Applicazione::ApriOv2()
{
    if (ConfirmDiscardChanges())
        mOv2->ApriOv2();
}
void Applicazione::ImportaOv2() { mOv2->ImportaOv2(); }
void Applicazione::ApriOv2DaFile(const QString& file)
{
    if (!file.isEmpty() && ConfirmDiscardChanges())
        mOv2->ApriOv2DaFile(file);
}
void Applicazione::SalvaOv2() { mOv2->SalvaOv2(); }
void Applicazione::SalvaOv2ConNome() { mOv2->SalvaOv2ConNome(); }
void Applicazione::SalvaCsv() { mCsv->SalvaCsv(); }
bool Applicazione::_FileImportCsv_Action() { return mCsv->_FileImportCsv_Action(); }
void Applicazione::SalvaKml() { mKml->SalvaKml(MakerServer::WebSite()); }
void Applicazione::InizializzaMappa() { mMap->InizializzaMappa(); }
void Applicazione::CaricaPdiMappa() { mMarkers->CaricaPdiMappa(); }
void Applicazione::SvuotaPdiMappa() { mMarkers->SvuotaPdiMappa(); }
void Applicazione::MostraPdiNelRaggio(double latitude, double longitude, double radius)
{
    mMarkers->MostraPdiNelRaggio(latitude, longitude, radius);
}
void Applicazione::MostraPdiVicino() { mMarkers->MostraPdiVicino(); }
void Applicazione::CercaNumeroTelefono(const QString& number) { mPhone->CercaNumeroTelefono(number); }
void Applicazione::showMarkedCount()
{
    mLabelSelezionati->setText(lkMarked() + QStringLiteral(":  ") + QString::number(mDocument->MarkedCount()) +
                               QStringLiteral(" / ") + QString::number(mDocument->ListCount()));
}

LOCALIZED_TEXT(Applicazione, lkAddPoi, "")
LOCALIZED_TEXT(Applicazione, lkDescription, "")
LOCALIZED_TEXT(Applicazione, lkMarked, "")
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
