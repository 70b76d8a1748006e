#include "poi/KmlExport.h"

#include "map/MakerServer.h"
#include "platform/Listbox.h"
#include "platform/Services.h"
#include "poi/ExportName.h"
#include "window/Applicazione.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamWriter>

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
    // The whole document is built in memory and written in one step; a streaming
    // writer keeps a million placemarks to a few hundred megabytes less than a tree.
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("kml"));
    xml.writeAttribute(QStringLiteral("creator"), QStringLiteral("Lumetra 1.4.0.5 ") + MakerServer::WebSite());
    xml.writeAttribute(QStringLiteral("xmlns"), QStringLiteral("http://earth.google.com/kml/2.0"));
    xml.writeStartElement(QStringLiteral("Document"));
    xml.writeTextElement(QStringLiteral("name"), documentName);
    xml.writeStartElement(QStringLiteral("Folder"));
    xml.writeTextElement(QStringLiteral("name"), documentName);
    for (int row = 0; row < list.ListCount(); ++row) {
        xml.writeStartElement(QStringLiteral("Placemark"));
        xml.writeTextElement(QStringLiteral("name"), list.Cell(row, Description));
        xml.writeStartElement(QStringLiteral("Point"));
        xml.writeTextElement(QStringLiteral("coordinates"), list.Cell(row, Longitude) + u',' +
                                                                 list.Cell(row, Latitude) + QStringLiteral(",0"));
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndDocument();

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit())
        services.MsgBox(Applicazione::lkWriteError().arg(path, file.errorString()));
}
