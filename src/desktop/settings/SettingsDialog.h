#pragma once

#include <QDialog>
#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class Settings;

// The Settings dialog: speed unit, lap quality report, the simulator folder, the alternative replay
// and records folders, report switches and the exported map's size. OK insists on a simulator
// folder that holds "VELTRA Racing 4.exe" and saves everything; Cancel changes nothing.
class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    explicit SettingsDialog(Settings& settings, QWidget* parent = nullptr);

    void accept() override;

    // The locate dialog ("Locate VELTRA Racing 4.exe"): the chosen file, nothing when cancelled.
    std::function<std::optional<QString>()> locateSimulator;
    std::function<std::optional<QString>(const QString& title)> chooseFolder;
    std::function<void(const QString& text)> showMessage;

    QLineEdit* simulatorPath() const { return simulator_; }
    QRadioButton* mph() const { return mph_; }
    QCheckBox* qualityReport() const { return quality_; }
    QCheckBox* removeOffTrack() const { return removeOffTrack_; }
    QSpinBox* bitmapSize() const { return bitmapSize_; }

private:
    std::optional<QString> folderOfLocatedFile();

    Settings& settings_;
    QRadioButton* kph_;
    QRadioButton* mph_;
    QCheckBox* quality_;
    QLineEdit* simulator_;
    QLineEdit* altReplay_;
    QLineEdit* records_;
    QCheckBox* retirement_;
    QCheckBox* removeOffTrack_;
    QSpinBox* bitmapSize_;
};
