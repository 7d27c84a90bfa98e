#pragma once

#include <QDialog>

class QProgressBar;

// "Please wait while scanning replays...": how far the Lap Finder's scan has come, and Cancel
// (also Escape or closing the window), which ends it.
class ScanWaitWindow : public QDialog {
    Q_OBJECT

public:
    explicit ScanWaitWindow(QWidget* parent = nullptr);

    void setProgress(int filesDone, int fileCount);
    QProgressBar* progressBar() const { return bar_; }

    // Cancel
    void reject() override;

Q_SIGNALS:
    void cancelled();

private:
    QProgressBar* bar_;
};
