#pragma once

#include <QMainWindow>

// The program's one main window.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(QWidget* parent = nullptr);

    // Shows the document's title in the window title, "<title> - VELTRA4 Replay Analyser".
    void setDocumentTitle(const QString& title);
};
