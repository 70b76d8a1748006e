#include "platform/Services.h"

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
