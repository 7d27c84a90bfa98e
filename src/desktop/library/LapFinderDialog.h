#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "library/FoundLap.h"
#include "library/LapFinderScan.h"
#include "library/LapSorting.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QRadioButton;
class QTableView;
class BackgroundLapScan;
class LapFinderModel;
class ReplayDocument;
class ScanWaitWindow;
class Settings;

// "Lap Finder": every loadable lap of a chosen track in the replay folders, filtered and sorted;
// OK loads the selected laps into the document without the file and lap dialogs.
class LapFinderDialog : public QDialog {
    Q_OBJECT

public:
    LapFinderDialog(const Settings& settings, const ReplayDocument& document, QWidget* parent = nullptr);
    ~LapFinderDialog() override;

    // Scans the replays for the combo's track (the same track again too, with the filter now
    // chosen). The list fills while the wait window shows; scanFinished follows. A track chosen
    // while a scan runs or is being cancelled is scanned once that scan has stopped.
    void chooseTrack(int index);
    void sortBy(LapOrder order);
    // OK: loads the selected laps, in list order, and closes.
    void accept() override;

    // Loads one lap into the document; set by the main window.
    std::function<void(const FoundLap& lap)> loadLap;
    // A message box of OK's checks, replaceable by tests.
    std::function<void(QMessageBox::Icon icon, const QString& caption, const QString& text)> showMessage;

    QComboBox* trackChoice() const { return tracks_; }
    QTableView* list() const { return list_; }
    LapFinderModel* model() const { return model_; }
    QLabel* lapCount() const { return count_; }
    QRadioButton* filterButton(LapFilter filter) const;
    QRadioButton* sortButton(LapOrder order) const;
    ScanWaitWindow* waitWindow() const { return wait_; }
    // The box of an unreadable file showing now, if any.
    QMessageBox* scanMessage() const { return scanMessage_; }

Q_SIGNALS:
    void scanFinished();

private:
    void sortByHead(int section);
    void showUnreadable(const std::vector<ScanMessage>& messages);
    void showNextScanMessage();
    void cancelScan();
    void finishScan();
    void updateCount();

    const Settings& settings_;
    const ReplayDocument& document_;
    QComboBox* tracks_;
    QButtonGroup* filters_;
    QButtonGroup* orders_;
    QTableView* list_;
    LapFinderModel* model_;
    QLabel* count_;
    ScanWaitWindow* wait_;
    std::unique_ptr<BackgroundLapScan> scan_;
    std::deque<ScanMessage> pendingMessages_;
    QPointer<QMessageBox> scanMessage_;
    std::optional<int> queuedTrack_;
};
