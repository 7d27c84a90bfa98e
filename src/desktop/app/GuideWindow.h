#pragma once

#include <QDialog>

class QPlainTextEdit;

// The user guide in a window of the program. The guide is built into the program, so it shows
// wherever the program runs, with or without a text viewer.
class GuideWindow : public QDialog {
    Q_OBJECT

public:
    explicit GuideWindow(QWidget* parent = nullptr);

    QString text() const;

private:
    QPlainTextEdit* textBox_;
};
