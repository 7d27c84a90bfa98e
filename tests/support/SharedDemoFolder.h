#pragma once

#include <filesystem>
#include <memory>

#include "TempDir.h"

// The demo simulator folder as tests see it. The build writes one per build tree
// (build/<preset>/demo) and every test program reads that one, so no test pays for writing its
// own. Tests never change it: a suite that changes files works on a copy of its own.
class DemoSimulatorFolder {
public:
    static const DemoSimulatorFolder& shared() {
        static const DemoSimulatorFolder folder{VXRA_DEMO_DIR};
        return folder;
    }
    // A copy of the shared folder in a new temporary folder, removed with the copy.
    static std::unique_ptr<const DemoSimulatorFolder> copy() {
        auto temp = std::make_unique<TempDir>();
        std::filesystem::copy(shared().path(), temp->path(), std::filesystem::copy_options::recursive);
        return std::unique_ptr<const DemoSimulatorFolder>(new DemoSimulatorFolder(std::move(temp)));
    }

    const std::filesystem::path& path() const { return path_; }

private:
    explicit DemoSimulatorFolder(std::filesystem::path path) : path_(std::move(path)) {}
    explicit DemoSimulatorFolder(std::unique_ptr<TempDir> temp)
        : temp_(std::move(temp)), path_(temp_->path()) {}

    std::unique_ptr<TempDir> temp_;
    std::filesystem::path path_;
};
