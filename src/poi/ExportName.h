#pragma once

#include <QString>

// The file name an export offers: the document's file name lower-cased as a whole with
// its first ".ov2" replaced by the export's extension, or the untitled name.
QString ExportFileName(const QString& documentFile, const QString& untitledName, const QString& extension);

// Where a save dialog opens: the document's own folder, the home folder while untitled.
QString ProposedFolder(const QString& documentFile);

// The chosen path with the extension added when its name has none.
QString WithExtension(const QString& path, const QString& extension);
