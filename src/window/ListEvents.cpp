#include "window/ListEvents.h"

#include "window/Applicazione.h"

ListEvents::ListEvents(Applicazione& window)
    : w(window)
{
}
