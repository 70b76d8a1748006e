#include "support/DocumentFixture.h"

#include "platform/Listbox.h"
#include "window/Applicazione.h"

#include <QAbstractItemView>

DocumentFixture::DocumentFixture()
{
    w = f.newWindow();
    list = w->ListBox1();
    view = list->view();
}

QPoint DocumentFixture::cellCenter(int row, int column) const
{
    return view->visualRect(view->model()->index(row, column)).center();
}

bool DocumentFixture::titleMarked() const
{
    return w->windowTitle().endsWith(QStringLiteral(" *]"));
}
