#include "desktop/app/MainWindowDialogs.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

#include "Version.h"
#include "desktop/common/UserProfile.h"
#include "desktop/replay/LapDialog.h"
#include "desktop/reports/ReportFileChoiceDialog.h"

std::optional<int> QtMainWindowDialogs::chooseReportFile(const QStringList& labels) {
    ReportFileChoiceDialog dialog(labels, parent_);
    dialog.exec();
    return dialog.chosenIndex();
}

bool QtMainWindowDialogs::askYesNo(const QString& question) {
    return QMessageBox::question(parent_, QString::fromLatin1(kProductName), question,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

// Each dialog title remembers its own folder.
std::optional<std::filesystem::path> QtMainWindowDialogs::chooseReplayFile(
    const QString& title, const QString& filter, const std::filesystem::path& startFolder) {
    const RememberedFolder folder(title);
    const QString file = QFileDialog::getOpenFileName(
        parent_, title, folder.folderOr(QString::fromStdString(startFolder.string())), filter);
    if (file.isEmpty()) return std::nullopt;
    folder.remember(file);
    return std::filesystem::path(file.toStdString());
}

void QtMainWindowDialogs::runWindow(QDialog& window) {
    window.exec();
}

std::optional<LapChoice> QtMainWindowDialogs::chooseLap(const ReplayHeader& header,
                                                        const DriverTable& drivers) {
    LapDialog dialog(header, drivers, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.chosenLap();
}

void QtMainWindowDialogs::showMessage(const QString& text, MessageKind kind) {
    if (kind == MessageKind::information)
        QMessageBox::information(parent_, QString::fromLatin1(kProductName), text);
    else
        QMessageBox::warning(parent_, QString::fromLatin1(kProductName), text);
}

std::optional<QString> QtMainWindowDialogs::chooseBitmapPath(const QString& proposed) {
    const RememberedFolder folder(QStringLiteral("Trackmap bitmap"));
    QFileDialog dialog(parent_, QStringLiteral("Save Trackmap as BMP-file"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Bitmap files (*.bmp)"));
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    dialog.selectFile(folder.fileIn(proposed));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    folder.remember(dialog.selectedFiles().constFirst());
    return dialog.selectedFiles().constFirst();
}
