#pragma once

#include <QRect>
#include <Qt>

class QPainter;

// The plot's zoom rectangle: drawn with a solid border, hatched inside and eight handles just
// inside its edges; dragged by its body to move it or by a handle to resize it.
class ZoomRectangle {
public:
    enum class Part { None, Body, TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left };

    static constexpr int kHandleSize = 7;
    // A rectangle narrower or lower than this is no zoom at all.
    static constexpr int kMinimumSize = 2;

    QRect rect() const { return rect_; }
    void setRect(const QRect& rect) { rect_ = rect.normalized(); }

    Part partAt(const QPoint& point) const;
    static Qt::CursorShape cursorFor(Part part);

    void beginDrag(Part part, const QPoint& at);
    // Moves or resizes by the pointer's way since beginDrag; the rectangle keeps its minimum size.
    void dragTo(const QPoint& at);
    void endDrag() { dragged_ = Part::None; }
    bool dragging() const { return dragged_ != Part::None; }

    void paint(QPainter& painter) const;
    // What paint touches.
    QRect paintedArea() const { return rect_.adjusted(-1, -1, 1, 1); }

private:
    QRect handle(Part part) const;

    QRect rect_{QPoint(10, 10), QPoint(50, 50)};
    Part dragged_ = Part::None;
    QPoint dragStart_;
    QRect rectAtDragStart_;
};
