#include "platform/ListboxColumnWidths.h"

#include <QHeaderView>
#include <QStringList>
#include <QTableView>

#include <cmath>

void ListboxColumnWidths::setText(const QString& widths)
{
    mText = widths;
    mSpecs.clear();
    if (widths.trimmed().isEmpty())
        return;
    for (const QString& part : widths.split(u',')) {
        const QString text = part.trimmed();
        Spec spec;
        bool ok = false;
        if (text == u"*") {
            spec.kind = Spec::Star;
        } else if (text.endsWith(u'%')) {
            spec.value = text.chopped(1).trimmed().toDouble(&ok);
            spec.kind = ok && spec.value > 0 ? Spec::Percent : Spec::Hidden;
        } else {
            spec.value = text.toDouble(&ok);
            spec.kind = ok && spec.value > 0 ? Spec::Pixels : Spec::Hidden;
        }
        mSpecs.push_back(spec);
    }
}

ListboxColumnWidths::Spec ListboxColumnWidths::of(int column) const
{
    if (mSpecs.empty())
        return {Spec::Star, 0};
    return size_t(column) < mSpecs.size() ? mSpecs[size_t(column)] : Spec();
}

void ListboxColumnWidths::apply(QTableView& view) const
{
    const int columns = view.model()->columnCount();
    const double available = view.viewport()->width();
    double used = 0;
    int stars = 0;
    for (int c = 0; c < columns; ++c) {
        const Spec spec = of(c);
        if (spec.kind == Spec::Percent)
            used += available * spec.value / 100.0;
        else if (spec.kind == Spec::Pixels)
            used += spec.value;
        else if (spec.kind == Spec::Star)
            ++stars;
    }
    const double share = stars > 0 ? std::max(0.0, available - used) / stars : 0.0;
    QHeaderView* heading = view.horizontalHeader();
    double edge = 0;
    for (int c = 0; c < columns; ++c) {
        const Spec spec = of(c);
        view.setColumnHidden(c, spec.kind == Spec::Hidden);
        double width = share;
        if (spec.kind == Spec::Hidden)
            continue;
        if (spec.kind == Spec::Percent)
            width = available * spec.value / 100.0;
        else if (spec.kind == Spec::Pixels)
            width = spec.value;
        // Rounded at the edges, so the shares add up to the whole width.
        heading->resizeSection(c, int(std::lround(edge + width) - std::lround(edge)));
        edge += width;
    }
}

void ListboxColumnWidths::takeFrom(const QTableView& view)
{
    const double available = view.viewport()->width();
    if (available <= 0)
        return;
    const int columns = view.model()->columnCount();
    std::vector<Spec> specs(static_cast<size_t>(columns));
    QStringList texts;
    for (int c = 0; c < columns; ++c) {
        if (view.isColumnHidden(c)) {
            texts.append(QStringLiteral("0"));
            continue;
        }
        specs[size_t(c)] = {Spec::Percent, view.horizontalHeader()->sectionSize(c) * 100.0 / available};
        texts.append(QString::number(specs[size_t(c)].value, 'f', 1) + u'%');
    }
    mSpecs = specs;
    mText = texts.join(u',');
}
