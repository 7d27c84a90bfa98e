#include "settings/IniSettingsStore.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <span>

#include "common/BinaryFile.h"
#include "common/Text1252.h"

namespace {

bool isIniSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isLineBreak(char c) {
    return c == '\n' || c == '\r';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isIniSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isIniSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<unsigned> hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
    return std::nullopt;
}

// A key or section name: "\" separates groups as "/" does, "%XX" and "%UXXXX" are UTF-16 units by
// their hexadecimal code (a character beyond U+FFFF takes two); anything else is itself.
std::string unescapedKey(std::string_view key) {
    const std::u16string units = utf16FromUtf8(key);
    std::u16string text;
    std::size_t i = 0;
    const auto hexCode = [&](std::size_t from, std::size_t digits) -> std::optional<char16_t> {
        if (from + digits > units.size()) return std::nullopt;
        char16_t code = 0;
        for (std::size_t k = from; k < from + digits; ++k) {
            const auto digit = units[k] < 0x80 ? hexDigitValue(static_cast<char>(units[k])) : std::nullopt;
            if (!digit) return std::nullopt;
            code = static_cast<char16_t>(code * 16 + *digit);
        }
        return code;
    };
    while (i < units.size()) {
        if (units[i] == u'\\') {
            text += u'/';
            ++i;
        } else if (const auto wide = units[i] == u'%' ? hexCode(i + 2, 4) : std::nullopt;
                   wide && units[i + 1] == u'U') {
            text += *wide;
            i += 6;
        } else if (const auto latin1 = units[i] == u'%' ? hexCode(i + 1, 2) : std::nullopt) {
            text += *latin1;
            i += 3;
        } else {
            text += units[i++];
        }
    }
    return utf8FromUtf16(text);
}

// A value's text with its escapes undone (C's backslash escapes, "\x" and octal codes of any
// length, a backslash before a line break continuing the line), its double quotes removed, and
// unquoted spaces at either end dropped. None when an unquoted comma makes it a list.
std::optional<std::string> unescapedValue(std::string_view raw) {
    static constexpr std::array<std::pair<char, char16_t>, 11> kEscapes = {{{'a', '\a'},
                                                                            {'b', '\b'},
                                                                            {'f', '\f'},
                                                                            {'n', '\n'},
                                                                            {'r', '\r'},
                                                                            {'t', '\t'},
                                                                            {'v', '\v'},
                                                                            {'"', '"'},
                                                                            {'?', '?'},
                                                                            {'\'', '\''},
                                                                            {'\\', '\\'}}};
    std::u16string text;
    bool isList = false;
    bool inQuotes = false;
    bool quoted = false;
    // Spaces before this point were escaped or quoted and stay.
    std::size_t keptLength = 0;
    std::size_t i = 0;
    const auto skipSpaces = [&] {
        while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t'))
            ++i;
        keptLength = text.size();
    };
    const auto dropTrailingSpaces = [&] {
        while (text.size() > keptLength && (text.back() == u' ' || text.back() == u'\t'))
            text.pop_back();
    };
    const auto appendCode = [&](unsigned base) {
        // The code wraps at 16 bits, as one UTF-16 unit.
        char16_t code = 0;
        while (i < raw.size()) {
            const auto digit = hexDigitValue(raw[i]);
            if (!digit || *digit >= base) break;
            code = static_cast<char16_t>(code * base + *digit);
            ++i;
        }
        text += code;
    };

    // Qt decodes the plain runs with one UTF-8 decoder: a sequence cut short at a run's end waits
    // for the next run (escapes and quotes between them come first), and when that run does not
    // finish it, one U+FFFD stands for it and the run's first byte is lost.
    std::string unfinished;
    const auto appendPlainRun = [&](std::string_view run) {
        if (!unfinished.empty()) {
            const std::string joined = unfinished + std::string(run);
            const Utf8Sequence sequence = firstUtf8Sequence(joined);
            if (sequence.status == Utf8Status::cutShort) {
                unfinished = joined;
                return;
            }
            if (sequence.status == Utf8Status::malformed) {
                text += kReplacementCharacter;
                run.remove_prefix(1);
            } else {
                appendUtf16(text, sequence.codePoint);
                run.remove_prefix(sequence.length - unfinished.size());
            }
        }
        unfinished = appendUtf16FromUtf8(text, run);
    };

    skipSpaces();
    while (i < raw.size()) {
        const char c = raw[i];
        if (c == '\\') {
            ++i;
            if (i < raw.size()) {
                const char escaped = raw[i++];
                const auto* simple =
                    std::find_if(kEscapes.begin(), kEscapes.end(),
                                 [escaped](const auto& entry) { return entry.first == escaped; });
                if (simple != kEscapes.end()) {
                    text += simple->second;
                } else if (escaped == 'x' && i < raw.size() && hexDigitValue(raw[i])) {
                    appendCode(16);
                } else if (escaped >= '0' && escaped <= '7') {
                    --i;
                    appendCode(8);
                } else if (isLineBreak(escaped) && i < raw.size() && isLineBreak(raw[i]) &&
                           raw[i] != escaped) {
                    ++i;
                }
            }
            keptLength = text.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) skipSpaces();
        } else if (c == ',' && !inQuotes) {
            if (!quoted) dropTrailingSpaces();
            isList = true;
            text.clear();
            quoted = false;
            ++i;
            skipSpaces();
        } else {
            std::size_t end = i + 1;
            while (end < raw.size() && raw[end] != '\\' && raw[end] != '"' && raw[end] != ',')
                ++end;
            appendPlainRun(raw.substr(i, end - i));
            i = end;
        }
    }
    if (!quoted) dropTrailingSpaces();
    if (isList) return std::nullopt;
    return utf8FromUtf16(text);
}

// One line of an INI text, with the place of its first unquoted "=" if it has one. A line ends at
// a line break or a ";" (a comment follows) outside double quotes; a backslash keeps the character
// after it (a line break too) in the line. Comment lines and blank lines are skipped.
struct IniLine {
    std::string_view text;
    std::optional<std::size_t> equalsAt;
};

class IniLines {
public:
    explicit IniLines(std::string_view text) : text_(text) {}

    std::optional<IniLine> next() {
        for (;;) {
            while (position_ < text_.size() && isIniSpace(text_[position_]))
                ++position_;
            if (position_ == text_.size()) return std::nullopt;
            if (text_[position_] != ';') break;
            while (position_ < text_.size() && !isLineBreak(text_[position_]))
                ++position_;
        }
        const std::size_t start = position_;
        IniLine line;
        bool inQuotes = false;
        while (position_ < text_.size()) {
            const char c = text_[position_];
            if ((isLineBreak(c) || c == ';') && !inQuotes) break;
            ++position_;
            if (c == '=' && !inQuotes && !line.equalsAt) {
                line.equalsAt = position_ - 1 - start;
            } else if (c == '"') {
                inQuotes = !inQuotes;
            } else if (c == '\\' && position_ < text_.size()) {
                const char escaped = text_[position_++];
                if (isLineBreak(escaped) && position_ < text_.size() && isLineBreak(text_[position_]) &&
                    text_[position_] != escaped) {
                    ++position_;
                }
            }
        }
        line.text = text_.substr(start, position_ - start);
        return line;
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

}  // namespace

IniSettingsStore::IniSettingsStore(std::string group) : group_(std::move(group)) {}

void IniSettingsStore::addText(std::string_view text) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());

    std::map<std::string, std::optional<std::string>> values;
    // Qt reads the group's values from its sections alone.
    bool inGroup = false;
    IniLines lines(text);
    while (const auto line = lines.next()) {
        if (line->text.starts_with('[')) {
            const std::size_t close = line->text.find(']');
            const std::string_view name =
                trimmed(line->text.substr(1, close == std::string_view::npos ? close : close - 1));
            // "[General]" holds the keys of no group.
            inGroup = asciiLower(name) != "general" && unescapedKey(name) == group_;
            continue;
        }
        if (!inGroup || !line->equalsAt) continue;
        const auto value = unescapedValue(line->text.substr(*line->equalsAt + 1));
        values.insert_or_assign(unescapedKey(trimmed(line->text.substr(0, *line->equalsAt))),
                                value ? storedText(*value) : std::nullopt);
    }
    values_.merge(values);
}

// One open, which takes regular files only and never waits on a pipe, read up to its size then.
void IniSettingsStore::addFile(const std::filesystem::path& file) {
    BinaryFile in;
    if (!in.open(file) || in.size() > kMaximumFileSize) return;
    std::string text(static_cast<std::size_t>(in.size()), '\0');
    if (!in.readAt(0, std::span(reinterpret_cast<std::uint8_t*>(text.data()), text.size()))) return;
    addText(text);
}

std::optional<std::string> IniSettingsStore::readString(const std::string& name) const {
    const auto found = values_.find(name);
    return found == values_.end() ? std::nullopt : found->second;
}

std::optional<std::int32_t> IniSettingsStore::readInt(const std::string& name) const {
    const auto text = readString(name);
    return text ? storedInteger(*text) : std::nullopt;
}

bool IniSettingsStore::writeInt(const std::string&, std::int32_t) {
    return false;
}

bool IniSettingsStore::writeString(const std::string&, const std::string&) {
    return false;
}

std::optional<std::string> storedText(std::string text) {
    if (!text.starts_with('@')) return text;
    if (text.starts_with("@@")) return text.substr(1);
    if (!text.ends_with(')')) return text;
    if (text == "@Invalid()") return std::nullopt;
    constexpr std::string_view kByteArray = "@ByteArray(";
    if (text.starts_with(kByteArray)) {
        // Qt keeps each character's low byte ("?" for one past U+00FF) and reads the bytes as UTF-8.
        std::string bytes;
        for (const char16_t unit :
             utf16FromUtf8(text.substr(kByteArray.size(), text.size() - kByteArray.size() - 1)))
            bytes += unit <= 0xFF ? static_cast<char>(unit) : '?';
        return utf8FromUtf16(utf16FromUtf8(bytes));
    }
    constexpr std::string_view kString = "@String(";
    if (text.starts_with(kString)) return text.substr(kString.size(), text.size() - kString.size() - 1);
    // Values Qt packs in its own binary form are none to us.
    if (text.starts_with("@Variant(") || text.starts_with("@DateTime(")) return std::nullopt;
    // Geometry is none when it has its number of arguments, each space and the closing bracket
    // ending one, whatever they hold (Qt reads what is no number as 0); otherwise it is text.
    constexpr std::array<std::pair<std::string_view, std::size_t>, 3> kGeometry = {
        {{"@Rect(", 4}, {"@Size(", 2}, {"@Point(", 2}}};
    for (const auto& [type, argumentCount] : kGeometry) {
        if (text.starts_with(type)) {
            const std::string_view arguments = std::string_view(text).substr(type.size());
            const auto ends = static_cast<std::size_t>(std::count_if(
                arguments.begin(), arguments.end(), [](char c) { return c == ' ' || c == ')'; }));
            return ends == argumentCount ? std::nullopt : std::optional(text);
        }
    }
    return text;
}

std::optional<std::int32_t> storedInteger(std::string_view text) {
    text = trimmed(text);
    // from_chars takes a minus sign only.
    if (text.starts_with('+') && !text.starts_with("+-")) text.remove_prefix(1);
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return number;
}
