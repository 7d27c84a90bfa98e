#include "desktop/graphs/ZoomRectangle.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr ZoomRectangle::Part kHandles[] = {ZoomRectangle::Part::TopLeft,     ZoomRectangle::Part::TopRight,
                                            ZoomRectangle::Part::BottomRight, ZoomRectangle::Part::BottomLeft,
                                            ZoomRectangle::Part::Top,         ZoomRectangle::Part::Right,
                                            ZoomRectangle::Part::Bottom,      ZoomRectangle::Part::Left};

bool movesLeft(ZoomRectangle::Part part) {
    using P = ZoomRectangle::Part;
    return part == P::TopLeft || part == P::Left || part == P::BottomLeft;
}
bool movesRight(ZoomRectangle::Part part) {
    using P = ZoomRectangle::Part;
    return part == P::TopRight || part == P::Right || part == P::BottomRight;
}
bool movesTop(ZoomRectangle::Part part) {
    using P = ZoomRectangle::Part;
    return part == P::TopLeft || part == P::Top || part == P::TopRight;
}
bool movesBottom(ZoomRectangle::Part part) {
    using P = ZoomRectangle::Part;
    return part == P::BottomLeft || part == P::Bottom || part == P::BottomRight;
}

}  // namespace

QRect ZoomRectangle::handle(Part part) const {
    const int size = kHandleSize;
    const int left = rect_.left(), right = rect_.right() - size + 1;
    const int top = rect_.top(), bottom = rect_.bottom() - size + 1;
    const int middleX = rect_.center().x() - size / 2, middleY = rect_.center().y() - size / 2;
    const int x = movesLeft(part) ? left : movesRight(part) ? right : middleX;
    const int y = movesTop(part) ? top : movesBottom(part) ? bottom : middleY;
    return {x, y, size, size};
}

ZoomRectangle::Part ZoomRectangle::partAt(const QPoint& point) const {
    for (const Part part : kHandles)
        if (handle(part).contains(point)) return part;
    return rect_.contains(point) ? Part::Body : Part::None;
}

Qt::CursorShape ZoomRectangle::cursorFor(Part part) {
    switch (part) {
        case Part::TopLeft:
        case Part::BottomRight:
            return Qt::SizeFDiagCursor;
        case Part::TopRight:
        case Part::BottomLeft:
            return Qt::SizeBDiagCursor;
        case Part::Top:
        case Part::Bottom:
            return Qt::SizeVerCursor;
        case Part::Left:
        case Part::Right:
            return Qt::SizeHorCursor;
        case Part::Body:
            return Qt::SizeAllCursor;
        case Part::None:
            break;
    }
    return Qt::ArrowCursor;
}

void ZoomRectangle::beginDrag(Part part, const QPoint& at) {
    dragged_ = part;
    dragStart_ = at;
    rectAtDragStart_ = rect_;
}

void ZoomRectangle::dragTo(const QPoint& at) {
    if (dragged_ == Part::None) return;
    const QPoint way = at - dragStart_;
    if (dragged_ == Part::Body) {
        rect_ = rectAtDragStart_.translated(way);
        return;
    }
    int left = rectAtDragStart_.left(), right = rectAtDragStart_.right();
    int top = rectAtDragStart_.top(), bottom = rectAtDragStart_.bottom();
    if (movesLeft(dragged_)) left = std::min(left + way.x(), right - kMinimumSize + 1);
    if (movesRight(dragged_)) right = std::max(right + way.x(), left + kMinimumSize - 1);
    if (movesTop(dragged_)) top = std::min(top + way.y(), bottom - kMinimumSize + 1);
    if (movesBottom(dragged_)) bottom = std::max(bottom + way.y(), top + kMinimumSize - 1);
    rect_ = QRect(QPoint(left, top), QPoint(right, bottom));
}

void ZoomRectangle::paint(QPainter& painter) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(Qt::black, Qt::BDiagPattern));
    painter.drawRect(rect_);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect_.adjusted(0, 0, -1, -1));
    for (const Part part : kHandles)
        painter.fillRect(handle(part), Qt::black);
    painter.restore();
}
