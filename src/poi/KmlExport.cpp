#include "poi/KmlExport.h"

#include "platform/CoordinateRule.h"
#include "platform/PoiColumn.h"
#include "platform/Services.h"
#include "poi/ExportName.h"
#include "poi/PoiDocument.h"
#include "poi/XmlText.h"

#include <QSaveFile>

namespace {
using enum PoiColumn::Index;
}

KmlExport::KmlExport(PoiDocument& document)
    : d(document)
{
}

void KmlExport::SalvaKml(const QString& webSite)
{
    if (d.ListCount() == 0)
        return;
    const QString name = ExportFileName(d.FileOv2Aperto(), PoiDocument::kNewFileName(), QStringLiteral(".kml"));
    Services& services = Services::instance();
    const QString extension = QStringLiteral(".kml");
    const QString path = WithExtension(
        services.GetSaveFolderItem(FileType{}, ProposedFolder(d.FileOv2Aperto()), name, extension, d.DialogParent()),
        extension);
    if (path.isEmpty())
        return;

    const QString documentName = d.FileName();
    // The whole document is built in memory and written in one step, as text: a tree of
    // a million placemarks would take gigabytes, and a general writer seconds.
    QByteArray out;
    out.reserve(qsizetype(d.ListCount()) * 160 + 512);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml creator=\"";
    AppendXmlText(out, QStringLiteral("Lumetra 1.4.0.5 ") + webSite);
    out += "\" xmlns=\"http://earth.google.com/kml/2.0\">\n  <Document>\n    <name>";
    AppendXmlText(out, documentName);
    out += "</name>\n    <Folder>\n      <name>";
    AppendXmlText(out, documentName);
    out += "</name>\n";
    for (int row = 0; row < d.ListCount(); ++row) {
        out += "      <Placemark>\n        <name>";
        AppendXmlText(out, d.CellView(row, Description));
        out += "</name>\n        <Point>\n          <coordinates>";
        // The numbers a reader takes: a blank or a leading zero would turn them into 0.
        out += CoordinateRule::Decimal(d.CellView(row, Longitude)).toLatin1();
        out += ',';
        out += CoordinateRule::Decimal(d.CellView(row, Latitude)).toLatin1();
        out += ",0</coordinates>\n        </Point>\n      </Placemark>\n";
    }
    out += "    </Folder>\n  </Document>\n</kml>\n";

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit())
        services.MsgBox(PoiDocument::lkWriteError().arg(path, file.errorString()));
}
