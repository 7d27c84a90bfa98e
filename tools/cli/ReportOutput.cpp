#include "ReportOutput.h"

#include "common/Text1252.h"

std::string reportFileText(const std::string& reportText) {
    return win1252ToUtf8(reportText);
}

void printReport(std::ostream& out, const std::string& reportText) {
    const std::string text = reportFileText(reportText);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out << text[i];
    }
    out << "\n";
}
