#include "CliArgs.h"

#include <charconv>

#include "CliApp.h"

const std::string* CliArgs::value(const std::string& option) const {
    auto it = options.find(option);
    return it == options.end() ? nullptr : &it->second.back();
}

const std::vector<std::string>& CliArgs::values(const std::string& option) const {
    static const std::vector<std::string> none;
    auto it = options.find(option);
    return it == options.end() ? none : it->second;
}

std::optional<CliArgs> parseCliArgs(const std::vector<std::string>& args, const std::set<std::string>& flags,
                                    const std::set<std::string>& options, std::ostream& err) {
    CliArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const bool known = flags.count(name) || options.count(name);
        if (!known && !arg.starts_with("--")) {
            parsed.positional.push_back(arg);
            continue;
        }
        if (flags.count(name) && equals == std::string::npos) {
            parsed.flags.insert(name);
        } else if (options.count(name)) {
            if (equals != std::string::npos) {
                parsed.options[name].push_back(arg.substr(equals + 1));
            } else if (i + 1 < args.size()) {
                parsed.options[name].push_back(args[++i]);
            } else {
                usageError(err, name + " needs a value");
                return std::nullopt;
            }
        } else {
            usageError(err, "unknown option '" + arg + "'");
            return std::nullopt;
        }
    }
    return parsed;
}

std::optional<int> parseInt(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || at != end || text.empty()) return std::nullopt;
    return value;
}
