#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "DemoFolder.h"
#include "MemorySettings.h"
#include "TempDir.h"

// Tests over the demo simulator folder, written once per suite. Each test starts from fresh
// in-memory settings pointing at it, with the lap quality report switched off.
class DemoSimulatorTest : public testing::Test {
protected:
    DemoSimulatorTest() { settings_.setDontShowQualReport(true); }

    static void SetUpTestSuite() {
        sim_ = std::make_unique<TempDir>();
        writeDemoFolder(sim_->path(), DemoOptions{});
    }
    static void TearDownTestSuite() { sim_.reset(); }

    static std::filesystem::path replay(const std::string& name) { return sim_->path() / "replay" / name; }

    static inline std::unique_ptr<TempDir> sim_;
    Settings settings_{memoryStores(), sim_->path().string()};
};
