#include "platform/QtServices.h"

#include "platform/Events.h"
#include "platform/ZipArchive.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QNetworkInformation>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

namespace {

// Texts come from pages, servers and files as well as from us: they show as written,
// never as markup.
void showPlain(QMessageBox& box)
{
    box.setTextFormat(Qt::PlainText);
    for (QLabel* label : box.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
}

}  // namespace

void QtServices::MsgBox(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    showPlain(box);
    Events::NestedLoop nested;
    box.exec();
}

MessageDialog::Pressed QtServices::ShowMessageDialog(const MessageDialog& dialog, QWidget* parent)
{
    static const QMessageBox::Icon icons[] = {QMessageBox::Information, QMessageBox::Warning,
                                              QMessageBox::Critical, QMessageBox::Question};
    QMessageBox box(parent);
    box.setWindowTitle(dialog.Title);
    box.setIcon(icons[qBound(0, dialog.Icon, 3)]);
    box.setText(dialog.Message);
    box.setInformativeText(dialog.Explanation);
    QPushButton* action = box.addButton(dialog.ActionButton.Caption, QMessageBox::AcceptRole);
    QPushButton* cancel = nullptr;
    QPushButton* alternate = nullptr;
    if (dialog.CancelButton.Visible)
        cancel = box.addButton(dialog.CancelButton.Caption, QMessageBox::RejectRole);
    if (dialog.AlternateActionButton.Visible)
        alternate = box.addButton(dialog.AlternateActionButton.Caption, QMessageBox::DestructiveRole);
    box.setDefaultButton(action);
    showPlain(box);
    {
        Events::NestedLoop nested;
        box.exec();
    }
    if (cancel && box.clickedButton() == cancel)
        return MessageDialog::Pressed::Cancel;
    if (alternate && box.clickedButton() == alternate)
        return MessageDialog::Pressed::Alternate;
    return box.clickedButton() == action ? MessageDialog::Pressed::Action : MessageDialog::Pressed::Cancel;
}

QString QtServices::GetOpenFolderItem(const FileType& filter, QWidget* parent)
{
    Events::NestedLoop nested;
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter.filterText());
}

QString QtServices::GetSaveFolderItem(const FileType& filter, const QString& folder, const QString& defaultName,
                                      const QString& extension, QWidget* parent)
{
    QFileDialog dialog(parent, QString(), folder, filter.filterText());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(extension.startsWith(u'.') ? extension.mid(1) : extension);
    dialog.selectFile(QDir(folder).filePath(defaultName));
    Events::NestedLoop nested;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

int QtServices::ShowModalWithin(QDialog& dialog, QWidget* parent)
{
    PrepareModal(dialog, parent);
    Events::NestedLoop nested;
    return dialog.exec();
}

void QtServices::ShowURL(const QString& url)
{
    QDesktopServices::openUrl(QUrl(url));
}

bool QtServices::Launch(const QString& path)
{
    if (path.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive))
        return ZipArchive::Expand(path, QFileInfo(path).absolutePath(), nullptr);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void QtServices::SetClipboardText(const QString& text)
{
    QApplication::clipboard()->setText(text);
}

bool QtServices::IsNetworkConnected()
{
    if (!QNetworkInformation::instance() && !QNetworkInformation::loadDefaultBackend())
        return true;  // no way to tell: let the request itself find out
    const auto reachability = QNetworkInformation::instance()->reachability();
    return reachability != QNetworkInformation::Reachability::Disconnected;
}

QString QtServices::DesktopFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

void QtServices::Quit(int code)
{
    QCoreApplication::exit(code);
}
