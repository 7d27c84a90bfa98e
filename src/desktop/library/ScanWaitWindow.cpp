#include "desktop/library/ScanWaitWindow.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

ScanWaitWindow::ScanWaitWindow(QWidget* parent) : QDialog(parent), bar_(new QProgressBar) {
    setWindowTitle(tr("Lap Finder"));
    setWindowModality(Qt::WindowModal);
    bar_->setRange(0, 0);  // busy until the files are counted
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    // Enter meant for a message box must not end the scan.
    buttons->button(QDialogButtonBox::Cancel)->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &ScanWaitWindow::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Please wait while scanning replays...")));
    layout->addWidget(bar_);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

void ScanWaitWindow::setProgress(int filesDone, int fileCount) {
    bar_->setRange(0, fileCount);
    bar_->setValue(filesDone);
}

void ScanWaitWindow::reject() {
    hide();
    Q_EMIT cancelled();
}
