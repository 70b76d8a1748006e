#include "poi/Ov2Files.h"

#include "ov2/Ov2Dylib.h"
#include "platform/Latin1Codec.h"
#include "platform/Listbox.h"
#include "platform/Services.h"
#include "platform/TextFunctions.h"
#include "poi/PoiRows.h"
#include "window/Applicazione.h"

#include <QFile>
#include <QFileInfo>

namespace {

enum Column { Description = 0, Latitude = 1, Longitude = 2, Mod = 4 };

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

QString libraryError()
{
    return QString::fromUtf8(ov2LastError());
}

}  // namespace

Ov2Files::Ov2Files(Applicazione& window)
    : w(window)
{
}

void Ov2Files::ApriOv2()
{
    if (!w.ConfirmDiscardChanges())
        return;
    const QString file = Services::instance().GetOpenFolderItem(ov2Type(), &w);
    if (!file.isEmpty())
        openFile(file);
}

void Ov2Files::ImportaOv2()
{
    const QString file = Services::instance().GetOpenFolderItem(ov2Type(), &w);
    if (file.isEmpty() || !readIntoLibrary(file))
        return;
    appendLibraryPois();
    w.AggiornaNumeroPdiSelezionati();
    w.Modificato = true;
    w.AggiornaTitolo();
    w.SvuotaPdiMappa();
}

void Ov2Files::ApriOv2DaFile(const QString& file)
{
    if (file.isEmpty() || !w.ConfirmDiscardChanges())
        return;
    openFile(file);
}

void Ov2Files::SalvaOv2()
{
    if (!w.FileOv2Aperto.isEmpty())
        writeFile(w.FileOv2Aperto);
}

void Ov2Files::SalvaOv2ConNome()
{
    const QString name = w.FileOv2Aperto.isEmpty() ? Applicazione::kNewFileName() + QStringLiteral(".ov2")
                                                   : QFileInfo(w.FileOv2Aperto).fileName();
    const QString file = Services::instance().GetSaveFolderItem(ov2Type(), name, &w);
    if (!file.isEmpty())
        writeFile(file);
}

bool Ov2Files::readIntoLibrary(const QString& file)
{
    initOv2();
    if (readOv2(libraryPath(file).constData()) == OV2_OK)
        return true;
    const QString reason = libraryError();
    deInitOv2();
    Services::instance().MsgBox(Applicazione::lkReadError().arg(file, reason));
    return false;
}

void Ov2Files::appendLibraryPois()
{
    Listbox& list = *w.ListBox1;
    const QString fromFile = QStringLiteral("0");
    const int count = getOv2PoiCount();
    list.BeginUpdate();
    for (int i = 0; i < count; ++i) {
        double latitude = 0.0;
        double longitude = 0.0;
        const char* text = getOv2Poi(i, &latitude, &longitude);
        w.AggiungiPdiAllaLista(Latin1Codec::toUnicode(text), PoiRows::GeoFormatter(latitude),
                               PoiRows::GeoFormatter(longitude), fromFile);
    }
    list.EndUpdate();
    deInitOv2();
}

void Ov2Files::openFile(const QString& file)
{
    // The document is bound to the file only once the library could read it.
    if (!readIntoLibrary(file))
        return;
    w.FileOv2Aperto = file;
    w.AggiornaTitolo();
    w.CancellaTuttiPdi();
    appendLibraryPois();
    w.AggiornaNumeroPdiSelezionati();
    w.Modificato = false;
    w.AggiornaTitolo();
    w.SvuotaPdiMappa();
}

bool Ov2Files::writeFile(const QString& file)
{
    Listbox& list = *w.ListBox1;
    initOv2();
    int replaced = 0;
    QString error;
    QByteArray text;
    for (int row = 0; row < list.ListCount(); ++row) {
        bool lost = false;
        Latin1Codec::fromUnicode(list.CellView(row, Description), text, &lost);
        replaced += lost ? 1 : 0;
        if (addOv2Poi(text.constData(), Val(list.CellView(row, Latitude)), Val(list.CellView(row, Longitude))) !=
            OV2_OK) {
            error = libraryError();
            break;
        }
    }
    // The library writes beside the file and replaces it only when every byte is down.
    if (error.isEmpty() && writeOv2(libraryPath(file).constData()) != OV2_OK)
        error = libraryError();
    deInitOv2();
    Services& services = Services::instance();
    if (!error.isEmpty()) {
        services.MsgBox(Applicazione::lkWriteError().arg(file, error));
        return false;
    }

    // The rows count as saved only now that the file holds them.
    const QString saved = QStringLiteral("0");
    list.BeginUpdate();
    for (int row = 0; row < list.ListCount(); ++row) {
        if (list.CellView(row, Mod) != saved)
            list.setCell(row, Mod, saved);
    }
    list.EndUpdate();
    w.FileOv2Aperto = file;
    w.Modificato = false;
    w.AggiornaTitolo();
    if (replaced > 0)
        services.MsgBox(Applicazione::lkLatin1Replaced().arg(replaced));
    return true;
}
