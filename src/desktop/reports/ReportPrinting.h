#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QPrinter;

// Printing a report: two empty lines, then the text in the window's fixed-pitch face at 10 points,
// word-wrapped with tabs expanded over the printable area of each page.

// Cuts `text` into pages. Each page is the longest piece of what remains that `fits`, found by
// halving the candidate lengths; a piece is not measured beyond `maxLines` line ends (more lines
// can never fit). A page that does not take the rest ends after its last whole line when it holds
// a line end, and every page takes at least one character, so the pages always advance. Joined,
// the pages give back `text`.
QStringList paginateReport(const QString& text, int maxLines,
                           const std::function<bool(const QString&)>& fits);

// Prints a report's text ("\r\n" line ends); stops early when the printer refuses a page. Gives the pages
// printed, none when printing could not start.
QStringList printReport(QPrinter& printer, const QString& reportText);
