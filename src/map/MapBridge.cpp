#include "map/MapBridge.h"

#include "map/MakerServer.h"
#include "map/MapHost.h"
#include "map/MapPageTexts.h"
#include "platform/CoordinateRule.h"
#include "platform/EditField.h"
#include "platform/HTMLViewer.h"
#include "platform/Listbox.h"
#include "platform/PoiColumn.h"
#include "platform/Services.h"
#include "platform/UrlCodec.h"

#include <QProgressBar>
#include <QUrl>

namespace {

using enum PoiColumn::Index;

const QLatin1String kHandler("handler://");

// What of a callback's argument is decoded: a page may send as much as it likes. A message
// keeps more than a box shows (an encoded character is at most nine); the others hold an
// identifier and a position, and a longer one is no callback of the page's.
constexpr qsizetype kMessageArgument = 64 * 1024;
constexpr qsizetype kMarkerArgument = 4 * 1024;

// The framework's text equality ignores the case of letters.
bool same(QStringView a, QLatin1String b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString quoted(const QString& text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

const QLatin1String kMostraPunto("MostraPunto");
const QLatin1String kEliminaTutto("EliminaTutto");
const QLatin1String kAggiungiPdi("AggiungiPdi");
const QLatin1String kAdattaZoom("AdattaZoom");
const QLatin1String kEliminaPdi("EliminaPdi");

// A batch goes with its own runner, since a page defines only the functions it is called
// by. The calls, [function name, its arguments...] each, run in order, each as its plain
// text would: the function looked up by its name as the call runs. One that fails stops
// none of those after it.
QString dispatcher()
{
    static const QString text = [] {
        QString calls;
        for (const QLatin1String function : {kMostraPunto, kEliminaTutto, kAggiungiPdi, kAdattaZoom, kEliminaPdi})
            calls += function + QLatin1String(":function(a){") + function + QLatin1String("(...a)},");
        return QLatin1String("(function(c){var f={") + calls
            + QLatin1String("};for(var i=0;i<c.length;i++){try{f[c[i][0]](c[i].slice(1))}catch(e){}}})");
    }();
    return text;
}

QString call(QLatin1String function, const QString& arguments)
{
    return function + QLatin1Char('(') + arguments + QLatin1Char(')');
}

// Coordinate texts go into the script unquoted, where "010" would be octal and "07.5" no
// number at all: the page gets the value `Val` reads, as a plain decimal.
QString coordinate(const QString& text)
{
    return CoordinateRule::Decimal(text);
}

QString pointArguments(const QString& latitude, const QString& longitude, const QString& description,
                       const QString& identifier)
{
    return coordinate(latitude) + QLatin1Char(',') + coordinate(longitude) + QLatin1Char(',')
        + quoted(EncodeURLComponent(description)) + QLatin1Char(',') + quoted(identifier);
}

// "identifier|latitude,longitude", decoded a second time; false when a part is missing.
bool splitMarker(const QString& argument, QString& identifier, QStringList& position)
{
    const QStringList parts = DecodeURLComponent(argument).split(QLatin1Char('|'));
    if (parts.size() < 2)
        return false;
    position = parts.at(1).split(QLatin1Char(','));
    if (position.size() < 2)
        return false;
    identifier = parts.at(0);
    return true;
}

}  // namespace

MapBridge::MapBridge(MapHost& host)
    : w(host)
{
    MapPageTexts::Provide();
    HTMLViewer& web1 = *w.web1();
    web1.DocumentBegin.connect(&mGuard, [this](const QString& url) { web1_DocumentBegin(url); });
    web1.DocumentProgressChanged.connect(
        &mGuard, [this](const QString& url, int percent) { web1_DocumentProgressChanged(url, percent); });
    web1.DocumentComplete.connect(&mGuard, [this](const QString& url) { web1_DocumentComplete(url); });
    web1.CancelLoad.connect(&mGuard, [this](const QString& url, bool byUser) { return web1_CancelLoad(url, byUser); });
    web1.NewWindow.connect(&mGuard, [this] { return web1_NewWindow(); });
    web1.Error.connect(&mGuard, [this](int code, const QString& text) { web1_Error(code, text); });
}

void MapBridge::InizializzaMappa()
{
    mOnPage.clear();
    w.web1()->LoadURL(MakerServer::MapPageAddress());
}

void MapBridge::GMapMessaggio(const QString& text)
{
    w.web1()->ShowPageMessage(text);
}

void MapBridge::GMapCambiaCoordinate(const QString& text)
{
    QString identifier;
    QStringList position;
    if (!splitMarker(text, identifier, position))
        return;
    const int row = RowOf(identifier);
    // The page's text is kept, but only when it is a coordinate the rest of the program
    // reads as the page meant it.
    if (row < 0 || !CoordinateRule::IsCoordinate(position.at(0), CoordinateRule::Axis::Latitude) ||
        !CoordinateRule::IsCoordinate(position.at(1), CoordinateRule::Axis::Longitude))
        return;
    Listbox& list = *w.ListBox1();
    // An edit open on the row would be overwritten: it is stored first.
    list.CommitEdit();
    list.setCell(row, Latitude, position.at(0));
    list.setCell(row, Longitude, position.at(1));
    list.setCell(row, Mod, QStringLiteral("1"));
    list.setScrollPosition(row);
    // The moved POI is written by the next save: closing must not lose it unasked.
    w.setModificato(true);
}

void MapBridge::GMapLeggiCoordinate(const QString& text)
{
    const QStringList position = text.split(QLatin1Char(','));
    if (position.size() < 2)
        return;
    w.EditFieldLatitudine()->setText(position.at(0));
    w.EditFieldLongitudine()->setText(position.at(1));
    w.EditFieldNome()->SetFocus();
}

void MapBridge::GMapSelezionaPoi(const QString& text)
{
    QString identifier;
    QStringList position;
    if (!splitMarker(text, identifier, position))
        return;
    const int row = RowOf(identifier);
    if (row < 0)
        return;
    // The selection comes from the map: it is not sent back to it.
    w.setDisableClickPoi(true);
    w.ListBox1()->setListIndex(row);
    w.ListBox1()->setScrollPosition(row);
    w.setDisableClickPoi(false);
}

void MapBridge::web1_DocumentBegin(const QString&)
{
    w.ProgressBar1()->setValue(0);
    w.ProgressBar1()->setVisible(true);
}

void MapBridge::web1_DocumentProgressChanged(const QString&, int percent)
{
    // A maximum of 0 shows activity without a measure.
    w.ProgressBar1()->setMaximum(percent == -1 ? 0 : 100);
    w.ProgressBar1()->setValue(percent);
}

void MapBridge::web1_DocumentComplete(const QString&)
{
    w.ProgressBar1()->setVisible(false);
}

bool MapBridge::web1_CancelLoad(const QString& url, bool byUser)
{
    if (url.size() > kHandler.size() && url.startsWith(kHandler, Qt::CaseInsensitive)) {
        const QStringView command = QStringView(url).mid(10, 4);
        const QStringView argument = QStringView(url).mid(14);
        const auto decoded = [argument] { return DecodeURLComponent(argument.toString()); };
        if (same(command, QLatin1String("CMD0")))
            GMapMessaggio(DecodeURLComponent(argument.left(kMessageArgument).toString()));
        else if (argument.size() > kMarkerArgument)
            return true;
        else if (same(command, QLatin1String("CMD1")))
            GMapCambiaCoordinate(decoded());
        else if (same(command, QLatin1String("CMD2")))
            GMapLeggiCoordinate(decoded());
        else if (same(command, QLatin1String("CMD3")))
            GMapSelezionaPoi(decoded());
        return true;
    }
    if (MakerServer::IsSiteAddress(url))
        return false;
    // Only another web site goes to the user's browser: a page must not have the system
    // open a file, a program or whatever another scheme stands for. And only when the user
    // asked: a page could otherwise start the browser again and again.
    const QString scheme = QUrl(url).scheme();
    if (byUser && (scheme == QLatin1String("http") || scheme == QLatin1String("https")))
        Services::instance().ShowURL(url);
    return true;
}

HTMLViewer* MapBridge::web1_NewWindow()
{
    return w.web1();
}

void MapBridge::web1_Error(int, const QString& text)
{
    w.web1()->ShowPageMessage(text);
}

void MapBridge::MostraPunto(int row)
{
    const Listbox& list = *w.ListBox1();
    const QString identifier = list.Cell(row, Id);
    mOnPage.insert(identifier);
    send(kMostraPunto, pointArguments(list.Cell(row, Latitude), list.Cell(row, Longitude),
                                      list.Cell(row, Description), identifier));
}

void MapBridge::EliminaTutto()
{
    mOnPage.clear();
    send(kEliminaTutto, QString());
}

void MapBridge::AggiungiPdi(int row)
{
    const Listbox& list = *w.ListBox1();
    const QString identifier = list.Cell(row, Id);
    mOnPage.insert(identifier);
    send(kAggiungiPdi, pointArguments(list.Cell(row, Latitude), list.Cell(row, Longitude),
                                      list.Cell(row, Description), identifier));
}

void MapBridge::AdattaZoom()
{
    send(kAdattaZoom, QString());
}

void MapBridge::EliminaPdi(const QString& identifier)
{
    if (mOnPage.remove(identifier))
        send(kEliminaPdi, quoted(identifier));
}

void MapBridge::BeginCalls()
{
    ++mBatchDepth;
}

void MapBridge::EndCalls()
{
    if (mBatchDepth == 0 || --mBatchDepth > 0)
        return;
    if (!mBatch.isEmpty()) {
        const bool clearsAll = mBatchOnlyRemovals && mOnPage.isEmpty();
        w.web1()->EvaluateJavaScriptMBS(clearsAll ? call(kEliminaTutto, QString())
                                                  : dispatcher() + QLatin1String("([") + mBatch + QLatin1String("])"));
    }
    mBatch.clear();
    mBatchOnlyRemovals = true;
}

void MapBridge::send(QLatin1String function, const QString& arguments)
{
    if (mBatchDepth == 0) {
        w.web1()->EvaluateJavaScriptMBS(call(function, arguments));
        return;
    }
    mBatchOnlyRemovals = mBatchOnlyRemovals && function == kEliminaPdi;
    if (!mBatch.isEmpty())
        mBatch += QLatin1Char(',');
    mBatch += QLatin1String("[\"") + function + QLatin1Char('"');
    if (!arguments.isEmpty())
        mBatch += QLatin1Char(',') + arguments;
    mBatch += QLatin1Char(']');
}

void MapBridge::EliminaPdiRicerca()
{
    w.web1()->EvaluateJavaScriptMBS(QStringLiteral("EliminaPdiRicerca()"));
}

void MapBridge::CercaIndirizzo(const QString& text)
{
    w.web1()->EvaluateJavaScriptMBS(call(QLatin1String("CercaIndirizzo"), quoted(EncodeURLComponent(text))));
}

void MapBridge::MostraRicercaTelefono(const QString& latitude, const QString& longitude, const QString& information)
{
    w.web1()->EvaluateJavaScriptMBS(call(QLatin1String("MostraRicercaTelefono"),
        coordinate(latitude) + QLatin1Char(',') + coordinate(longitude) + QLatin1Char(',')
            + quoted(EncodeURLComponent(information))));
}

int MapBridge::RowOf(const QString& identifier) const
{
    // A page can send callbacks without end: none may cost a pass over a million rows.
    return w.ListBox1()->FindRow(Id, identifier);
}
