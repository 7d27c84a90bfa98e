#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "MemorySettings.h"
#include "SharedDemoFolder.h"

// Tests over the demo simulator folder the build wrote. Each test starts from fresh in-memory
// settings pointing at it, with the lap quality report switched off.
class DemoSimulatorTest : public testing::Test {
protected:
    DemoSimulatorTest() { settings_.setDontShowQualReport(true); }

    static std::filesystem::path replay(const std::string& name) { return sim_->path() / "replay" / name; }

    static inline const DemoSimulatorFolder* sim_ = &DemoSimulatorFolder::shared();
    Settings settings_{memoryStores(), sim_->path().string()};
};
