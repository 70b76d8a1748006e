#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QAction;
class QMenu;

// A menu, menu item or menu bar of the framework, found by name. A menu's title item
// owns a QMenu that every window's menu bar shows; a plain item owns a QAction.
class MenuItem : public QObject {
    Q_OBJECT
public:
    enum class Kind { Plain, AppleMenuItem, QuitMenuItem };

    explicit MenuItem(Kind kind = Kind::Plain);
    ~MenuItem() override;

    Kind kind() const { return mKind; }

    QString Name() const { return mName; }
    void setName(const QString& name);
    QString Text() const { return mText; }
    void setText(const QString& text);
    QString KeyboardShortcut() const { return mShortcut; }
    void setKeyboardShortcut(const QString& shortcut);
    bool AutoEnable() const { return mAutoEnable; }
    void setAutoEnable(bool on) { mAutoEnable = on; }
    bool Enabled() const;
    void setEnabled(bool on);

    // Children: the menus of a menu bar, the items of a menu.
    MenuItem* Child(const QString& name) const;
    int Count() const { return int(mChildren.size()); }
    MenuItem* Item(int index) const;
    void Append(std::unique_ptr<MenuItem> item);
    void Remove(int index); // deletes the item

    // A literal text is shown as it stands: no "&" marks an access key, and "-" is no separator.
    void setLiteralText(bool literal);
    bool isSeparator() const { return !mLiteralText && mText == QLatin1String("-"); }

    // The item's own action event, raised before any window or application handler;
    // true ends the search for a handler.
    virtual bool Action() { return false; }

    // The QAction that stands for this item in Qt menus (a separator's too).
    QAction* action() const { return mAction.get(); }
    // The QMenu of a menu's title item, made on first use.
    QMenu* menu();

signals:
    // Raised when the user chooses the item; the menu bar's owner dispatches it.
    void chosen(MenuItem* item);
    // Raised before a menu of this menu bar opens, so items can be enabled.
    void aboutToShow();

private:
    void syncAction();

    Kind mKind;
    QString mName;
    QString mText;
    QString mShortcut;
    bool mAutoEnable = false;
    bool mLiteralText = false;
    // Declared in this order so that the children go first, then the menu, then the action.
    std::unique_ptr<QAction> mAction;
    std::unique_ptr<QMenu> mMenu;
    MenuItem* mParentItem = nullptr;
    std::vector<std::unique_ptr<MenuItem>> mChildren;
};
