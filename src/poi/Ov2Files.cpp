#include "poi/Ov2Files.h"

#include "ov2/Ov2Dylib.h"
#include "platform/CoordinateRule.h"
#include "platform/Latin1Codec.h"
#include "platform/ListboxModel.h"
#include "platform/PoiColumn.h"
#include "platform/Services.h"
#include "platform/TextFunctions.h"
#include "poi/ExportName.h"
#include "poi/Ov2Reason.h"
#include "poi/PoiDocument.h"
#include "poi/PoiRows.h"

#include <QFile>

#include <algorithm>
#include <vector>

namespace {

using enum PoiColumn::Index;

FileType ov2Type()
{
    const QString nul4(4, QChar(0));
    return {QStringLiteral("tomtom/ov2"), nul4, nul4, QStringLiteral("ov2")};
}

// The file's own path: backslashes are ordinary characters in a file name here.
QByteArray libraryPath(const QString& file)
{
    return QFile::encodeName(file);
}

// The library's failure in the user's words.
QString libraryError(int32_t code)
{
    return Ov2Reason::Text(code, ov2LastErrorOffset());
}

}  // namespace

LOCALIZED_TEXT(Ov2Files, lkPartlyOpened,
    "The file \"%1\" could not be read to its end: %2. The %3 POIs read before are shown as an "
    "untitled document, so that no save can put them in the file's place.")
LOCALIZED_TEXT(Ov2Files, lkPartlyImported,
    "The file \"%1\" could not be read to its end: %2. Only the %3 POIs read before were added.")
LOCALIZED_TEXT(Ov2Files, lkNotCoordinates,
    "Rows whose latitude is not a number within -90..90, or whose longitude is not one within "
    "-180..180: %1. The file was not saved; the first of those rows is selected.")

Ov2Files::Ov2Files(PoiDocument& document, PoiRows& rows)
    : d(document)
    , mRows(rows)
{
}

void Ov2Files::ApriOv2()
{
    const QString file = Services::instance().GetOpenFolderItem(ov2Type(), d.DialogParent());
    if (!file.isEmpty())
        openFile(file);
}

void Ov2Files::ImportaOv2()
{
    const QString file = Services::instance().GetOpenFolderItem(ov2Type(), d.DialogParent());
    if (file.isEmpty() || readRows(file, false) == Read::Nothing)
        return;
    mRows.AggiornaNumeroPdiSelezionati();
    d.setModificato(true);
    emit d.markersStale();
}

void Ov2Files::ApriOv2DaFile(const QString& file)
{
    if (file.isEmpty())
        return;
    openFile(file);
}

void Ov2Files::SalvaOv2()
{
    if (!d.FileOv2Aperto().isEmpty() && allRowsHoldCoordinates())
        writeFile(d.FileOv2Aperto());
}

void Ov2Files::SalvaOv2ConNome()
{
    if (!allRowsHoldCoordinates())
        return;
    const QString extension = QStringLiteral(".ov2");
    const QString file = WithExtension(Services::instance().GetSaveFolderItem(
                                           ov2Type(), ProposedFolder(d.FileOv2Aperto()), d.FileName(), extension,
                                           d.DialogParent()),
                                       extension);
    if (!file.isEmpty())
        writeFile(file);
}

bool Ov2Files::allRowsHoldCoordinates()
{
    int first = -1;
    int count = 0;
    for (int row = 0; row < d.ListCount(); ++row) {
        if (CoordinateRule::IsCoordinate(d.CellView(row, Latitude), CoordinateRule::Axis::Latitude)
            && CoordinateRule::IsCoordinate(d.CellView(row, Longitude), CoordinateRule::Axis::Longitude))
            continue;
        first = count == 0 ? row : first;
        ++count;
    }
    if (count == 0)
        return true;
    // Such a row would be written at 0, or where no reader of the file takes it: the user
    // decides what it holds first.
    emit d.showRow(first);
    Services::instance().MsgBox(lkNotCoordinates().arg(count));
    return false;
}

Ov2Files::Read Ov2Files::readRows(const QString& file, bool replacing)
{
    Reading reading {*this, file, replacing, false, 0, {}};
    initOv2();
    const int32_t code = readOv2Each(libraryPath(file).constData(), &Ov2Files::takePois, &reading);
    const QString reason = code == OV2_OK ? QString() : libraryError(code);
    deInitOv2();
    if (code != OV2_OK && !reading.begun) {
        Services::instance().MsgBox(PoiDocument::lkReadError().arg(file, reason));
        return Read::Nothing;
    }
    if (!reading.begun)
        beginReading(reading, 0);
    mRows.finishReading();
    d.Model().endBatch();
    if (code == OV2_OK)
        return Read::Whole;
    // The file changed meanwhile, a read failed or memory ran out part way: the rows
    // added so far stay, but the part of a file is no document of it, which a save would
    // put in the whole file's place.
    const QString added = QString::number(reading.added);
    if (replacing) {
        d.setFileOv2Aperto(QString());
        d.setModificato(true);
        Services::instance().MsgBox(lkPartlyOpened().arg(file, reason, added));
    } else {
        Services::instance().MsgBox(lkPartlyImported().arg(file, reason, added));
    }
    return Read::Part;
}

void Ov2Files::beginReading(Reading& reading, int count)
{
    // The library hands POIs over only once it has checked the whole file: the document
    // is bound to the file, and loses its rows, only then.
    reading.begun = true;
    if (reading.replacing) {
        d.setFileOv2Aperto(reading.file);
        mRows.CancellaTuttiPdi();
    }
    d.Model().beginBatch();
    mRows.beginReading(count);
}

int32_t Ov2Files::takePois(void* context, int32_t total, const Ov2PoiRef* pois, int32_t count)
{
    Reading& reading = *static_cast<Reading*>(context);
    Ov2Files& files = reading.files;
    if (!reading.begun)
        files.beginReading(reading, total);
    for (int i = 0; i < count; ++i) {
        const Ov2PoiRef& poi = pois[i];
        files.mRows.addRead(Latin1Codec::toText(QByteArrayView(poi.description, poi.length), reading.room),
                            poi.latitude, poi.longitude);
    }
    reading.added += count;
    return 0;
}

void Ov2Files::openFile(const QString& file)
{
    const Read read = readRows(file, true);
    if (read == Read::Nothing)
        return;
    mRows.AggiornaNumeroPdiSelezionati();
    if (read == Read::Whole)
        d.setModificato(false);
    emit d.markersStale();
}

int32_t Ov2Files::giveRows(void* context, int32_t first, Ov2PoiRef* out, int32_t capacity)
{
    Writing& writing = *static_cast<Writing*>(context);
    const PoiDocument& d = writing.document;
    const int end = int(std::min<int64_t>(d.ListCount(), int64_t(first) + capacity));
    if (first >= end)
        return 0;
    // The block's descriptions one after the other in one buffer, kept until the next block.
    writing.texts.clear();
    std::vector<qsizetype>& ends = writing.ends;
    ends.clear();
    for (int row = first; row < end; ++row) {
        bool lost = false;
        Latin1Codec::fromUnicode(d.CellView(row, Description), writing.text, &lost);
        writing.replaced += lost ? 1 : 0;
        writing.texts += writing.text;
        ends.push_back(writing.texts.size());
    }
    qsizetype from = 0;
    for (int row = first; row < end; ++row) {
        const qsizetype to = ends[size_t(row - first)];
        *out++ = {writing.texts.constData() + from, int32_t(to - from), Val(d.CellView(row, Latitude)),
                  Val(d.CellView(row, Longitude))};
        from = to;
    }
    return end - first;
}

bool Ov2Files::writeFile(const QString& file)
{
    QString error;
    // The library writes beside the file and replaces it only when every byte is down; it
    // takes the rows block by block, so that they are never held twice.
    Writing writing{d, {}, {}, {}, 0};
    initOv2();
    const int32_t code = writeOv2Each(libraryPath(file).constData(), &Ov2Files::giveRows, &writing);
    if (code != OV2_OK)
        error = libraryError(code);
    const int replaced = writing.replaced;
    Services& services = Services::instance();
    if (!error.isEmpty()) {
        services.MsgBox(PoiDocument::lkWriteError().arg(file, error));
        return false;
    }

    // The rows count as saved only now that the file holds them.
    const QString saved = QStringLiteral("0");
    d.Model().beginBatch();
    for (int row = 0; row < d.ListCount(); ++row) {
        if (d.CellView(row, Mod) != saved)
            d.setCell(row, Mod, saved);
    }
    d.Model().endBatch();
    d.setFileOv2Aperto(file);
    d.setModificato(false);
    if (replaced > 0)
        services.MsgBox(PoiDocument::lkLatin1Replaced().arg(replaced));
    return true;
}
