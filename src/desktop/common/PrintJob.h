#pragma once

#include <functional>

class QPrinter;
class QWidget;

// One print job named after the program, through the print dialog (printing to a PDF file
// allowed; no page ranges or selection), or the print preview. `paint` draws the pages on the
// printer it is given.
void printWithDialog(QWidget* parent, bool preview, const std::function<void(QPrinter&)>& paint);
