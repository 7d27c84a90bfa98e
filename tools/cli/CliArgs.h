#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

// A subcommand's arguments: positionals, flags (--json) and options with a value (--driver 3 or
// --driver=3). An option given twice keeps every value, in order.
struct CliArgs {
    std::vector<std::string> positional;
    std::set<std::string> flags;
    std::map<std::string, std::vector<std::string>> options;

    bool has(const std::string& flag) const { return flags.count(flag) > 0; }
    const std::string* value(const std::string& option) const;
    const std::vector<std::string>& values(const std::string& option) const;
};

// Parses `args` against the known flag and option names (written with their dashes: "--json",
// "-o"). Other words are positionals, except unknown "--" options: then, and on a missing value,
// writes the usage error to `err` and returns nothing.
std::optional<CliArgs> parseCliArgs(const std::vector<std::string>& args, const std::set<std::string>& flags,
                                    const std::set<std::string>& options, std::ostream& err);

// A whole decimal number that fits an int; nothing otherwise.
std::optional<int> parseInt(const std::string& text);
