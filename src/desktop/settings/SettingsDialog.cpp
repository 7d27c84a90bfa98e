#include "desktop/settings/SettingsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include "desktop/common/UserProfile.h"

#include "common/SimulatorFolders.h"
#include "settings/Settings.h"

namespace {

constexpr const char* kSimulatorExe = "VELTRA Racing 4.exe";

QGroupBox* group(const QString& title, QLayout* content) {
    auto* box = new QGroupBox(title);
    box->setLayout(content);
    return box;
}

// An edit with its "Browse" button.
QHBoxLayout* pathRow(QLineEdit* edit, QPushButton* browse) {
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(browse);
    return row;
}

}  // namespace

SettingsDialog::SettingsDialog(Settings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
    setWindowTitle(QStringLiteral("Settings"));
    locateSimulator = [this]() -> std::optional<QString> {
        const RememberedFolder folder(QStringLiteral("Simulator program"));
        const QString file = QFileDialog::getOpenFileName(
            this, QStringLiteral("Locate VELTRA Racing 4.exe"), folder.folderOr(QString()),
            QStringLiteral("VELTRA4 exe File (VELTRA Racing 4.exe);;All Files(*.*)"));
        if (file.isEmpty()) return std::nullopt;
        folder.remember(file);
        return file;
    };
    chooseFolder = [this](const QString& title) -> std::optional<QString> {
        const RememberedFolder remembered(title);
        const QString folder = QFileDialog::getExistingDirectory(this, title, remembered.folderOr(QString()));
        if (folder.isEmpty()) return std::nullopt;
        remembered.remember(folder);
        return folder;
    };
    showMessage = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };

    kph_ = new QRadioButton(QStringLiteral("KPH"));
    mph_ = new QRadioButton(QStringLiteral("MPH"));
    (settings.speedInMph() ? mph_ : kph_)->setChecked(true);
    auto* units = new QHBoxLayout;
    units->addWidget(kph_);
    units->addWidget(mph_);

    quality_ = new QCheckBox(QStringLiteral("Quality report when adding replay"));
    quality_->setChecked(!settings.dontShowQualReport());
    auto* qualityLayout = new QVBoxLayout;
    qualityLayout->addWidget(quality_);

    simulator_ = new QLineEdit(QString::fromStdString(settings.simulatorDirectory()));
    altReplay_ = new QLineEdit(QString::fromStdString(settings.altRpyPath()));
    records_ = new QLineEdit(QString::fromStdString(settings.recordsPath()));
    auto* browseSimulator = new QPushButton(QStringLiteral("Browse"));
    auto* browseReplay = new QPushButton(QStringLiteral("Browse"));
    auto* browseRecords = new QPushButton(QStringLiteral("Browse"));

    retirement_ = new QCheckBox(QStringLiteral("Include retirement reason in Race Report"));
    retirement_->setChecked(settings.retireInRaceReport());
    // Checked removes the lap-by-lap report's off-track lines: the stored switch writes them.
    removeOffTrack_ = new QCheckBox(QStringLiteral("Remove off the track info in LapByLap"));
    removeOffTrack_->setChecked(!settings.offTheTrackInRaceReport());
    auto* reports = new QVBoxLayout;
    reports->addWidget(retirement_);
    reports->addWidget(removeOffTrack_);

    bitmapSize_ = new QSpinBox;
    bitmapSize_->setRange(16, 16384);
    bitmapSize_->setValue(std::clamp(settings.bmpSizeInPixel(), 16, 16384));
    auto* bitmap = new QHBoxLayout;
    bitmap->addWidget(new QLabel(QStringLiteral("Size of exported BMP file (pixels):")));
    bitmap->addWidget(bitmapSize_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group(QStringLiteral("Speed Units"), units));
    layout->addWidget(group(QStringLiteral("Quality Dialog"), qualityLayout));
    layout->addWidget(group(QStringLiteral("VELTRA4 Path"), pathRow(simulator_, browseSimulator)));
    layout->addWidget(group(QStringLiteral("Alternative Replay Path"), pathRow(altReplay_, browseReplay)));
    layout->addWidget(group(QStringLiteral("Export Records Path"), pathRow(records_, browseRecords)));
    layout->addWidget(group(QStringLiteral("Report Settings"), reports));
    layout->addWidget(group(QStringLiteral("Track Map Export"), bitmap));
    layout->addWidget(buttons);
    setMinimumWidth(460);

    connect(browseSimulator, &QPushButton::clicked, this, [this] {
        if (auto folder = folderOfLocatedFile()) simulator_->setText(*folder);
    });
    connect(browseReplay, &QPushButton::clicked, this, [this] {
        if (auto folder = chooseFolder(QStringLiteral("Alternative Replay Path")))
            altReplay_->setText(*folder);
    });
    connect(browseRecords, &QPushButton::clicked, this, [this] {
        if (auto folder = chooseFolder(QStringLiteral("Export Records Path"))) records_->setText(*folder);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &SettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SettingsDialog::reject);
}

std::optional<QString> SettingsDialog::folderOfLocatedFile() {
    const auto file = locateSimulator();
    if (!file) return std::nullopt;
    return QFileInfo(*file).absolutePath();
}

void SettingsDialog::accept() {
    QString folder = simulator_->text().trimmed();
    // A folder holding the simulator is required; cancelling the locate dialog returns here
    // without saving, so a user without the simulator is not trapped.
    if (folder.isEmpty()) {
        const auto located = folderOfLocatedFile();
        if (!located) return;
        folder = *located;
    }
    // The error-code form: a name the system refuses (too long, say) is a folder without the program.
    std::error_code unreadable;
    while (!std::filesystem::exists(entryIgnoringCase(folder.toStdString(), kSimulatorExe), unreadable)) {
        showMessage(
            QStringLiteral("Unable to find the file VELTRA Racing 4.exe in the specified directory.\n"
                           "Please choose a valid Veltra 4 directory."));
        const auto located = folderOfLocatedFile();
        if (!located) return;
        folder = *located;
    }
    simulator_->setText(folder);
    if (folder.toStdString() != settings_.simulatorDirectory())
        settings_.setSimulatorDirectory(folder.toStdString());
    settings_.setAltRpyPath(altReplay_->text().toStdString());
    settings_.setRecordsPath(records_->text().toStdString());
    settings_.setSpeedInMph(mph_->isChecked());
    settings_.setDontShowQualReport(!quality_->isChecked());
    settings_.setRetireInRaceReport(retirement_->isChecked());
    settings_.setOffTheTrackInRaceReport(!removeOffTrack_->isChecked());
    settings_.setBmpSizeInPixel(bitmapSize_->value());
    settings_.save();
    QDialog::accept();
}
