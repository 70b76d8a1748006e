// The list control at a million rows: filling it as a file is read, sorting it on a
// coordinate column, removing marked rows bottom-up, and the memory the rows take.

#include "platform/Listbox.h"
#include "platform/TextFunctions.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

constexpr int Rows = 1'000'000;

struct Source {
    std::vector<QString> shortTexts;  // 40 characters
    std::vector<QString> longTexts;   // 60 characters: inserted at the top
    std::vector<QString> ids;
    std::vector<QString> latitudes;
    std::vector<QString> longitudes;
};

Source makeSource()
{
    Source s;
    for (int i = 0; i < 997; ++i) {
        s.shortTexts.push_back(QStringLiteral("Autovelox %1 via della Repubblica km 1").arg(i, 3, 10, QChar(u'0')));
        s.longTexts.push_back(s.shortTexts.back() + QStringLiteral(" presso lo svincolo nord"));
    }
    for (int i = 0; i < 1009; ++i)
        s.ids.push_back(QStringLiteral("6F9619FF-8B86-D011-B42D-00C04FC9%1").arg(i, 4, 16, QChar(u'0')).toUpper());
    std::mt19937 random(42);
    std::uniform_real_distribution<double> lat(-89.0, 89.0);
    std::uniform_real_distribution<double> lon(-179.0, 179.0);
    for (int i = 0; i < Rows; ++i) {
        s.latitudes.push_back(QString::number(lat(random), 'f', 5));
        s.longitudes.push_back(QString::number(lon(random), 'f', 5));
    }
    return s;
}

// The plain decimal numbers of the coordinate columns, read without a copy.
template <typename Char>
double fastDigits(const Char* c, const Char* end)
{
    static constexpr double Scales[] = {1, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8, 1e-9};
    const bool negative = c < end && *c == u'-';
    c += negative;
    int64_t digits = 0;
    int decimals = -1;
    for (; c < end && decimals < 9; ++c) {
        if (*c == u'.' && decimals < 0)
            decimals = 0;
        else if (*c >= u'0' && *c <= u'9' && digits < (int64_t(1) << 58))
            digits = digits * 10 + (*c - u'0'), decimals += decimals >= 0;
        else
            break;
    }
    const double value = double(digits) * Scales[std::max(decimals, 0)];
    return negative ? -value : value;
}

double fastNumber(QAnyStringView text)
{
    if (IsUtf16(text)) {
        const auto* c = static_cast<const char16_t*>(text.data());
        return fastDigits(c, c + text.size());
    }
    const auto* c = static_cast<const char*>(text.data());
    return fastDigits(c, c + text.size());
}

size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

double fill(Listbox& list, const Source& s, const QPixmap& picture, int longEvery)
{
    const QString zero = QStringLiteral("0");
    QElapsedTimer timer;
    timer.start();
    list.BeginUpdate();
    for (int i = 0; i < Rows; ++i) {
        const bool isLong = longEvery > 0 && i % longEvery == 0;
        int row;
        if (isLong) {
            list.InsertRow(0, s.longTexts[size_t(i % 997)]);
            row = 0;
        } else {
            list.AddRow(s.shortTexts[size_t(i % 997)]);
            row = list.LastIndex();
        }
        list.setCell(row, 1, s.latitudes[size_t(i)]);
        list.setCell(row, 2, s.longitudes[size_t(i)]);
        list.setCellCheck(row, 0, false);
        list.setCellType(row, 0, Listbox::TypeCheckbox);
        list.setCell(row, 3, s.ids[size_t(i % 1009)]);
        list.setCell(row, 4, zero);
        list.setCell(row, 5, QString());
        list.setRowPicture(row, &picture);
    }
    list.EndUpdate();
    QApplication::processEvents();
    return double(timer.nsecsElapsed()) / 1e6;
}

Listbox* makeList()
{
    auto* list = new Listbox;
    list->setColumnCount(6);
    list->setColumnWidths(QStringLiteral("60%,20%,20%"));
    list->setHasHeading(true);
    list->resize(560, 556);
    list->show();
    return list;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Source source = makeSource();
    QPixmap picture(16, 16);
    picture.fill(Qt::green);

    std::printf("rows: %d\n", Rows);
    {
        const size_t before = heapInUse();
        Listbox* list = makeList();
        const double ms = fill(*list, source, picture, 0);
        malloc_trim(0);
        const size_t bytes = heapInUse() - before;
        std::printf("fill, all appended (AddRow):                 %8.1f ms\n", ms);
        std::printf("memory of the filled list:                   %8.1f MB (%.0f bytes a row)\n",
                    double(bytes) / 1e6, double(bytes) / Rows);
        delete list;
    }
    {
        Listbox* list = makeList();
        const double ms = fill(*list, source, picture, 1);
        std::printf("fill, all inserted at the top (InsertRow 0): %8.1f ms\n", ms);
        delete list;
    }

    Listbox* list = makeList();
    const double mixedMs = fill(*list, source, picture, 2);
    std::printf("fill, every other row at the top:            %8.1f ms\n", mixedMs);

    QElapsedTimer timer;
    const auto sortOn = [&](const char* what, int sortColumn, double (*number)(QAnyStringView), int direction) {
        list->CompareRows.connect(list, [list, number](int row1, int row2, int column, int& result) {
            if (column != 1 && column != 2)
                return false;
            result = number(list->CellView(row1, column)) > number(list->CellView(row2, column)) ? 1 : -1;
            return true;
        });
        list->setSortedColumn(sortColumn);
        list->setColumnSortDirection(sortColumn, direction);
        timer.start();
        list->Sort();
        std::printf("sort %-36s %8.1f ms\n", what, double(timer.nsecsElapsed()) / 1e6);
        for (int row = 1; row < list->ListCount(); ++row)
            if (direction * (number(list->CellView(row - 1, sortColumn)) - number(list->CellView(row, sortColumn))) > 0) {
                std::printf("NOT SORTED at row %d\n", row);
                std::exit(1);
            }
    };
    sortOn("latitude, fast parse, random order:", 1, fastNumber, 1);
    sortOn("latitude, fast parse, reversed:", 1, fastNumber, -1);
    sortOn("longitude, Val, random order:", 2, [](QAnyStringView t) { return Val(t); }, 1);

    list->setSortedColumn(0);
    timer.start();
    list->Sort();
    std::printf("sort on description (text comparison):       %8.1f ms\n", double(timer.nsecsElapsed()) / 1e6);

    timer.start();
    for (int row = 0; row < list->ListCount(); ++row)
        list->setCell(row, 5, QStringLiteral("0"));
    std::printf("setCell on every row, outside a batch:       %8.1f ms\n", double(timer.nsecsElapsed()) / 1e6);
    timer.start();
    list->BeginUpdate();
    for (int row = 0; row < list->ListCount(); ++row)
        list->setCell(row, 5, QStringLiteral("1"));
    list->EndUpdate();
    std::printf("setCell on every row, inside a batch:        %8.1f ms\n", double(timer.nsecsElapsed()) / 1e6);

    list->BeginUpdate();
    for (int row = 0; row < list->ListCount(); row += 10)
        list->setCellCheck(row, 0, true);
    list->EndUpdate();
    timer.start();
    int removed = 0;
    list->BeginUpdate();
    for (int row = list->ListCount() - 1; row >= 0; --row) {
        if (list->CellCheck(row, 0)) {
            const QString id = list->Cell(row, 3);
            list->RemoveRow(row);
            removed += !id.isEmpty();
        }
    }
    list->EndUpdate();
    QApplication::processEvents();
    std::printf("remove %d marked rows bottom-up (batch):  %8.1f ms, %d rows left\n", removed,
                double(timer.nsecsElapsed()) / 1e6, list->ListCount());
    delete list;
    return 0;
}
