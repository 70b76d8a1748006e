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
    : mKind(kind)
    , mAction(std::make_unique<QAction>())
{
    if (kind == Kind::QuitMenuItem)
        mAction->setMenuRole(QAction::QuitRole);
    else if (kind == Kind::AppleMenuItem)
        mAction->setMenuRole(QAction::ApplicationSpecificRole);
    else
        mAction->setMenuRole(QAction::NoRole);
    connect(mAction.get(), &QAction::triggered, this, [this] {
        MenuItem* root = this;
        while (root->mParentItem)
            root = root->mParentItem;
        emit root->chosen(this);
    });
}

MenuItem::~MenuItem() = default;

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
    for (const std::unique_ptr<MenuItem>& child : mChildren)
        if (child->mName == name)
            return child.get();
    return nullptr;
}

MenuItem* MenuItem::Item(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return mChildren[size_t(index)].get();
}

void MenuItem::Append(std::unique_ptr<MenuItem> item)
{
    item->mParentItem = this;
    if (mParentItem || mMenu)
        menu()->addAction(item->action());
    if (!mParentItem) {
        // Items of a menu bar are menus: let the bar's owner enable items before they show.
        connect(item->menu(), &QMenu::aboutToShow, this, &MenuItem::aboutToShow);
    }
    mChildren.push_back(std::move(item));
}

void MenuItem::Remove(int index)
{
    if (!Item(index))
        return;
    const std::unique_ptr<MenuItem> item = std::move(mChildren[size_t(index)]);
    mChildren.erase(mChildren.begin() + index);
    if (mMenu)
        mMenu->removeAction(item->action());
}

QMenu* MenuItem::menu()
{
    if (!mMenu) {
        mMenu = std::make_unique<QMenu>();
        mMenu->setTitle(mText);
        mAction->setMenu(mMenu.get());
    }
    return mMenu.get();
}

void MenuItem::setLiteralText(bool literal)
{
    mLiteralText = literal;
    syncAction();
}

void MenuItem::syncAction()
{
    // Qt takes "&" for an access key and "&&" for one "&".
    const QString shown = mLiteralText ? QString(mText).replace(u'&', QLatin1String("&&")) : mText;
    mAction->setSeparator(isSeparator());
    if (!isSeparator())
        mAction->setText(shown);
    if (mMenu)
        mMenu->setTitle(shown);
}
