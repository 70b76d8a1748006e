#pragma once

#include <QString>

class Applicazione;

// The bridge between a document window and its map page: loading, calls into the page, callbacks from it.
class MapBridge {
public:
    explicit MapBridge(Applicazione& window);

    void InizializzaMappa();
    void GMapMessaggio(const QString& text);
    void GMapCambiaCoordinate(const QString& text);
    void GMapLeggiCoordinate(const QString& text);
    void GMapSelezionaPoi(const QString& text);
    void MostraPunto(int row);
    void EliminaTutto();
    void AggiungiPdi(int row);
    void AdattaZoom();
    void EliminaPdi(const QString& identifier);
    void EliminaPdiRicerca();
    void CercaIndirizzo(const QString& text);
    void MostraRicercaTelefono(const QString& latitude, const QString& longitude, const QString& information);

private:
    Applicazione& w;
};
