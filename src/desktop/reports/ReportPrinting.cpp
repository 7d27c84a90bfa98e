#include "desktop/reports/ReportPrinting.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace {

constexpr int kTextFlags = Qt::TextWordWrap | Qt::TextExpandTabs;

// The length of the prefix holding `lines` line ends, or the whole length when it holds fewer.
qsizetype prefixOfLines(const QString& text, qsizetype from, int lines) {
    qsizetype at = from;
    for (int i = 0; i < lines; ++i) {
        at = text.indexOf(QLatin1Char('\n'), at);
        if (at < 0) return text.size() - from;
        ++at;
    }
    return at - from;
}

}  // namespace

QStringList paginateReport(const QString& text, int maxLines,
                           const std::function<bool(const QString&)>& fits) {
    QStringList pages;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype longest = 1;
        qsizetype tooLong = prefixOfLines(text, start, std::max(maxLines, 1)) + 1;
        while (tooLong - longest > 1) {
            const qsizetype candidate = longest + (tooLong - longest) / 2;
            if (fits(text.mid(start, candidate))) {
                longest = candidate;
            } else {
                tooLong = candidate;
            }
        }
        if (start + longest < text.size()) {
            const qsizetype lineEnd = text.lastIndexOf(QLatin1Char('\n'), start + longest - 1);
            if (lineEnd >= start) longest = lineEnd + 1 - start;
        }
        pages.append(text.mid(start, longest));
        start += longest;
    }
    return pages;
}

QStringList printReport(QPrinter& printer, const QString& reportText) {
    QPainter painter;
    if (!painter.begin(&printer)) return {};
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    painter.setFont(font);
    const QFontMetrics metrics = painter.fontMetrics();
    const QRect paintRect = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect area(0, 0, paintRect.width(), paintRect.height());

    QString text = QStringLiteral("\n\n") + reportText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const int maxLines = area.height() / std::max(metrics.lineSpacing(), 1) + 1;
    const QStringList pages = paginateReport(text, maxLines, [&](const QString& piece) {
        return metrics.boundingRect(area, kTextFlags, piece).height() <= area.height();
    });
    QStringList printed;
    for (const QString& page : pages) {
        if (!printed.isEmpty() && !printer.newPage()) break;
        painter.drawText(area, kTextFlags, page);
        printed.append(page);
    }
    painter.end();
    return printed;
}
