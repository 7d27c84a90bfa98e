#pragma once

#include <QAction>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>

#include "DemoSimulatorTest.h"
#include "desktop/app/MainWindow.h"
#include "replay/ReplayFormat.h"

// The main window over the demo simulator folder, with a profile of its own and scripted
// answers: messages are collected, and the lap dialog gives `nextLap_` (race lap 2 of the first
// driver unless a test says otherwise).
class MainWindowTestBase : public DemoSimulatorTest {
protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profile_.path());
        DemoSimulatorTest::SetUp();
        frame_ = std::make_unique<MainWindow>(settings_);
        frame_->messageShower = [this](const QString& text, bool) { messages_.push_back(text); };
        frame_->lapChooser = [this](const ReplayHeader&, const DriverTable&) { return nextLap_; };
    }
    void TearDown() override {
        frame_.reset();
        DemoSimulatorTest::TearDown();
    }
    void addLap(const std::string& name) {
        frame_->openReplay(QString::fromStdString(replay(name).string()));
    }
    bool enabled(int id) const { return frame_->action(id)->isEnabled(); }

    QTemporaryDir profile_;
    std::unique_ptr<MainWindow> frame_;
    std::optional<LapChoice> nextLap_ = LapChoice{0, kRace, 2};
    QStringList messages_;
};
