#include "CliArgs.h"

#include <algorithm>
#include <charconv>

#include "CliApp.h"

const CliOption kJsonOption{"--json", "", "print the result as JSON"};

const std::string* CliArgs::value(const std::string& option) const {
    auto it = options.find(option);
    return it == options.end() ? nullptr : &it->second.back();
}

const std::vector<std::string>& CliArgs::values(const std::string& option) const {
    static const std::vector<std::string> none;
    auto it = options.find(option);
    return it == options.end() ? none : it->second;
}

std::optional<CliArgs> parseCliArgs(const std::vector<std::string>& args,
                                    const std::vector<CliOption>& options, std::ostream& err) {
    CliArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const auto option = std::find_if(options.begin(), options.end(),
                                         [&](const CliOption& candidate) { return candidate.name == name; });
        if (option == options.end() && !arg.starts_with("--")) {
            parsed.operands.push_back(arg);
            continue;
        }
        if (option != options.end() && option->value.empty() && equals == std::string::npos) {
            parsed.flags.insert(name);
        } else if (option != options.end() && !option->value.empty()) {
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

std::optional<std::pair<int, int>> parsePictureSize(const std::string& text) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) return std::nullopt;
    const auto width = parseInt(text.substr(0, x)), height = parseInt(text.substr(x + 1));
    if (!width || !height || *width < 64 || *height < 64 || *width > 8192 || *height > 8192)
        return std::nullopt;
    return std::pair{*width, *height};
}
