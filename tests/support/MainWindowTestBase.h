#pragma once

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <initializer_list>
#include <memory>
#include <optional>

#include "DemoSimulatorTest.h"
#include "ScriptedDialogs.h"
#include "desktop/app/MainWindow.h"
#include "map/MapZoom.h"
#include "replay/ReplayFormat.h"
#include "track/MapTransform.h"
#include "track/TrackModel.h"

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
    // Race lap 2 of each driver of the demo weekend, in slot order.
    void addRaceLaps(std::initializer_list<int> drivers) {
        for (const int driver : drivers) {
            nextLap_ = LapChoice{driver, kRace, 2};
            addLap("Rivaldi weekend (saved in race).rpy");
        }
    }
    bool enabled(int id) const { return frame_->action(id)->isEnabled(); }
    // Where a sample of the first lap's driving line lies on the map view, in map units.
    QPointF onMap(int sample) const {
        const ReplayDocument& document = frame_->document();
        const MapTransform layout(MapZoom::kSquare, MapZoom::kSquare, 50, 50, *document.trackModel());
        const MapPoint point = *document.slots()[0].drivingLine->mapPoint(sample, layout);
        return {static_cast<double>(point.x), static_cast<double>(point.y)};
    }
    // Runs File > Settings, its dialog accepted as it stands.
    void acceptSettings() {
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->accept();
        });
        frame_->runCommand(ID_SETTINGS);
    }

    QTemporaryDir profile_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<MainWindow> frame_;
    std::optional<LapChoice> nextLap_ = LapChoice{0, kRace, 2};
    QStringList messages_;
};
