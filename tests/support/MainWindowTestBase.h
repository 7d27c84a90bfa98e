#pragma once

#include <QAction>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>

#include "DemoSimulatorTest.h"
#include "ScriptedDialogs.h"
#include "desktop/app/MainWindow.h"
#include "replay/ReplayFormat.h"

// The main window over the demo simulator folder, with a profile of its own and scripted
// dialogs: messages are collected, and the lap dialog gives `nextLap_` (race lap 2 of the first
// driver unless a test says otherwise).
class MainWindowTestBase : public DemoSimulatorTest {
protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profile_.path());
        DemoSimulatorTest::SetUp();
        dialogs_.message = [this](const QString& text, MainWindowDialogs::MessageKind) {
            messages_.push_back(text);
        };
        dialogs_.lap = [this](const ReplayHeader&, const DriverTable&) { return nextLap_; };
        frame_ = std::make_unique<MainWindow>(settings_, &dialogs_);
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
    ScriptedDialogs dialogs_;
    std::unique_ptr<MainWindow> frame_;
    std::optional<LapChoice> nextLap_ = LapChoice{0, kRace, 2};
    QStringList messages_;
};
