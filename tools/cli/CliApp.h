#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "CliArgs.h"
#include "settings/Settings.h"

// Exit statuses of the command-line tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the command ran and failed (unreadable file, ...)
inline constexpr int kExitUsage = 2;    // the command line itself is wrong

// What a command works with: where results and errors go, and the settings of this run.
struct CliContext {
    std::ostream& out;
    std::ostream& err;
    const Settings& settings;
};

// One subcommand: `vxra NAME OPERANDS [OPTIONS]`. Its options are parsed, checked and shown in the
// help from its table.
struct CliCommand {
    std::string name;
    std::string operands;  // as shown in the usage text, e.g. "FILE"
    std::string summary;
    std::vector<CliOption> options;
    std::function<int(const CliArgs& args, CliContext& context)> run;
};

// The tool's frame: global options (--help, --version, --sim-dir DIR), the settings of the run,
// and dispatch to subcommands. Results go to `out`, errors to `err` with a non-zero exit status; an
// exception that escapes a command is such an error too, never an abort.
class CliApp {
public:
    // `stores` gives the settings stores for each run.
    explicit CliApp(std::function<SettingsStores()> stores) : stores_(std::move(stores)) {}

    void add(CliCommand command);
    int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) const;

private:
    int dispatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) const;
    void printHelp(std::ostream& out) const;
    const CliCommand* find(const std::string& name) const;

    std::function<SettingsStores()> stores_;
    std::vector<CliCommand> commands_;
};

// Writes "vxra: <message>" and a pointer to the help to `err`; returns kExitUsage.
int usageError(std::ostream& err, const std::string& message);
// Writes "vxra: <message>" to `err`; returns kExitFailure.
int failure(std::ostream& err, const std::string& message);
