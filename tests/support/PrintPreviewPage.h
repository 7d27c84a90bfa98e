#pragma once

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <functional>

// The first page of a print preview as the preview shows it: it records the page at the printer's
// resolution and plays it back scaled, here to `size`.
inline QImage previewPage(const std::function<void(QPrinter&)>& print, QSize size) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewWidget preview(&printer);
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, &preview,
                     [&](QPrinter* target) { print(*target); });
    preview.updatePreview();
    QImage page(size, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSize paper = printer.pageLayout().fullRectPixels(printer.resolution()).size();
    preview.findChild<QGraphicsView*>()->scene()->render(&painter, QRectF(QPoint(), size),
                                                         QRectF(QPoint(), paper));
    return page;
}
