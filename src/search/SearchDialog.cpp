#include "search/SearchDialog.h"

#include "platform/CoordinateRule.h"
#include "platform/EditField.h"
#include "platform/Listbox.h"
#include "platform/LockLayout.h"
#include "platform/PoiColumn.h"
#include "platform/Services.h"
#include "platform/TextFunctions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

LOCALIZED_TEXT(SearchDialog, lkTitle, "")
LOCALIZED_TEXT(SearchDialog, lkFind, "")
LOCALIZED_TEXT(SearchDialog, lkReplaceWith, "")
LOCALIZED_TEXT(SearchDialog, lkCheckMarked, "")
LOCALIZED_TEXT(SearchDialog, lkCancel, "")
LOCALIZED_TEXT(SearchDialog, lkSearch, "")
LOCALIZED_TEXT(SearchDialog, lkNext, "")
LOCALIZED_TEXT(SearchDialog, lkReplace, "")
LOCALIZED_TEXT(SearchDialog, lkReplaceAll, "")
LOCALIZED_TEXT(SearchDialog, lkComboReplace, "")
LOCALIZED_TEXT(SearchDialog, lkElementNotFound, "")
LOCALIZED_TEXT(SearchDialog, lkWordNotFound, "")
LOCALIZED_TEXT(SearchDialog, lkReplaceOk1, "")
LOCALIZED_TEXT(SearchDialog, lkReplaceOk2, "")
LOCALIZED_TEXT(SearchDialog, lkCellsKept,
               "Left unchanged: [N]. The result would not be a coordinate: a number from -90 to 90 for a latitude, "
               "from -180 to 180 for a longitude.")
LOCALIZED_TEXT(SearchDialog, lkNotCoordinate, "Not a coordinate: the cell was left unchanged.")

namespace {

// Matching and replacing share this one rule: Unicode simple case folding.
constexpr Qt::CaseSensitivity kCase = Qt::CaseInsensitive;

// The searchable columns, in the pop-up's order: description, latitude, longitude.
constexpr int kSearchableColumns = PoiColumn::Longitude + 1;

bool contains(QAnyStringView text, QStringView find)
{
    if (IsLatin1(text))
        return QLatin1StringView(static_cast<const char*>(text.data()), text.size()).indexOf(find, 0, kCase) >= 0;
    return WithUtf16(text, [find](QStringView utf16) { return utf16.indexOf(find, 0, kCase) >= 0; });
}

// Every occurrence of find replaced, found by the same rule as `contains`.
QString replacedAll(QStringView text, QStringView find, const QString& replacement)
{
    QString result;
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(find, 0, kCase); at >= 0; at = text.indexOf(find, from, kCase)) {
        result += text.mid(from, at - from);
        result += replacement;
        from = at + find.size();
    }
    result += text.mid(from);
    return result;
}

// The first "[N]" of a message replaced by the number.
QString withCount(QString text, int count)
{
    const qsizetype at = text.indexOf(QLatin1String("[N]"));
    if (at >= 0)
        text.replace(at, 3, QString::number(count));
    return text;
}

QPushButton* makeButton(QWidget* parent, const QString& caption, const QRect& geometry, bool enabled)
{
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setEnabled(enabled);
    return button;
}

// Placed by the dialog's lock layout, so a text longer than its place (another language)
// grows to the left instead of being cut.
QLabel* makeLabel(QWidget* parent, LockLayout& locks, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    locks.add(label, geometry, 0);
    return label;
}

}  // namespace

SearchDialog::SearchDialog(QWidget* parent)
    : QDialog(parent)
{
    Layout();
    _CreateControls0();
    Event_Open();
}

void SearchDialog::Layout()
{
    // A title and no buttons: the window manager is offered no close, minimise or maximise.
    setWindowFlags(Qt::Sheet | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowModality(Qt::WindowModal);
    setFixedSize(569, 192);
    setWindowTitle(lkTitle());
}

void SearchDialog::_CreateControls0()
{
    auto* locks = new LockLayout(this, size());
    EditFieldTrova = new EditField(this);
    EditFieldTrova->setGeometry(118, 22, 286, 22);
    EditFieldTrova->GotFocus.connect(this, [this] { EditFieldTrova->SelectAll(); });
    EditFieldTrova->TextChange.connect(this, [this] { EditFieldTrova_TextChange(); });

    StaticText1 = makeLabel(this, *locks, lkFind(), QRect(20, 23, 90, 20));

    labelErrore = makeLabel(this, *locks, QString(), QRect(251, 90, 298, 20));
    QPalette palette = labelErrore->palette();
    palette.setColor(QPalette::WindowText, QColor(127, 0, 127));
    labelErrore->setPalette(palette);

    EditFieldSostituisci = new EditField(this);
    EditFieldSostituisci->setGeometry(118, 57, 431, 22);
    EditFieldSostituisci->GotFocus.connect(this, [this] { EditFieldSostituisci->SelectAll(); });
    EditFieldSostituisci->TextChange.connect(this, [this] { labelErrore->clear(); });

    StaticText2 = makeLabel(this, *locks, lkReplaceWith(), QRect(20, 58, 90, 20));

    BtnReplaceAll = makeButton(this, lkReplaceAll(), QRect(162, 154, 121, 20), false);
    connect(BtnReplaceAll, &QPushButton::clicked, this,
            [this] { SostituisciParola(EditFieldTrova->Text(), EditFieldSostituisci->Text()); });
    BtnFind = makeButton(this, lkSearch(), QRect(428, 122, 121, 20), false);
    connect(BtnFind, &QPushButton::clicked, this, [this] { TrovaParola(EditFieldTrova->Text()); });
    BtnFindNext = makeButton(this, lkNext(), QRect(428, 154, 121, 20), false);
    BtnFindNext->setDefault(true);
    connect(BtnFindNext, &QPushButton::clicked, this, [this] { TrovaParolaSuccessiva(EditFieldTrova->Text()); });

    CheckBoxMark = new QCheckBox(lkCheckMarked(), this);
    CheckBoxMark->setGeometry(118, 90, 165, 20);

    PopupCampo = new QComboBox(this);
    PopupCampo->setGeometry(418, 22, 131, 20);

    BtnCancel = makeButton(this, lkCancel(), QRect(20, 154, 121, 20), true);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    BtnReplace = makeButton(this, lkReplace(), QRect(295, 154, 121, 20), false);
    connect(BtnReplace, &QPushButton::clicked, this,
            [this] { SostituisciParolaTrovata(EditFieldTrova->Text(), EditFieldSostituisci->Text()); });
}

// The column names, as many of the first three as the text holds; an empty text still
// gives one entry, so a column is always chosen.
void SearchDialog::Event_Open()
{
    const QStringList names = lkComboReplace().split(QLatin1Char('|'));
    for (int i = 0; i < names.size() && i < kSearchableColumns; ++i)
        PopupCampo->addItem(names[i]);
    PopupCampo->setCurrentIndex(0);
}

void SearchDialog::EditFieldTrova_TextChange()
{
    labelErrore->clear();
    const bool enabled = !EditFieldTrova->Text().isEmpty();
    BtnFind->setEnabled(enabled);
    BtnFindNext->setEnabled(enabled);
    BtnReplaceAll->setEnabled(enabled);
    BtnReplace->setEnabled(enabled);
}

// Escape does not close the dialog; only its Cancel button does.
void SearchDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

int SearchDialog::chosenColumn() const
{
    return qMax(PopupCampo->currentIndex(), 0);
}

bool SearchDialog::matches(int row, QStringView find) const
{
    if (CheckBoxMark->isChecked() && !Lista->CellCheck(row, PoiColumn::Description))
        return false;
    return contains(Lista->CellView(row, chosenColumn()), find);
}

SearchDialog::Replaced SearchDialog::replaceInCell(int row, int column, QStringView find, const QString& replacement)
{
    const QString text = Lista->Cell(row, column);
    QString replaced;
    if (column == PoiColumn::Latitude || column == PoiColumn::Longitude) {
        const auto axis
            = column == PoiColumn::Latitude ? CoordinateRule::Axis::Latitude : CoordinateRule::Axis::Longitude;
        const std::optional<QString> coordinate = CoordinateRule::Accepted(replacedAll(text, find, replacement), axis);
        if (!coordinate)
            return Replaced::Refused;
        replaced = *coordinate;
    } else {
        replaced = replacedAll(text, find, SingleLine(replacement));
    }
    if (replaced == text)
        return Replaced::Unchanged;
    Lista->setCell(row, column, replaced);
    mChangedCells = true;
    emit cellChanged();
    return Replaced::Changed;
}

bool SearchDialog::findFrom(int first, const QString& find)
{
    for (int row = first; row < Lista->ListCount(); ++row) {
        if (matches(row, find)) {
            Lista->setListIndex(row);
            UltimaRigaTrovata = row;
            labelErrore->clear();
            return true;
        }
    }
    UltimaRigaTrovata = -1;
    labelErrore->setText(lkElementNotFound());
    return false;
}

void SearchDialog::TrovaParola(const QString& find)
{
    if (!Lista || Lista->ListCount() == 0 || find.isEmpty())
        return;
    if (findFrom(0, find))
        Lista->setFocus(Qt::OtherFocusReason);
    else
        EditFieldTrova->SetFocus();
}

void SearchDialog::TrovaParolaSuccessiva(const QString& find)
{
    if (!Lista || Lista->ListCount() == 0 || UltimaRigaTrovata >= Lista->ListCount() - 1 || find.isEmpty())
        return;
    findFrom(UltimaRigaTrovata + 1, find);
}

void SearchDialog::SostituisciParolaTrovata(const QString& find, const QString& replacement)
{
    // Rows may have gone since the hit.
    if (!Lista || UltimaRigaTrovata < 0 || UltimaRigaTrovata >= Lista->ListCount() || find.isEmpty())
        return;
    if (replaceInCell(UltimaRigaTrovata, chosenColumn(), find, replacement) == Replaced::Refused)
        labelErrore->setText(lkNotCoordinate());
}

void SearchDialog::SostituisciParola(const QString& find, const QString& replacement)
{
    if (!Lista || Lista->ListCount() == 0 || find.isEmpty())
        return;
    int count = 0;
    int refused = 0;
    Lista->BeginUpdate();
    for (int row = 0; row < Lista->ListCount(); ++row) {
        if (matches(row, find)) {
            if (replaceInCell(row, chosenColumn(), find, replacement) == Replaced::Refused)
                ++refused;
            else
                ++count;
        }
    }
    Lista->EndUpdate();

    QStringList message;
    if (count == 1)
        message << lkReplaceOk1();
    else if (count >= 2)
        message << withCount(lkReplaceOk2(), count);
    if (refused > 0)
        message << withCount(lkCellsKept(), refused);
    if (count == 0) {
        EditFieldTrova->SetFocus();
        if (refused == 0)
            message << lkWordNotFound();
    }
    Services::instance().MsgBox(message.join(QLatin1Char('\n')));
}
