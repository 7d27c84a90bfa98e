#include "JsonText.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

using json = nlohmann::ordered_json;

bool isPlain(const json& v) {
    return !v.is_object() && !v.is_array();
}

bool isFlat(const json& v) {
    if (isPlain(v)) return true;
    for (const auto& item : v) {
        if (!isPlain(item)) return false;
    }
    return true;
}

// Numbers with a fraction are shown to the millimetre (or millisecond), without trailing zeros.
std::string plainText(const json& v) {
    if (v.is_string()) return v.get<std::string>();
    if (!v.is_number_float()) return v.dump();
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", v.get<double>());
    std::string shown = text;
    shown.erase(shown.find_last_not_of('0') + 1);
    if (shown.back() == '.') shown.pop_back();
    return shown == "-0" ? "0" : shown;
}

std::string flatText(const json& v) {
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

void print(std::ostream& out, const json& v, const std::string& indent);

// One entry of a container: `label` is "key:" in an object, "-" in an array.
void printEntry(std::ostream& out, const std::string& label, const json& entry, bool inArray,
                const std::string& indent) {
    // A plain value, a list of plain values, or a list item of plain fields fits on one line.
    if (isPlain(entry) || (isFlat(entry) && (entry.is_array() || inArray))) {
        const std::string text = flatText(entry);
        out << indent << label << (text.empty() ? "" : " ") << text << "\n";
    } else {
        out << indent << label << "\n";
        print(out, entry, indent + "  ");
    }
}

void print(std::ostream& out, const json& v, const std::string& indent) {
    for (auto it = v.begin(); it != v.end(); ++it)
        printEntry(out, v.is_object() ? it.key() + ":" : "-", *it, v.is_array(), indent);
}

std::string dumped(const json& value) {
    return value.dump(2, ' ', false, json::error_handler_t::replace);
}

// Held until a block is full, so a document of many small entries is not written piece by piece.
class JsonWriter : public DocumentWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}
    // When an exception unwinds, the rest of the half-written document is dropped.
    ~JsonWriter() override {
        if (std::uncaught_exceptions() == uncaughtAtStart_) flush();
    }
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    void beginObject() override { open('{', true); }
    void beginArray() override { open('[', false); }
    void end() override {
        const Level level = levels_.back();
        levels_.pop_back();
        if (!level.empty) newLine();
        pending_ += level.object ? '}' : ']';
        endValue();
    }
    void key(std::string_view name) override {
        startEntry();
        appendString(name);
        pending_ += ": ";
        afterKey_ = true;
    }
    void value(const json& value) override {
        startValue();
        // The value's own lines carry the indent of its depth here.
        const std::string text = dumped(value);
        std::size_t from = 0;
        for (std::size_t newline = text.find('\n'); newline != std::string::npos;
             newline = text.find('\n', from)) {
            pending_.append(text, from, newline - from);
            newLine();
            from = newline + 1;
        }
        pending_.append(text, from);
        endValue();
    }
    void text(std::string_view text) override {
        startValue();
        appendString(text);
        endValue();
    }
    void number(std::int64_t number) override {
        startValue();
        pending_ += std::to_string(number);
        endValue();
    }

private:
    static constexpr std::size_t kBlock = 64 << 10;

    struct Level {
        bool object;
        bool empty = true;
    };

    void newLine() {
        pending_ += '\n';
        pending_.append(2 * levels_.size(), ' ');
    }
    // Before a key or an array item: the separator from the entry before and the line's indent.
    void startEntry() {
        if (levels_.empty()) return;
        pending_ += levels_.back().empty ? "" : ",";
        levels_.back().empty = false;
        newLine();
    }
    void startValue() {
        if (!afterKey_) startEntry();
        afterKey_ = false;
    }
    void endValue() {
        if (levels_.empty()) pending_ += '\n';
        if (levels_.empty() || pending_.size() >= kBlock) flush();
    }
    void open(char bracket, bool object) {
        startValue();
        pending_ += bracket;
        levels_.push_back({object});
    }
    // Plain ASCII as it is; anything that needs escaping or may not be UTF-8 as the library writes it.
    void appendString(std::string_view text) {
        const bool plain = std::all_of(text.begin(), text.end(),
                                       [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; });
        if (plain) {
            pending_ += '"';
            pending_ += text;
            pending_ += '"';
        } else {
            pending_ += dumped(std::string(text));
        }
    }
    void flush() {
        out_ << pending_;
        pending_.clear();
    }

    std::ostream& out_;
    std::string pending_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
    int uncaughtAtStart_ = std::uncaught_exceptions();
};

class TextWriter : public DocumentWriter {
public:
    explicit TextWriter(std::ostream& out) : out_(out) {}

    void beginObject() override { open(true); }
    void beginArray() override { open(false); }
    void end() override { levels_.pop_back(); }
    void key(std::string_view name) override { key_ = std::string(name) + ":"; }
    void value(const json& value) override {
        if (levels_.empty()) {
            printJsonAsText(out_, value);
        } else {
            printEntry(out_, label(), value, !levels_.back().object, levels_.back().indent);
        }
    }
    void text(std::string_view text) override { value(std::string(text)); }
    void number(std::int64_t number) override { value(number); }

private:
    struct Level {
        bool object;
        std::string indent;  // of its entries
    };

    std::string label() const { return levels_.back().object ? key_ : "-"; }
    // The document's own entries have no indent; a container opened in it shows as its label's line.
    void open(bool object) {
        if (levels_.empty()) {
            levels_.push_back({object, ""});
            return;
        }
        out_ << levels_.back().indent << label() << "\n";
        levels_.push_back({object, levels_.back().indent + "  "});
    }

    std::ostream& out_;
    std::vector<Level> levels_;
    std::string key_;
};

}  // namespace

void printJsonAsText(std::ostream& out, const json& value) {
    print(out, value, "");
}

void printDocument(const CliArgs& args, CliContext& context, const json& document,
                   const std::function<void(std::ostream&)>& text) {
    if (args.has(kJsonOption.name)) {
        jsonWriter(context.out)->value(document);
    } else if (text) {
        text(context.out);
    } else {
        printJsonAsText(context.out, document);
    }
}

std::unique_ptr<DocumentWriter> jsonWriter(std::ostream& out) {
    return std::make_unique<JsonWriter>(out);
}

std::unique_ptr<DocumentWriter> textWriter(std::ostream& out) {
    return std::make_unique<TextWriter>(out);
}

std::unique_ptr<DocumentWriter> documentWriter(const CliArgs& args, std::ostream& out) {
    if (args.has(kJsonOption.name)) return jsonWriter(out);
    return textWriter(out);
}
