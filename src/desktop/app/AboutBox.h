#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QTimer;

// The about box: version, credits and two links, with two columns of pictures that take turns
// every 133 ms. A click anywhere closes it.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);

    // The picture (1 to 3) each column shows for an animation counter value.
    static std::array<int, 2> framePictures(int counter);
    int counter() const { return counter_; }
    void advance();

protected:
    void mousePressEvent(class QMouseEvent* event) override;

private:
    std::array<QLabel*, 2> columns_{};
    std::array<class QPixmap, 3>* pictures_ = nullptr;
    int counter_ = 0;
    QTimer* timer_;
};
