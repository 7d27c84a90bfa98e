#include "JsonText.h"

#include <cstdio>
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

// Numbers with a fraction are shown to the millimetre (or millisecond), without trailing zeros.
std::string plainText(const nlohmann::ordered_json& v) {
    if (v.is_string()) return v.get<std::string>();
    if (!v.is_number_float()) return v.dump();
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", v.get<double>());
    std::string shown = text;
    shown.erase(shown.find_last_not_of('0') + 1);
    if (shown.back() == '.') shown.pop_back();
    return shown == "-0" ? "0" : shown;
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
            const std::string text = flatText(*it);
            out << indent << label << (text.empty() ? "" : " ") << text << "\n";
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

void printDocument(const CliArgs& args, CliContext& context, const nlohmann::ordered_json& document,
                   const std::function<void(std::ostream&)>& text) {
    if (args.has(kJsonOption.name)) {
        // File and folder names come through pathText; any other byte that is not UTF-8 becomes
        // U+FFFD, so the document is valid JSON whatever a file held.
        context.out << document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    } else if (text) {
        text(context.out);
    } else {
        printJsonAsText(context.out, document);
    }
}
