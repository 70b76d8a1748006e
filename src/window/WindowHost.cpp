#include "window/WindowHost.h"

#include "platform/Localized.h"

// The texts are the application's: they are translated under its name.
QString WindowHost::lkCancel()
{
    return GetLocalizedString("App", "lkCancel", "Cancel");
}

QString WindowHost::lkSaveChangesMessage()
{
    return GetLocalizedString("App", "lkSaveChangesMessage", "Do you want to save the changes to \"%1\"?");
}

QString WindowHost::lkSaveChangesExplanation()
{
    return GetLocalizedString("App", "lkSaveChangesExplanation", "Your changes will be lost if you don't save them.");
}

QString WindowHost::lkSave()
{
    return GetLocalizedString("App", "lkSave", "Save");
}

QString WindowHost::lkDontSave()
{
    return GetLocalizedString("App", "lkDontSave", "Don't Save");
}
