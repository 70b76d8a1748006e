#pragma once

#include <QObject>
#include <QSet>
#include <QString>

class HTMLViewer;
class MapHost;

// The bridge between a document window and its map page: loading the page into web1,
// the page's loading shown in ProgressBar1, the calls into the page and the
// "handler://" callbacks from it.
class MapBridge {
public:
    // Installs the handlers of the host's web1 events.
    explicit MapBridge(MapHost& host);

    void InizializzaMappa();
    // The callbacks' handlers, each with its argument decoded once.
    void GMapMessaggio(const QString& text);
    void GMapCambiaCoordinate(const QString& text);
    void GMapLeggiCoordinate(const QString& text);
    void GMapSelezionaPoi(const QString& text);

    // web1's events.
    void web1_DocumentBegin(const QString& url);
    void web1_DocumentProgressChanged(const QString& url, int percent);
    void web1_DocumentComplete(const QString& url);
    // byUser: the user asked for it (see HTMLViewer::CancelLoad); only then may another
    // web site open in the browser.
    bool web1_CancelLoad(const QString& url, bool byUser = false);
    HTMLViewer* web1_NewWindow();
    void web1_Error(int code, const QString& text);

    // Calls into the page, for the row given or with the texts given.
    void MostraPunto(int row);
    void EliminaTutto();
    void AggiungiPdi(int row);
    void AdattaZoom();
    void EliminaPdi(const QString& identifier);
    void EliminaPdiRicerca();
    void CercaIndirizzo(const QString& text);
    void MostraRicercaTelefono(const QString& latitude, const QString& longitude, const QString& information);
    // Between these (they nest) the calls reach the page as one script, which makes them
    // in order in one step. A run of removals that takes every marker the page may hold
    // goes as one "EliminaTutto()".
    void BeginCalls();
    void EndCalls();

private:
    // The first row, from 0 up, whose identifier is this; -1 when none.
    int RowOf(const QString& identifier) const;
    void send(QLatin1String function, const QString& arguments);

    MapHost& w;
    int mBatchDepth = 0;
    QString mBatch;
    bool mBatchOnlyRemovals = true;
    // The identifiers the page may hold a marker for: those shown or added since the page
    // last dropped them all. EliminaPdi of any other would change nothing there.
    QSet<QString> mOnPage;
    // The context of every handler this binds: declared last, so it goes first and no
    // handler outlives this object.
    QObject mGuard;
};
