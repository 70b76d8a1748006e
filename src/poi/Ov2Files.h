#pragma once

#include "platform/Localized.h"

#include "ov2/Ov2Dylib.h"

#include <QByteArray>
#include <QString>

#include <vector>

class PoiDocument;
class PoiRows;

// Opening, importing and saving a document's OV2 files through the OV2 library. Asking
// before unsaved changes are lost is the caller's part.
class Ov2Files {
public:
    Ov2Files(PoiDocument& document, PoiRows& rows);

    void ApriOv2();
    void ImportaOv2();
    void ApriOv2DaFile(const QString& file);
    void SalvaOv2();
    void SalvaOv2ConNome();

    // Said when a save is refused; %1 is the number of rows at fault.
    LOCALIZED_TEXT_DECL(lkNotCoordinates);
    // Said when a file could be read only in part: %1 the file, %2 why, %3 the POIs read.
    LOCALIZED_TEXT_DECL(lkPartlyOpened);
    LOCALIZED_TEXT_DECL(lkPartlyImported);

private:
    // A row whose coordinate text is not a number on the globe stops a save: the first is selected.
    bool allRowsHoldCoordinates();
    enum class Read { Nothing, Part, Whole };
    // Adds the file's POIs as rows read from a file, after removing the rows and binding the
    // document to the file when replacing; says why when the file cannot be read. A file
    // read in part leaves a replaced document untitled and modified.
    Read readRows(const QString& file, bool replacing);
    struct Reading {
        Ov2Files& files;
        const QString& file;
        bool replacing;
        bool begun;
        qint64 added;
        QString room;
    };
    void beginReading(Reading& reading, int count);
    static int32_t takePois(void* context, int32_t total, const Ov2PoiRef* pois, int32_t count);
    // Makes the file the document, replacing its rows.
    void openFile(const QString& file);
    // Writes every row to the file and makes it the document's file; says why when it cannot.
    bool writeFile(const QString& file);
    // What the library writes: the rows from first on, up to capacity of them.
    struct Writing {
        const PoiDocument& document;
        QByteArray text;
        QByteArray texts;
        std::vector<qsizetype> ends;
        int replaced;
    };
    static int32_t giveRows(void* context, int32_t first, Ov2PoiRef* out, int32_t capacity);

    PoiDocument& d;
    PoiRows& mRows;
};
