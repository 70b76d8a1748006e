#pragma once

#include "platform/Localized.h"

#include <QObject>
#include <QString>
#include <QAnyStringView>

class ListboxModel;
class QWidget;

// What one window edits: the POI rows (the list's model), the OV2 file they are bound
// to and whether they changed since. Changes others show (the title, the marked count,
// the map's markers) are told by signals, so the document works without a window.
class PoiDocument final : public QObject {
    Q_OBJECT
public:
    explicit PoiDocument(QObject* parent = nullptr);

    // The rows, as the table model a list shows.
    ListboxModel& Model() { return *mModel; }
    const ListboxModel& Model() const { return *mModel; }

    // The document's file; empty while untitled.
    const QString& FileOv2Aperto() const { return mFile; }
    void setFileOv2Aperto(const QString& file);
    bool Modificato() const { return mModified; }
    void setModificato(bool modified);
    // The file's name, or the untitled name, with " *" while modified.
    QString NomeFinestra() const;
    // The file's name, or the untitled name.
    QString FileName() const;

    // Rows and cells; an index out of range reads as empty and writes nothing.
    int ListCount() const;
    QAnyStringView CellView(int row, int column) const;
    QString Cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);
    bool CellCheck(int row, int column) const;
    int MarkedCount() const;

    // The window that file dialogs open over; none for a document on its own.
    QWidget* DialogParent() const { return mDialogParent; }
    void setDialogParent(QWidget* parent) { mDialogParent = parent; }

    // The texts are the window's: they keep its translations.
    LOCALIZED_TEXT_DECL(kNewFileName);
    LOCALIZED_TEXT_DECL(lkColDescription);
    LOCALIZED_TEXT_DECL(lkColLatitude);
    LOCALIZED_TEXT_DECL(lkColLongitude);
    LOCALIZED_TEXT_DECL(lkReadError);
    LOCALIZED_TEXT_DECL(lkWriteError);
    LOCALIZED_TEXT_DECL(lkLatin1Replaced);

signals:
    // The file or the modified flag was set: the title and the Window menu follow.
    void titleChanged();
    // The rows or their marks changed where the marked count is shown again.
    void markedCountChanged();
    // All rows are about to go.
    void clearing();
    // Marked rows are being removed, one marker each, between the two signals.
    void removingMarkers();
    void markerRemoved(const QString& identifier);
    void markersRemoved();
    // The rows were replaced or extended: the map's markers no longer stand for them.
    void markersStale();
    // A row the user must look at: the window selects it and scrolls to it.
    void showRow(int row);

private:
    bool validCell(int row, int column) const;

    ListboxModel* mModel;
    QString mFile;
    bool mModified = false;
    QWidget* mDialogParent = nullptr;
};
