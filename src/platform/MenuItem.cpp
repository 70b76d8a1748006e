#include "platform/MenuItem.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace {

// "Cmd+Shift+S" names the platform's command modifier, Ctrl here.
QKeySequence keySequence(const QString& shortcut)
{
    QString text = shortcut;
    text.replace(QLatin1String("Cmd"), QLatin1String("Ctrl"));
    return QKeySequence(text, QKeySequence::PortableText);
}

}  // namespace

MenuItem::MenuItem(Kind kind)
    : mKind(kind), mAction(new QAction())
{
    if (kind == Kind::QuitMenuItem)
        mAction->setMenuRole(QAction::QuitRole);
    else if (kind == Kind::AppleMenuItem)
        mAction->setMenuRole(QAction::ApplicationSpecificRole);
    else
        mAction->setMenuRole(QAction::NoRole);
    connect(mAction, &QAction::triggered, this, [this] {
        MenuItem* root = this;
        while (root->mParentItem)
            root = root->mParentItem;
        emit root->chosen(this);
    });
}

MenuItem::~MenuItem()
{
    for (MenuItem* child : mChildren)
        delete child;
    delete mMenu;
    delete mAction;
}

void MenuItem::setName(const QString& name)
{
    mName = name;
    mAction->setObjectName(name);
}

void MenuItem::setText(const QString& text)
{
    mText = text;
    syncAction();
}

void MenuItem::setKeyboardShortcut(const QString& shortcut)
{
    mShortcut = shortcut;
    mAction->setShortcut(shortcut.isEmpty() ? QKeySequence() : keySequence(shortcut));
}

bool MenuItem::Enabled() const
{
    return mAction->isEnabled();
}

void MenuItem::setEnabled(bool on)
{
    mAction->setEnabled(on);
}

MenuItem* MenuItem::Child(const QString& name) const
{
    for (MenuItem* child : mChildren)
        if (child->mName == name)
            return child;
    return nullptr;
}

MenuItem* MenuItem::Item(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return mChildren[size_t(index)];
}

void MenuItem::Append(MenuItem* item)
{
    item->mParentItem = this;
    mChildren.push_back(item);
    if (mParentItem || mMenu)
        menu()->addAction(item->action());
    if (!mParentItem) {
        // Items of a menu bar are menus: let the bar's owner enable items before they show.
        connect(item->menu(), &QMenu::aboutToShow, this, &MenuItem::aboutToShow);
    }
}

void MenuItem::Remove(int index)
{
    MenuItem* item = Item(index);
    if (!item)
        return;
    mChildren.erase(mChildren.begin() + index);
    if (mMenu)
        mMenu->removeAction(item->action());
    delete item;
}

QMenu* MenuItem::menu()
{
    if (!mMenu) {
        mMenu = new QMenu();
        mMenu->setTitle(mText);
        mAction->setMenu(mMenu);
    }
    return mMenu;
}

void MenuItem::syncAction()
{
    mAction->setSeparator(isSeparator());
    if (!isSeparator())
        mAction->setText(mText);
    if (mMenu)
        mMenu->setTitle(mText);
}
