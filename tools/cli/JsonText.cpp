#include "JsonText.h"

#include <string>

namespace {

bool isPlain(const nlohmann::ordered_json& v) {
    return !v.is_object() && !v.is_array();
}

bool isFlat(const nlohmann::ordered_json& v) {
    if (isPlain(v)) return true;
    for (const auto& item : v) {
        if (!isPlain(item)) return false;
    }
    return true;
}

std::string plainText(const nlohmann::ordered_json& v) {
    return v.is_string() ? v.get<std::string>() : v.dump();
}

std::string flatText(const nlohmann::ordered_json& v) {
    if (isPlain(v)) return plainText(v);
    std::string text = v.is_object() ? "{" : "";
    bool first = true;
    for (auto it = v.begin(); it != v.end(); ++it) {
        text += first ? "" : (v.is_object() ? ", " : " ");
        text += v.is_object() ? it.key() + ": " + plainText(*it) : plainText(*it);
        first = false;
    }
    return text + (v.is_object() ? "}" : "");
}

void print(std::ostream& out, const nlohmann::ordered_json& v, const std::string& indent) {
    for (auto it = v.begin(); it != v.end(); ++it) {
        const std::string label = v.is_object() ? it.key() + ":" : "-";
        // A plain value, a list of plain values, or a list item of plain fields fits on one line.
        if (isPlain(*it) || (isFlat(*it) && (it->is_array() || v.is_array()))) {
            out << indent << label << " " << flatText(*it) << "\n";
        } else {
            out << indent << label << "\n";
            print(out, *it, indent + "  ");
        }
    }
}

}  // namespace

void printJsonAsText(std::ostream& out, const nlohmann::ordered_json& value) {
    print(out, value, "");
}
