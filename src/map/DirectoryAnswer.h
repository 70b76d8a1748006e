#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <stdexcept>

// The first entry of a telephone directory's XML answer, read by child position.
struct DirectoryEntry {
    QString name;
    QString secondName;
    QString province;
    QString postcode;
    QString city;
    bool hasStreet = false;
    QString street;
    QString houseNumber;
    QString latitude;
    QString longitude;
    QString telephone;
};

class DirectoryAnswer {
public:
    // An answer that cannot be used: malformed, a node missing on the path, a position
    // that is not a plain number.
    struct Unusable : std::runtime_error {
        using std::runtime_error::runtime_error;
    };

    // The first entry, or nothing when the answer holds none. Reading stops at the
    // place when the entry has no street. Throws Unusable.
    static std::optional<DirectoryEntry> FirstEntry(const QByteArray& answer);
};
