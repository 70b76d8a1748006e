#include "window/WindowCommands.h"

#include "map/MakerServer.h"
#include "platform/Events.h"
#include "platform/Listbox.h"
#include "platform/PoiColumn.h"
#include "platform/Services.h"
#include "platform/TextFunctions.h"
#include "platform/Toolbar.h"
#include "search/DuplicateDialog.h"
#include "search/SearchDialog.h"
#include "window/Applicazione.h"
#include "window/WindowHost.h"

#include <QAction>
#include <QHash>

#include <vector>

namespace {

// The order of the rows, one hash of each identifier: small enough for a million rows.
std::vector<size_t> rowOrder(const Listbox& list)
{
    std::vector<size_t> order;
    order.reserve(size_t(list.ListCount()));
    for (int row = 0; row < list.ListCount(); ++row)
        order.push_back(TextHash(list.CellView(row, PoiColumn::Id)));
    return order;
}

}  // namespace

WindowCommands::WindowCommands(Applicazione& window)
    : w(window)
{
    w.Toolbar11()->Action.connect(&mGuard, [this](QAction* item) { Toolbar11_Action(item); });
    AddMenuHandlers();
}

void WindowCommands::AddMenuHandlers()
{
    w.AddMenuHandler(QStringLiteral("FileSave"), [this] { return _FileSave_Action(); });
    w.AddMenuHandler(QStringLiteral("FileSaveAs"), [this] { return _FileSaveAs_Action(); });
    w.AddMenuHandler(QStringLiteral("FileImportCsv"), [this] { return _FileImportCsv_Action(); });
    w.AddMenuHandler(QStringLiteral("EditFind"), [this] { return _EditFind_Action(); });
    w.AddMenuHandler(QStringLiteral("EditMarkItems"), [this] { return _EditMarkItems_Action(); });
    w.AddMenuHandler(QStringLiteral("EditShowMarked"), [this] { return _EditShowMarked_Action(); });
    w.AddMenuHandler(QStringLiteral("EditOrdinaMarked"), [this] { return _EditOrdinaMarked_Action(); });
    w.AddMenuHandler(QStringLiteral("EditRemoveSelected"), [this] { return _EditRemoveSelected_Action(); });
}

void WindowCommands::Toolbar11_Action(QAction* item)
{
    w.ListBox1()->CommitEdit();
    const QString name = item->objectName();
    if (name == QLatin1String("ToolItemSvuota"))
        w.SvuotaElenco();
    else if (name == QLatin1String("ToolItemApri"))
        w.ApriOv2();
    else if (name == QLatin1String("ToolItemAggiungi"))
        w.ImportaOv2();
    else if (name == QLatin1String("ToolItemSalva"))
        save();
    else if (name == QLatin1String("ToolItemEsportaCsv"))
        w.SalvaCsv();
    else if (name == QLatin1String("ToolItemEsportaGoogleEarth"))
        w.SalvaKml();
    else if (name == QLatin1String("ToolItemTrova"))
        openSearch();
    else if (name == QLatin1String("ToolItemTrovaDup"))
        openDuplicates();
    else if (name == QLatin1String("ToolItemInfo"))
        w.Host().ShowAbout();
    else if (name == QLatin1String("ToolItemAggiorna"))
        w.Host().ControllaAggiornamenti();
    else if (name == QLatin1String("ToolItemPaypal"))
        openDonationPage();
}

// File > Save and the toolbar's save: an untitled document asks for its file first.
void WindowCommands::save()
{
    if (w.FileOv2Aperto().isEmpty())
        w.SalvaOv2ConNome();
    else
        w.SalvaOv2();
}

bool WindowCommands::_FileSave_Action()
{
    save();
    return false;
}

bool WindowCommands::_FileSaveAs_Action()
{
    w.SalvaOv2ConNome();
    return false;
}

bool WindowCommands::_FileImportCsv_Action()
{
    w._FileImportCsv_Action();
    return false;
}

// A fresh dialog over the window each time; it works on the list directly.
void WindowCommands::openSearch()
{
    if (w.ListBox1()->ListCount() == 0)
        return;
    SearchDialog dialog(&w);
    dialog.Lista = w.ListBox1();
    // Replaced texts are saved with the document: a change from the first one on, so that
    // quitting from another window while the dialog is open still asks.
    QObject::connect(&dialog, &SearchDialog::cellChanged, &dialog, [this] {
        if (!w.Modificato())
            markModified();
    });
    Services::instance().ShowModalWithin(dialog, &w);
}

void WindowCommands::openDuplicates()
{
    if (w.ListBox1()->ListCount() == 0)
        return;
    DuplicateDialog dialog(&w);
    dialog.Lista = w.ListBox1();
    Services::instance().ShowModalWithin(dialog, &w);
    if (w.IsClosing())
        return;
    // The dialog changes marks only, and marks are not saved.
    w.AggiornaNumeroPdiSelezionati();
}

void WindowCommands::openDonationPage()
{
    Services::instance().ShowURL(MakerServer::WebSite() + QStringLiteral("/paypal.htm"));
}

bool WindowCommands::_EditFind_Action()
{
    openSearch();
    return true;
}

bool WindowCommands::_EditMarkItems_Action()
{
    Listbox& list = *w.ListBox1();
    if (list.ListCount() == 0 || list.SelCount() == 0)
        return true;
    list.BeginUpdate();
    for (int row = 0; row < list.ListCount(); ++row) {
        if (list.Selected(row))
            list.setCellCheck(row, PoiColumn::Description, true);
    }
    list.EndUpdate();
    w.AggiornaNumeroPdiSelezionati();
    return true;
}

bool WindowCommands::_EditShowMarked_Action()
{
    w.CaricaPdiMappa();
    return true;
}

bool WindowCommands::_EditOrdinaMarked_Action()
{
    Events::DoEvents();
    if (w.IsClosing())
        return false;
    const std::vector<size_t> before = rowOrder(*w.ListBox1());
    w.OrdinaPrimaMarcati(*w.ListBox1());
    // The new order is what a save writes.
    if (rowOrder(*w.ListBox1()) != before)
        markModified();
    return false;
}

bool WindowCommands::_EditRemoveSelected_Action()
{
    Listbox& list = *w.ListBox1();
    if (list.ListCount() == 0 || list.SelCount() == 0)
        return true;
    if (list.SelCount() == list.ListCount()) {
        list.DeleteAllRows();
    } else {
        list.BeginUpdate();
        for (int row = list.ListCount() - 1; row >= 0; --row) {
            if (list.Selected(row))
                list.RemoveRow(row);
        }
        list.EndUpdate();
    }
    w.AggiornaNumeroPdiSelezionati();
    markModified();
    return true;
}

void WindowCommands::markModified()
{
    w.setModificato(true);
}
