#pragma once

#include "platform/Toolbar.h"

#include <vector>

class QPixmap;

// The document window's toolbar: eleven push buttons grouped by separators and spaces,
// the last three pushed to the far end. It runs no command itself: a click raises
// Action, and the window dispatches on the item's name.
class Toolbar1 final : public Toolbar {
    Q_OBJECT
public:
    enum Style { PushButton = 0, Separator = 1, FixedSpace = 5, FlexibleSpace = 6 };

    // One item as it was built; the action's objectName is the item's name.
    struct ToolItem {
        QAction* action;
        int Style;
        QString Caption;
        QString HelpTag;
        const QPixmap* Icon;  // the shared picture, none for separators and spaces
    };

    explicit Toolbar1(QWidget* parent = nullptr);

    // The items in their order on the toolbar.
    const std::vector<ToolItem>& Items() const { return mItems; }

    QAction* ToolItemSvuota = nullptr;
    QAction* ToolItem1 = nullptr;
    QAction* ToolItemApri = nullptr;
    QAction* ToolItemAggiungi = nullptr;
    QAction* ToolItemSalva = nullptr;
    QAction* ToolItem8 = nullptr;
    QAction* ToolItemTrova = nullptr;
    QAction* ToolItemTrovaDup = nullptr;
    QAction* ToolItem3 = nullptr;
    QAction* ToolItemEsportaCsv = nullptr;
    QAction* ToolItemEsportaGoogleEarth = nullptr;
    QAction* ToolItem2 = nullptr;
    QAction* ToolItem4 = nullptr;
    QAction* ToolItem6 = nullptr;
    QAction* ToolItemPaypal = nullptr;
    QAction* ToolItemInfo = nullptr;
    QAction* ToolItemAggiorna = nullptr;

private:
    QAction* append(const char* name, int style, const QString& caption, const QPixmap* icon = nullptr);

    std::vector<ToolItem> mItems;
};
