#pragma once

#include <QColor>
#include <QWidget>
#include <optional>

// A lap's orientation during playback: a small dial with a needle pointing to one of 16 sectors
// (sector 4 up, counting clockwise in steps of a sixteenth of a turn toward lower headings), in the
// lap's colour; nothing while there is no sector.
class OrientCompass : public QWidget {
    Q_OBJECT

public:
    explicit OrientCompass(QColor colour, QWidget* parent = nullptr);

    void setSector(std::optional<int> sector);
    std::optional<int> sector() const { return sector_; }

    QSize sizeHint() const override { return {18, 18}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
    std::optional<int> sector_;
};
