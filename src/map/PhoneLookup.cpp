#include "map/PhoneLookup.h"

#include "window/Applicazione.h"

PhoneLookup::PhoneLookup(Applicazione& window)
    : w(window)
{
}

void PhoneLookup::CercaNumeroTelefono(const QString&)
{
}
