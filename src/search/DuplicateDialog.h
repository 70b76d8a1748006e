#pragma once

#include "platform/Localized.h"

#include <QDialog>

class EditField;
class Listbox;
class QLabel;
class QProgressBar;
class QPushButton;

// The duplicate dialog: clears every mark of one document window's list, then marks each
// group of rows that lie within a distance threshold of the group's first row. It works
// on the list alone, shows no result and closes when the scan ends; one dialog serves
// one scan.
class DuplicateDialog final : public QDialog {
    Q_OBJECT
public:
    explicit DuplicateDialog(QWidget* parent = nullptr);

    // The list the dialog reads and marks; set before the dialog is shown.
    Listbox* Lista = nullptr;
    // Set by Cancel; the scan stops when it sees it.
    bool annulla = false;

    // Controls, in creation order.
    EditField* EditFieldTrova = nullptr;
    QPushButton* buttonTrova = nullptr;
    QLabel* StaticText1 = nullptr;
    QPushButton* buttonAnnulla = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

    // Runs the scan, then closes the dialog (Return).
    void buttonTrova_Action();
    // Cancels a scan under way, or closes the dialog without one (Esc).
    void buttonAnnulla_Action();

    LOCALIZED_TEXT_DECL(lkTitle);
    LOCALIZED_TEXT_DECL(lkFind);
    LOCALIZED_TEXT_DECL(lkCancel);
    LOCALIZED_TEXT_DECL(lk_desc);

public slots:
    // Escape and closing the window count as Cancel.
    void reject() override;

private:
    void Layout();
    void _CreateControls0();
    void EditFieldTrova_TextChange();
    void scan();
};
