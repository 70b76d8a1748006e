#pragma once

#include <QString>

class Applicazione;

// The reverse telephone lookup: asks the online directory named by LUMETRA_DIRECTORY for
// a number's holder and fills the window's entry row with what it finds.
class PhoneLookup {
public:
    explicit PhoneLookup(Applicazione& window);

    void CercaNumeroTelefono(const QString& number);

    // The request's time-out; tests lower it.
    static int timeoutSeconds;

private:
    Applicazione& w;
};
