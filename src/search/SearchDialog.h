#pragma once

#include "platform/Localized.h"

#include <QDialog>

class EditField;
class Listbox;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// The search-and-replace dialog over one document window's list: finds, finds again and
// replaces text in one chosen column, optionally in marked rows only. It works on the
// list alone and never calls the window back; letter case is ignored, by one rule for
// finding and replacing.
class SearchDialog final : public QDialog {
    Q_OBJECT
public:
    explicit SearchDialog(QWidget* parent = nullptr);

    // The list the dialog reads and changes; set before the dialog is shown.
    Listbox* Lista = nullptr;
    // The row of the last hit of Find or Find next; -1 when there is none.
    int UltimaRigaTrovata = -1;

    // Whether a replacement changed any cell while the dialog was open.
    bool changedCells() const { return mChangedCells; }

    // Controls, in creation order.
    EditField* EditFieldTrova = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* labelErrore = nullptr;
    EditField* EditFieldSostituisci = nullptr;
    QLabel* StaticText2 = nullptr;
    QPushButton* BtnReplaceAll = nullptr;
    QPushButton* BtnFind = nullptr;
    QPushButton* BtnFindNext = nullptr;
    QCheckBox* CheckBoxMark = nullptr;
    QComboBox* PopupCampo = nullptr;
    QPushButton* BtnCancel = nullptr;
    QPushButton* BtnReplace = nullptr;

    // Find, from the first row.
    void TrovaParola(const QString& find);
    // Find next, after the last hit.
    void TrovaParolaSuccessiva(const QString& find);
    // Replace, in the last hit's row and the column chosen now.
    void SostituisciParolaTrovata(const QString& find, const QString& replacement);
    // Replace all, in every matching row.
    void SostituisciParola(const QString& find, const QString& replacement);

    LOCALIZED_TEXT_DECL(lkTitle);
    LOCALIZED_TEXT_DECL(lkFind);
    LOCALIZED_TEXT_DECL(lkReplaceWith);
    LOCALIZED_TEXT_DECL(lkCheckMarked);
    LOCALIZED_TEXT_DECL(lkCancel);
    LOCALIZED_TEXT_DECL(lkSearch);
    LOCALIZED_TEXT_DECL(lkNext);
    LOCALIZED_TEXT_DECL(lkReplace);
    LOCALIZED_TEXT_DECL(lkReplaceAll);
    LOCALIZED_TEXT_DECL(lkComboReplace);
    LOCALIZED_TEXT_DECL(lkElementNotFound);
    LOCALIZED_TEXT_DECL(lkWordNotFound);
    LOCALIZED_TEXT_DECL(lkReplaceOk1);
    LOCALIZED_TEXT_DECL(lkReplaceOk2);
    // Replacements a coordinate column refused; its first "[N]" is their number.
    LOCALIZED_TEXT_DECL(lkCellsKept);
    LOCALIZED_TEXT_DECL(lkNotCoordinate);

signals:
    // A replacement changed a cell: the document holds an unsaved change from now on.
    void cellChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Layout();
    void _CreateControls0();
    void Event_Open();
    void EditFieldTrova_TextChange();
    int chosenColumn() const;
    bool matches(int row, QStringView find) const;
    enum class Replaced { Unchanged, Changed, Refused };
    // Replaces every occurrence in one cell. A coordinate keeps its text when the result
    // is not one; a description stays one line.
    Replaced replaceInCell(int row, int column, QStringView find, const QString& replacement);
    // Finds from `first` on: selects the hit and remembers it, or forgets the last one.
    bool findFrom(int first, const QString& find);

    bool mChangedCells = false;
};
