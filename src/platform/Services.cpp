#include "platform/Services.h"

#include <QDialog>
#include <QtGlobal>

namespace {
Services* gServices = nullptr;
}

Services& Services::instance()
{
    Q_ASSERT_X(gServices, "Services::instance", "no services installed");
    return *gServices;
}

void Services::install(Services* services)
{
    gServices = services;
}

void Services::PrepareModal(QDialog& dialog, QWidget* parent)
{
    if (parent && dialog.parentWidget() != parent)
        dialog.setParent(parent, dialog.windowFlags() | Qt::Sheet);
    // Window modality without a parent window would block nothing.
    dialog.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
}
