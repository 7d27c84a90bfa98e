#pragma once

#include <filesystem>
#include <map>
#include <string_view>

#include "settings/SettingsStore.h"

// One group ("[Settings]") of the INI files Qt's settings store writes, read by Qt's rules: its
// escapes, quotes, comments and line continuations, a value with an unquoted comma being a list,
// and values such as "@Invalid()" or "@@at". The command-line tool reads the desktop program's
// settings with it without Qt. Read only: writes reach nothing and say so.
class IniSettingsStore : public SettingsStore {
public:
    explicit IniSettingsStore(std::string group);

    // Adds the group's values that no text added before gives: the first text to give a value wins,
    // as in Qt's layered files. Within one text the last of repeated keys wins.
    void addText(std::string_view text);
    // The same with a file's contents; a file that is missing, not a regular file or larger than
    // any settings file (kMaximumFileSize) adds nothing.
    void addFile(const std::filesystem::path& file);

    std::optional<std::int32_t> readInt(const std::string& name) const override;
    std::optional<std::string> readString(const std::string& name) const override;
    bool writeInt(const std::string& name, std::int32_t value) override;
    bool writeString(const std::string& name, const std::string& value) override;

    static constexpr std::uintmax_t kMaximumFileSize = 4 * 1024 * 1024;

private:
    std::string group_;
    // Each name of the group and its text, none for a value that is no text (a list, an invalid
    // value, or another type).
    std::map<std::string, std::optional<std::string>> values_;
};

// A stored text read as a number the way Qt reads one: decimal, an optional sign, white space
// around it; none when it is not one or lies outside 32 bits.
std::optional<std::int32_t> storedInteger(std::string_view text);

// A stored text read as Qt reads it: Qt marks values that are not plain text with "@Type(...)" and
// doubles a leading "@" of text. Byte arrays and strings so marked are text; invalid values and
// other types are none.
std::optional<std::string> storedText(std::string text);
