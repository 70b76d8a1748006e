#include "poi/PoiDocument.h"

#include "platform/ListboxModel.h"
#include "platform/PoiColumn.h"

#include <QFileInfo>

PoiDocument::PoiDocument(QObject* parent)
    : QObject(parent)
    , mModel(new ListboxModel(this))
{
    mModel->setColumns(PoiColumn::Count);
}

void PoiDocument::setFileOv2Aperto(const QString& file)
{
    mFile = file;
    emit titleChanged();
}

void PoiDocument::setModificato(bool modified)
{
    mModified = modified;
    emit titleChanged();
}

QString PoiDocument::FileName() const
{
    return mFile.isEmpty() ? kNewFileName() + QStringLiteral(".ov2") : QFileInfo(mFile).fileName();
}

QString PoiDocument::NomeFinestra() const
{
    return mModified ? FileName() + QStringLiteral(" *") : FileName();
}

int PoiDocument::ListCount() const
{
    return mModel->rows().count();
}

bool PoiDocument::validCell(int row, int column) const
{
    return row >= 0 && row < ListCount() && column >= 0 && column < mModel->columns();
}

QAnyStringView PoiDocument::CellView(int row, int column) const
{
    return validCell(row, column) ? mModel->rows().text(row, column) : QAnyStringView();
}

QString PoiDocument::Cell(int row, int column) const
{
    return CellView(row, column).toString();
}

void PoiDocument::setCell(int row, int column, const QString& text)
{
    if (validCell(row, column))
        mModel->setText(row, column, text);
}

bool PoiDocument::CellCheck(int row, int column) const
{
    return validCell(row, column) && (mModel->rows().at(row).checked & (1u << column));
}

int PoiDocument::MarkedCount() const
{
    int marked = 0;
    for (int row = 0; row < ListCount(); ++row) {
        if (CellCheck(row, PoiColumn::Description))
            ++marked;
    }
    return marked;
}

LOCALIZED_TEXT_IN(PoiDocument, Applicazione, kNewFileName, "senza nome")
LOCALIZED_TEXT_IN(PoiDocument, Applicazione, lkColDescription, "")
LOCALIZED_TEXT_IN(PoiDocument, Applicazione, lkColLatitude, "")
LOCALIZED_TEXT_IN(PoiDocument, Applicazione, lkColLongitude, "")
LOCALIZED_TEXT_IN(PoiDocument, Applicazione, lkReadError, "The file \"%1\" could not be read: %2")
LOCALIZED_TEXT_IN(PoiDocument, Applicazione, lkWriteError, "The file \"%1\" could not be written: %2")
LOCALIZED_TEXT_IN(PoiDocument, Applicazione, lkLatin1Replaced,
                  "%1 descriptions held characters that Windows Latin-1 cannot store; they were written with \"?\" in their place.")
