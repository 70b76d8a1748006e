#include "shell/Toolbar1.h"

#include "shell/App.h"
#include "shell/Pictures.h"

#include <QAction>
#include <QIcon>

namespace {

constexpr int kFixedSpaceWidth = 12;

// A menu text reused as a caption: its "&" marks a shortcut letter, not a character
// to show; "&&" stands for one "&".
QString withoutMnemonic(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&')
                shown += text[++i];
            continue;
        }
        shown += text[i];
    }
    return shown;
}

}  // namespace

Toolbar1::Toolbar1(QWidget* parent)
    : Toolbar(parent)
{
    // Part of the window: it neither moves nor hides, and offers no menu to hide it.
    setMovable(false);
    setFloatable(false);
    setAllowedAreas(Qt::TopToolBarArea);
    setContextMenuPolicy(Qt::PreventContextMenu);
    toggleViewAction()->setEnabled(false);
    toggleViewAction()->setVisible(false);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(32, 32));

    const QString untitled = QStringLiteral("Untitled");
    ToolItemSvuota = append("ToolItemSvuota", PushButton, App::kFileClean(), &Pictures::TBar_Clean2());
    ToolItem1 = append("ToolItem1", FixedSpace, untitled);
    ToolItemApri = append("ToolItemApri", PushButton, App::kFileOpen(), &Pictures::TBar_Open());
    ToolItemAggiungi = append("ToolItemAggiungi", PushButton, App::kFileImport(), &Pictures::TBar_Import());
    ToolItemSalva = append("ToolItemSalva", PushButton, App::kFileSave(), &Pictures::TBar_Save());
    ToolItem8 = append("ToolItem8", Separator, untitled);
    ToolItemTrova = append("ToolItemTrova", PushButton, App::kEditFind(), &Pictures::TBar_Search());
    ToolItemTrovaDup = append("ToolItemTrovaDup", PushButton, App::kEditDuplicates(), &Pictures::TBar_SearchDup());
    ToolItem3 = append("ToolItem3", Separator, untitled);
    ToolItemEsportaCsv = append("ToolItemEsportaCsv", PushButton, App::kFileExportCsv(), &Pictures::TBar_ExportCsv());
    ToolItemEsportaGoogleEarth = append("ToolItemEsportaGoogleEarth", PushButton, App::kFileExportKml(),
                                        &Pictures::TBar_ExportGoogleEarth());
    ToolItem2 = append("ToolItem2", Separator, untitled);
    ToolItem4 = append("ToolItem4", FlexibleSpace, untitled);
    ToolItem6 = append("ToolItem6", FixedSpace, untitled);
    ToolItemPaypal = append("ToolItemPaypal", PushButton, App::kFileDonate(), &Pictures::TBar_Paypal());
    // The same word in every language.
    ToolItemInfo = append("ToolItemInfo", PushButton, QStringLiteral("Info"), &Pictures::TBar_GetInfo());
    ToolItemAggiorna = append("ToolItemAggiorna", PushButton, App::kFileUpdates1(), &Pictures::Tbar_Updater());
}

QAction* Toolbar1::append(const char* name, int style, const QString& caption, const QPixmap* icon)
{
    QAction* item = nullptr;
    if (style == Separator) {
        item = addSeparator();
    } else if (style == PushButton) {
        item = addAction(Pictures::Icon(*icon), caption);
        item->setIconText(withoutMnemonic(caption));
    } else {
        auto* space = new QWidget(this);
        if (style == FlexibleSpace)
            space->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        else
            space->setFixedWidth(kFixedSpaceWidth);
        item = addWidget(space);
    }
    item->setObjectName(QLatin1String(name));
    if (style != PushButton)
        item->setText(caption);
    item->setEnabled(true);
    mItems.push_back(ToolItem{item, style, caption, QString(), icon});
    return item;
}
