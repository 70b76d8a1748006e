#pragma once

#include <QString>

class Applicazione;

// The reverse telephone lookup in an online directory.
class PhoneLookup {
public:
    explicit PhoneLookup(Applicazione& window);

    void CercaNumeroTelefono(const QString& number);

private:
    Applicazione& w;
};
