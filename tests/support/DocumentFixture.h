#pragma once

#include "support/AppFixture.h"

#include <QPoint>

class Applicazione;
class Listbox;
class QAbstractItemView;

// A document window over scripted services, with its list and the list's view in reach.
struct DocumentFixture {
    AppFixture f;
    Applicazione* w = nullptr;
    Listbox* list = nullptr;
    QAbstractItemView* view = nullptr;

    DocumentFixture();

    // The middle of the cell in the view's viewport.
    QPoint cellCenter(int row, int column = 0) const;
    // Whether the title shows the document modified.
    bool titleMarked() const;
};
