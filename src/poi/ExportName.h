#pragma once

#include <QString>

// The file name an export offers: the document's file name lower-cased as a whole with
// its first ".ov2" replaced by the export's extension, or the untitled name.
QString ExportFileName(const QString& documentFile, const QString& untitledName, const QString& extension);
