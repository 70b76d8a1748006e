#include "poi/CsvFiles.h"

#include "platform/CoordinateRule.h"
#include "platform/Latin1Codec.h"
#include "platform/ListboxModel.h"
#include "platform/PoiColumn.h"
#include "platform/RegularFile.h"
#include "platform/Services.h"
#include "platform/TextFunctions.h"
#include "poi/ExportName.h"
#include "poi/PoiDocument.h"
#include "poi/PoiRows.h"

#include <QSaveFile>

namespace {

using enum PoiColumn::Index;

// The lines of the text: CR LF, LF and CR all end a line; an end at the very end of
// the text starts no further line, but an empty text is one empty line.
QList<QStringView> splitLines(QStringView text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines << text.mid(start, i - start);
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n || lines.isEmpty())
        lines << text.mid(start);
    return lines;
}

// A coordinate written as a quoted field, "41.89021", is read without its quotes.
QStringView unquoted(QStringView field)
{
    if (field.size() >= 2 && field.front() == u'"' && field.back() == u'"')
        return field.mid(1, field.size() - 2);
    return field;
}

}  // namespace

LOCALIZED_TEXT(CsvFiles, lkLinesSkipped,
    "Lines not imported: %1. Their longitude or latitude is not a number within -180..180 or "
    "-90..90 (a header line, or the two columns swapped, for one).")

CsvFiles::CsvFiles(PoiDocument& document, PoiRows& rows)
    : d(document)
    , mRows(rows)
{
}

void CsvFiles::SalvaCsv()
{
    const FileType filter{QStringLiteral("garmin/csv"), QStringLiteral("CSV"), QString(), QStringLiteral("csv")};
    if (d.ListCount() == 0)
        return;
    const QString name = ExportFileName(d.FileOv2Aperto(), PoiDocument::kNewFileName(), QStringLiteral(".csv"));
    Services& services = Services::instance();
    const QString extension = QStringLiteral(".csv");
    const QString path = WithExtension(
        services.GetSaveFolderItem(filter, ProposedFolder(d.FileOv2Aperto()), name, extension, d.DialogParent()),
        extension);
    if (path.isEmpty())
        return;

    QByteArray out;
    int replacedRows = 0;
    for (int row = 0; row < d.ListCount(); ++row) {
        bool replaced = false;
        bool any = false;
        out += Latin1Codec::fromUnicode(Trimmed(d.CellView(row, Longitude)), &replaced);
        any |= replaced;
        out += ',';
        out += Latin1Codec::fromUnicode(Trimmed(d.CellView(row, Latitude)), &replaced);
        any |= replaced;
        out += ',';
        out += Latin1Codec::fromUnicode(Trimmed(d.CellView(row, Description)), &replaced);
        any |= replaced;
        out += ",\r\n";
        replacedRows += any ? 1 : 0;
    }

    // A failed write leaves any file that was there as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit()) {
        services.MsgBox(PoiDocument::lkWriteError().arg(path, file.errorString()));
        return;
    }
    if (replacedRows > 0)
        services.MsgBox(PoiDocument::lkLatin1Replaced().arg(replacedRows));
}

bool CsvFiles::_FileImportCsv_Action()
{
    const QString nul4(4, QChar(0));
    const FileType filter{QStringLiteral("csv"), nul4, nul4, QStringLiteral("csv")};
    Services& services = Services::instance();
    const QString path = services.GetOpenFolderItem(filter, d.DialogParent());
    if (path.isEmpty())
        return false;

    QByteArray bytes;
    QString reason;
    if (!RegularFile::ReadAll(path, bytes, reason)) {
        services.MsgBox(PoiDocument::lkReadError().arg(path, reason));
        return false;
    }
    // A file that starts with the byte-order mark was written as UTF-8 (by a spreadsheet,
    // say); any other is Windows Latin-1.
    const QByteArrayView bom("\xEF\xBB\xBF");
    const QString text = bytes.startsWith(bom) ? QString::fromUtf8(QByteArrayView(bytes).sliced(bom.size()))
                                               : Latin1Codec::toUnicode(bytes);
    bytes.clear();

    int skipped = 0;
    d.Model().beginBatch();
    for (QStringView line : splitLines(text)) {
        const QList<QStringView> fields = line.split(u',');
        // A line without three fields or without a position on the globe holds no POI: a
        // header, a note, columns swapped. Blank lines are not worth a word.
        const QStringView longitude = fields.size() >= 3 ? unquoted(fields[0]) : QStringView();
        const QStringView latitude = fields.size() >= 3 ? unquoted(fields[1]) : QStringView();
        if (!CoordinateRule::IsCoordinate(longitude, CoordinateRule::Axis::Longitude)
            || !CoordinateRule::IsCoordinate(latitude, CoordinateRule::Axis::Latitude)) {
            skipped += line.trimmed().isEmpty() ? 0 : 1;
            continue;
        }
        mRows.AggiungiPdiAllaLista(fields[2].toString(), latitude.toString(), longitude.toString(),
                                   QStringLiteral("0"));
    }
    d.Model().endBatch();

    mRows.AggiornaNumeroPdiSelezionati();
    d.setModificato(true);
    emit d.markersStale();
    if (skipped > 0)
        services.MsgBox(lkLinesSkipped().arg(skipped));
    return false;
}
