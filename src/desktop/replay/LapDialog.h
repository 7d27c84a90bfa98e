#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "replay/LapChoice.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class DriverTable;
class ReplayHeader;

// "Choose Lap To Load": every driver's laps per session (bold: loadable), the replay's description
// and the selected lap's details. It shows the core's lap catalogue; the rules are the core's.
class LapDialog : public QDialog {
    Q_OBJECT

public:
    LapDialog(const ReplayHeader& header, const DriverTable& drivers, QWidget* parent = nullptr);

    std::optional<LapChoice> chosenLap() const { return chosen_; }

    QTreeWidget* tree() const { return tree_; }
    QCheckBox* onlySelectable() const { return onlySelectable_; }
    QPushButton* qualityButton() const { return quality_; }
    // The value shown beside a label ("Laptime:", "Saved by:", ...); empty when there is none.
    QString fieldValue(const QString& label) const;
    // How refusals and reports are shown; message boxes unless a test sets its own.
    std::function<void(const QString& text, const QString& caption)> showStop;
    std::function<void(const QString& text, const QString& caption)> showInformation;

    void accept() override;

private:
    void buildTree();
    void showSelection();
    void showQualityReport();
    QLabel* addField(class QGridLayout* grid, int row, const QString& label);

    const ReplayHeader& header_;
    const DriverTable& drivers_;
    QTreeWidget* tree_;
    QCheckBox* onlySelectable_;
    QPushButton* quality_;
    std::map<QString, QLabel*> fields_;
    std::optional<LapChoice> chosen_;
};
