#pragma once

#include <QString>

#include <vector>

class QTableView;

// The widths of a list's columns, as the framework writes them: comma-separated, "60%" of
// the visible width, "120" pixels, "*" a share of what is left; a column without a width
// (or with "0") is hidden. With no widths at all every column takes an equal share.
class ListboxColumnWidths {
public:
    QString text() const { return mText; }
    void setText(const QString& widths);
    // Hides and sizes the view's columns for its present width.
    void apply(QTableView& view) const;
    // Keeps the widths the user gave the visible columns, as shares of the present width.
    void takeFrom(const QTableView& view);

private:
    struct Spec {
        enum Kind { Hidden, Percent, Pixels, Star } kind = Hidden;
        double value = 0;
    };

    Spec of(int column) const;

    std::vector<Spec> mSpecs;
    QString mText;
};
