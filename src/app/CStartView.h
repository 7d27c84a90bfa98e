#pragma once

#include <QWidget>

// The central view before there is a track to show: the program's own start picture.
class CStartView : public QWidget {
    Q_OBJECT

public:
    explicit CStartView(QWidget* parent = nullptr);

protected:
    void paintEvent(class QPaintEvent* event) override;
};
