#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "CliApp.h"
#include "Commands.h"
#include "MemorySettings.h"

struct CliOutput {
    int status;
    std::string out;
    std::string err;
};

// Runs the command-line tool in the test, over stores that keep their values between runs as the
// platform's would.
class CliTest : public testing::Test {
protected:
    CliTest() { registerAllCommands(app_); }

    // Runs `vxra ARGS`; the output is kept in last_ as well.
    CliOutput run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int status = app_.run(args, out, err);
        return last_ = {status, out.str(), err.str()};
    }

    std::shared_ptr<MemorySettingsStore> user_ = std::make_shared<MemorySettingsStore>();
    std::shared_ptr<MemorySettingsStore> machine_ = std::make_shared<MemorySettingsStore>();
    CliApp app_{[this] {
        return SettingsStores{std::make_unique<SharedStore>(user_), std::make_unique<SharedStore>(machine_)};
    }};
    CliOutput last_{};
};
