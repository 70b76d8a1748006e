#include "window/ListContextMenu.h"

#include "platform/Listbox.h"
#include "platform/PoiColumn.h"
#include "platform/Services.h"
#include "platform/TextCase.h"
#include "window/Applicazione.h"

#include <QAction>
#include <QMenu>

namespace {

using Command = ListContextMenu::Command;

void addEntry(QMenu& menu, const QString& text, Command command)
{
    QAction* entry = menu.addAction(text);
    entry->setData(int(command));
}

Command commandOf(const QAction* entry)
{
    if (!entry || !entry->data().isValid())
        return Command::None;
    const int tag = entry->data().toInt();
    if (tag <= int(Command::None) || tag > int(Command::SendTomTom))
        return Command::None;
    return Command(tag);
}

}  // namespace

ListContextMenu::ListContextMenu(Applicazione& window)
    : w(window)
{
    w.ListBox1()->ConstructContextualMenu.connect(
        &mGuard, [this](QMenu& base, int x, int y) { return ListBox1_ConstructContextualMenu(base, x, y); });
    w.ListBox1()->ContextualMenuAction.connect(
        &mGuard, [this](QAction* chosen) { return ListBox1_ContextualMenuAction(chosen); });
}

bool ListContextMenu::ListBox1_ConstructContextualMenu(QMenu& base, int, int)
{
    if (w.ListBox1()->ListIndex() == -1)
        return false;
    addEntry(base, Applicazione::kMenu_CopyDescription(), Command::CopyDescription);
    base.addSeparator();
    addEntry(base, Applicazione::kMenu_TitleCase(), Command::TitleCase);
    base.addSeparator();
    addEntry(base, Applicazione::kMenu_Upparcase(), Command::Uppercase);
    addEntry(base, Applicazione::kMenu_Lowercase(), Command::Lowercase);
    base.addSeparator();
    addEntry(base, Applicazione::kMenu_Delete(), Command::Delete);
    base.addSeparator();
    addEntry(base, Applicazione::kMenu_Rangekm(), Command::Rangekm);
    base.addSeparator();
    addEntry(base, Applicazione::kMenu_SendTomTom(), Command::SendTomTom);
    return true;
}

bool ListContextMenu::ListBox1_ContextualMenuAction(QAction* chosen)
{
    Listbox* list = w.ListBox1();
    const int row = list->ListIndex();
    if (row == -1)
        return true;

    switch (commandOf(chosen)) {
    case Command::CopyDescription:
        Services::instance().SetClipboardText(list->Cell(row, PoiColumn::Description));
        break;
    case Command::Uppercase:
        list->setCell(row, PoiColumn::Description, Uppercase(list->Cell(row, PoiColumn::Description)));
        break;
    case Command::Lowercase:
        list->setCell(row, PoiColumn::Description, Lowercase(list->Cell(row, PoiColumn::Description)));
        break;
    case Command::TitleCase:
        list->setCell(row, PoiColumn::Description, Titlecase(list->Cell(row, PoiColumn::Description)));
        break;
    case Command::Rangekm:
        w.MostraPdiVicino();
        break;
    case Command::Delete:
        w.EliminaPdiSelezionatoDallaLista();
        break;
    case Command::SendTomTom:
        // The hand-over changes nothing in the document.
        Services::instance().ShowURL(QStringLiteral("tomtomhome:location?") + list->Cell(row, PoiColumn::Latitude)
            + QStringLiteral(",") + list->Cell(row, PoiColumn::Longitude));
        return true;
    case Command::None:
        break;
    }

    w.setModificato(true);
    return true;
}
