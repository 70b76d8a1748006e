#pragma once

#include <QString>

// A file-type filter of the open and save dialogs.
struct FileType {
    QString Name;
    QString MacType;
    QString MacCreator;
    QString Extensions;  // "ov2", "csv"; empty for a dialog without filter

    // The filter text a Qt file dialog takes, e.g. "tomtom/ov2 (*.ov2)".
    QString filterText() const;
};
