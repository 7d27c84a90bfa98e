#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Exit statuses of the command-line tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the command ran and failed (unreadable file, ...)
inline constexpr int kExitUsage = 2;    // the command line itself is wrong

struct CliContext {
    std::ostream& out;
    std::ostream& err;
};

// One subcommand: `vxra NAME ARGUMENTS`.
struct CliCommand {
    std::string name;
    std::string arguments;  // as shown in the usage text, e.g. "FILE [--json]"
    std::string summary;
    // Runs with the arguments after the command's name (global options already taken out).
    std::function<int(const std::vector<std::string>& args, CliContext& context)> run;
};

// The tool's frame: global options (--help, --version, --sim-dir DIR) and dispatch to subcommands.
// Results go to `out`, errors to `err` with a non-zero exit status.
class CliApp {
public:
    void add(CliCommand command);
    int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) const;

private:
    void printHelp(std::ostream& out) const;
    const CliCommand* find(const std::string& name) const;

    std::vector<CliCommand> commands_;
};

// Writes "vxra: <message>" and a pointer to the help to `err`; returns kExitUsage.
int usageError(std::ostream& err, const std::string& message);
