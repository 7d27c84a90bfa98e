#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

// An option of a command: a flag ("--json") or, with a value name, an option that takes a value
// ("--driver N", also written "--driver=N").
struct CliOption {
    std::string name;
    std::string value;  // the value's name in the help; empty for a flag
    std::string description;
    bool required = false;  // shown without brackets; the command checks it is there
    // Another choice for the optional option before it, shown in its brackets: "[--json | --csv]".
    // The command checks that only one is given.
    bool orPrevious = false;
};

// The output format switch, shared by the commands that print a document.
extern const CliOption kJsonOption;

// A command's arguments: operands, flags and options with a value. An option given twice keeps
// every value, in order.
struct CliArgs {
    std::vector<std::string> operands;
    std::set<std::string> flags;
    std::map<std::string, std::vector<std::string>> options;

    bool has(const std::string& flag) const { return flags.count(flag) > 0; }
    const std::string* value(const std::string& option) const;
    const std::vector<std::string>& values(const std::string& option) const;
};

// Parses `args` against a command's options. Words that are not options are operands, except
// unknown "--" options: then, and on a missing value, writes the usage error to `err` and returns
// nothing.
std::optional<CliArgs> parseCliArgs(const std::vector<std::string>& args,
                                    const std::vector<CliOption>& options, std::ostream& err);

// A whole decimal number that fits an int; nothing otherwise.
std::optional<int> parseInt(const std::string& text);

// A picture's size as "WIDTHxHEIGHT", each 64 to 8192 pixels; nothing otherwise.
std::optional<std::pair<int, int>> parsePictureSize(const std::string& text);
inline constexpr const char* kPictureSizeError = "--size takes WIDTHxHEIGHT, each 64 to 8192 pixels";
