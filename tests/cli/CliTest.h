#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "CliApp.h"
#include "Commands.h"
#include "MemorySettings.h"
#include "SharedDemoFolder.h"

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
    CliOutput run(const std::vector<std::string>& args) { return run(app_, args); }
    // Runs `vxra ARGS` in a tool that draws its pictures with `pictures`.
    CliOutput runDrawing(const PictureMakers& pictures, const std::vector<std::string>& args) {
        CliApp app(stores());
        registerAllCommands(app, pictures);
        return run(app, args);
    }

    std::shared_ptr<MemorySettingsStore> user_ = std::make_shared<MemorySettingsStore>();
    std::shared_ptr<MemorySettingsStore> machine_ = std::make_shared<MemorySettingsStore>();
    CliApp app_{stores()};
    CliOutput last_{};

private:
    std::function<SettingsStores()> stores() {
        return [this] {
            return SettingsStores{std::make_unique<SharedStore>(user_),
                                  std::make_unique<SharedStore>(machine_)};
        };
    }
    CliOutput run(CliApp& app, const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int status = app.run(args, out, err);
        return last_ = {status, out.str(), err.str()};
    }
};

// The tool over the demo simulator folder the build wrote.
class DemoCliTest : public CliTest {
protected:
    static std::string replay(const std::string& name) { return (sim_->path() / "replay" / name).string(); }
    // Race lap 2 of `driver` in the demo weekend, as FILE:DRIVER:SESSION:LAP.
    static std::string weekendRaceLap(int driver) {
        return replay("Rivaldi weekend (saved in race).rpy") + ":" + std::to_string(driver) + ":race:2";
    }
    // Runs `vxra --sim-dir DEMO ARGS`.
    CliOutput vxra(std::vector<std::string> args) {
        args.insert(args.begin(), {"--sim-dir", sim_->path().string()});
        return run(args);
    }

    static inline const DemoSimulatorFolder* sim_ = &DemoSimulatorFolder::shared();
};

// The keys of a JSON object, in their order.
inline std::vector<std::string> keysOf(const nlohmann::ordered_json& object) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : object.items())
        keys.push_back(key);
    return keys;
}
