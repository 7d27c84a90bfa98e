#include "app/CMainFrame.h"

#include <QStatusBar>

#include "app/Version.h"

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setDocumentTitle(QStringLiteral("No lap selected"));
    statusBar()->showMessage(tr("Ready"));
    resize(1024, 768);
}

void CMainFrame::setDocumentTitle(const QString& title) {
    setWindowTitle(title + QStringLiteral(" - ") + QString::fromLatin1(kProductName));
}
