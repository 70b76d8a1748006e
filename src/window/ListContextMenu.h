#pragma once

#include <QObject>
#include <QString>

class Applicazione;
class QAction;
class QMenu;

// The contextual menu of the POI list: commands on the selected row's description,
// deleting it, marking the POIs near it, handing its position to TomTom's software.
class ListContextMenu {
public:
    explicit ListContextMenu(Applicazione& window);

    bool ListBox1_ConstructContextualMenu(QMenu& base, int x, int y);
    bool ListBox1_ContextualMenuAction(QAction* chosen);

    // The commands, as the tags of the menu's entries: their texts come from the
    // translations and may coincide, the tags never do.
    enum class Command { None, CopyDescription, TitleCase, Uppercase, Lowercase, Delete, Rangekm, SendTomTom };

private:
    Applicazione& w;
    // The context of every handler this binds: declared last, so it goes first and no
    // handler outlives this object.
    QObject mGuard;
};
