#include "poi/KmlExport.h"

#include "map/MakerServer.h"
#include "platform/Listbox.h"
#include "platform/Services.h"
#include "poi/ExportName.h"
#include "poi/XmlText.h"
#include "window/Applicazione.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {
enum Column { Description = 0, Latitude = 1, Longitude = 2 };
}

KmlExport::KmlExport(Applicazione& window)
    : w(window)
{
}

void KmlExport::SalvaKml()
{
    Listbox& list = *w.ListBox1;
    if (list.ListCount() == 0)
        return;
    const QString name = ExportFileName(w.FileOv2Aperto, Applicazione::kNewFileName(), QStringLiteral(".kml"));
    Services& services = Services::instance();
    const QString path = services.GetSaveFolderItem(FileType{}, name, &w);
    if (path.isEmpty())
        return;

    const QString documentName = w.FileOv2Aperto.isEmpty() ? Applicazione::kNewFileName() + QStringLiteral(".ov2")
                                                            : QFileInfo(w.FileOv2Aperto).fileName();
    // The whole document is built in memory and written in one step, as text: a tree of
    // a million placemarks would take gigabytes, and a general writer seconds.
    QByteArray out;
    out.reserve(qsizetype(list.ListCount()) * 160 + 512);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml creator=\"";
    AppendXmlText(out, QStringLiteral("Lumetra 1.4.0.5 ") + MakerServer::WebSite());
    out += "\" xmlns=\"http://earth.google.com/kml/2.0\">\n  <Document>\n    <name>";
    AppendXmlText(out, documentName);
    out += "</name>\n    <Folder>\n      <name>";
    AppendXmlText(out, documentName);
    out += "</name>\n";
    for (int row = 0; row < list.ListCount(); ++row) {
        out += "      <Placemark>\n        <name>";
        AppendXmlText(out, list.CellView(row, Description));
        out += "</name>\n        <Point>\n          <coordinates>";
        AppendXmlText(out, list.CellView(row, Longitude));
        out += ',';
        AppendXmlText(out, list.CellView(row, Latitude));
        out += ",0</coordinates>\n        </Point>\n      </Placemark>\n";
    }
    out += "    </Folder>\n  </Document>\n</kml>\n";

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit())
        services.MsgBox(Applicazione::lkWriteError().arg(path, file.errorString()));
}
