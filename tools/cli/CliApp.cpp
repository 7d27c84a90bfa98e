#include "CliApp.h"

#include <algorithm>

#include "Version.h"

namespace {

constexpr const char* kSimDir = "--sim-dir";

// Takes the global --sim-dir option out of the arguments wherever it stands.
bool takeSimDir(std::vector<std::string>& args, std::optional<std::string>& simDir, std::ostream& err) {
    for (auto it = args.begin(); it != args.end();) {
        if (*it == kSimDir) {
            if (std::next(it) == args.end()) {
                usageError(err, "--sim-dir needs a folder");
                return false;
            }
            simDir = *std::next(it);
            it = args.erase(it, std::next(it, 2));
        } else if (it->starts_with(std::string(kSimDir) + "=")) {
            simDir = it->substr(std::string(kSimDir).size() + 1);
            it = args.erase(it);
        } else {
            ++it;
        }
    }
    return true;
}

// "lap FILE --driver N [--csv]": the operands, then each option, optional ones in brackets, and
// choices between options in one pair of brackets.
std::string synopsis(const CliCommand& command) {
    std::string text = command.name;
    if (!command.operands.empty()) text += " " + command.operands;
    for (const CliOption& option : command.options) {
        const std::string shown = option.value.empty() ? option.name : option.name + " " + option.value;
        if (option.orPrevious)
            text.insert(text.size() - 1, " | " + shown);
        else
            text += option.required ? " " + shown : " [" + shown + "]";
    }
    return text;
}

void printOptions(std::ostream& out, const std::vector<CliOption>& options, const std::string& indent) {
    std::size_t width = 0;
    for (const CliOption& option : options)
        width = std::max(width, option.name.size() + (option.value.empty() ? 0 : option.value.size() + 1));
    for (const CliOption& option : options) {
        std::string shown = option.value.empty() ? option.name : option.name + " " + option.value;
        shown.resize(width, ' ');
        out << indent << shown << "  " << option.description << "\n";
    }
}

}  // namespace

int usageError(std::ostream& err, const std::string& message) {
    err << "vxra: " << message << "\nRun 'vxra --help' for usage.\n";
    return kExitUsage;
}

int failure(std::ostream& err, const std::string& message) {
    err << "vxra: " << message << "\n";
    return kExitFailure;
}

void CliApp::add(CliCommand command) {
    commands_.push_back(std::move(command));
}

const CliCommand* CliApp::find(const std::string& name) const {
    auto it = std::find_if(commands_.begin(), commands_.end(),
                           [&](const CliCommand& command) { return command.name == name; });
    return it == commands_.end() ? nullptr : &*it;
}

void CliApp::printHelp(std::ostream& out) const {
    out << "Usage: vxra [--sim-dir DIR] COMMAND [ARGUMENTS]\n"
           "       vxra --help | --version\n\n"
        << kProductName << ": reports and telemetry from VELTRA Racing 4 replays.\n\nCommands:\n";
    for (const auto& command : commands_) {
        out << "  " << synopsis(command) << "\n      " << command.summary << "\n";
        printOptions(out, command.options, "        ");
    }
    out << "\nOptions:\n";
    printOptions(out,
                 {{kSimDir, "DIR", "use DIR as the simulator folder for this run; it is not saved"},
                  {"--help", "", "show this help, or a command's usage after its name"},
                  {"--version", "", "show the version"}},
                 "  ");
}

int CliApp::run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) const {
    try {
        const int status = dispatch(arguments, out, err);
        // A full disk or a closed pipe shows only here: the output is in the stream's hands until
        // flushed.
        if (status == kExitOk && !out.flush()) return failure(err, "error writing the output");
        return status;
    } catch (const std::exception& error) {
        return failure(err, error.what());
    } catch (...) {
        return failure(err, "unexpected error");
    }
}

int CliApp::dispatch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) const {
    std::vector<std::string> args = arguments;
    std::optional<std::string> simDir;
    if (!takeSimDir(args, simDir, err)) return kExitUsage;

    if (args.empty()) {
        printHelp(err);
        return kExitUsage;
    }
    const std::string& first = args.front();
    if (first == "--help" || first == "-h") {
        printHelp(out);
        return kExitOk;
    }
    if (first == "--version") {
        out << "vxra (" << kProductName << ") " << kProductVersion << "\n";
        return kExitOk;
    }
    if (first.starts_with("-")) return usageError(err, "unknown option '" + first + "'");

    const CliCommand* command = find(first);
    if (!command) return usageError(err, "unknown command '" + first + "'");

    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
        out << "Usage: vxra " << synopsis(*command) << "\n" << command->summary << "\n";
        printOptions(out, command->options, "  ");
        return kExitOk;
    }
    const auto parsed = parseCliArgs(rest, command->options, err);
    if (!parsed) return kExitUsage;
    const Settings settings(stores_(), simDir);
    CliContext context{out, err, settings};
    return command->run(*parsed, context);
}
