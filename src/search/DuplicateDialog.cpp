#include "search/DuplicateDialog.h"

#include "platform/CoordinateRule.h"
#include "platform/EditField.h"
#include "platform/EventPacer.h"
#include "platform/Listbox.h"
#include "platform/PoiColumn.h"
#include "platform/ProgressBar.h"
#include "platform/TextFunctions.h"
#include "search/DuplicateScan.h"

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

#include <vector>

LOCALIZED_TEXT(DuplicateDialog, lkTitle, "")
LOCALIZED_TEXT(DuplicateDialog, lkFind, "")
LOCALIZED_TEXT(DuplicateDialog, lkCancel, "")
LOCALIZED_TEXT(DuplicateDialog, lk_desc, "")

namespace {

const char* const kDefaultThreshold = "0.5";

// Keeps the list's view from hearing of each mark while the scan sets them: the list is
// painted once when the scan ends, however it ends.
class MarkingBatch {
public:
    explicit MarkingBatch(Listbox* list) : mList(list) { mList->BeginUpdate(); }
    ~MarkingBatch()
    {
        if (mList)
            mList->EndUpdate();
    }
    MarkingBatch(const MarkingBatch&) = delete;
    MarkingBatch& operator=(const MarkingBatch&) = delete;

private:
    QPointer<Listbox> mList;
};

}  // namespace

DuplicateDialog::DuplicateDialog(QWidget* parent)
    : QDialog(parent)
{
    Layout();
    _CreateControls0();
}

void DuplicateDialog::Layout()
{
    setWindowFlags(Qt::Sheet | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowModality(Qt::WindowModal);
    setFixedSize(314, 87);
    setWindowTitle(lkTitle());
}

void DuplicateDialog::_CreateControls0()
{
    EditFieldTrova = new EditField(this);
    EditFieldTrova->setGeometry(243, 12, 47, 22);
    EditFieldTrova->setText(QString::fromLatin1(kDefaultThreshold));
    EditFieldTrova->GotFocus.connect(this, [this] { EditFieldTrova->SelectAll(); });
    EditFieldTrova->TextChange.connect(this, [this] { EditFieldTrova_TextChange(); });

    buttonTrova = new QPushButton(lkFind(), this);
    buttonTrova->setGeometry(197, 47, 97, 20);
    buttonTrova->setAutoDefault(false);
    buttonTrova->setDefault(true);
    connect(buttonTrova, &QPushButton::clicked, this, &DuplicateDialog::buttonTrova_Action);

    StaticText1 = new QLabel(lk_desc(), this);
    StaticText1->setGeometry(78, 13, 153, 20);

    buttonAnnulla = new QPushButton(lkCancel(), this);
    buttonAnnulla->setGeometry(20, 47, 95, 20);
    buttonAnnulla->setAutoDefault(false);
    connect(buttonAnnulla, &QPushButton::clicked, this, &DuplicateDialog::buttonAnnulla_Action);

    ProgressBar1 = new ProgressBar(this);
    ProgressBar1->setGeometry(20, 13, 274, 22);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
}

// A threshold that is not a number never stays in the field; a "," is read as "." as
// in the coordinate fields, so "1,5" is typed through "1," without a reset.
void DuplicateDialog::EditFieldTrova_TextChange()
{
    if (!IsNumeric(CoordinateRule::Normalized(EditFieldTrova->Text())))
        EditFieldTrova->setText(QString::fromLatin1(kDefaultThreshold));
}

void DuplicateDialog::buttonTrova_Action()
{
    if (!buttonTrova->isEnabled())
        return;
    QPointer<DuplicateDialog> self(this);
    scan();
    if (self && !annulla)
        accept();
}

void DuplicateDialog::buttonAnnulla_Action()
{
    annulla = true;
    QDialog::reject();
}

void DuplicateDialog::reject()
{
    buttonAnnulla_Action();
}

void DuplicateDialog::scan()
{
    QPointer<Listbox> list(Lista);
    if (!list)
        return;
    const double threshold = Val(CoordinateRule::Normalized(EditFieldTrova->Text()));
    const int rows = list->ListCount();

    buttonTrova->setEnabled(false);
    EditFieldTrova->hide();
    ProgressBar1->setValue(0);
    ProgressBar1->setMaximum(rows - 1);
    ProgressBar1->show();
    // Painted now, so the scan shows at once: the first pass and the set-up of a long
    // list take a while before the second pass first processes events.
    repaint();

    // Positions are read once; every mark the user had set goes.
    std::vector<double> latitudes(size_t(rows), 0.0);
    std::vector<double> longitudes(size_t(rows), 0.0);
    list->BeginUpdate();
    for (int row = 0; row < rows && row < list->ListCount(); ++row) {
        latitudes[size_t(row)] = Val(list->CellView(row, PoiColumn::Latitude));
        longitudes[size_t(row)] = Val(list->CellView(row, PoiColumn::Longitude));
        list->setCellCheck(row, PoiColumn::Description, false);
    }
    list->EndUpdate();

    DuplicateScan duplicates(std::move(latitudes), std::move(longitudes), threshold);
    QPointer<DuplicateDialog> self(this);
    const MarkingBatch batch(list);
    std::vector<int> marked;
    EventPacer events;
    for (int row = 0; row < duplicates.count(); ++row) {
        ProgressBar1->setValue(row);
        // Where Cancel is seen.
        events.DoEvents();
        if (!self)
            return;
        if (annulla || !list || row >= list->ListCount())
            break;
        duplicates.scanRow(row, marked);
        for (const int r : marked) {
            if (r < list->ListCount())
                list->setCellCheck(r, PoiColumn::Description, true);
        }
        marked.clear();
    }
    ProgressBar1->hide();
}
