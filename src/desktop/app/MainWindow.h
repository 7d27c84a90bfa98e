#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "desktop/app/CommandTable.h"
#include "desktop/reports/ReportCommands.h"
#include "document/DocumentUi.h"
#include "document/ReplayDocument.h"
#include "map/MapScene.h"
#include "map/Playback.h"
#include "settings/Settings.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class GuideWindow;
class PlotSettingsBar;
class TrackMapView;

// The program's one main window: menus, the main toolbar, the playback, zoom and lap bars, the
// status bar, the plot settings bar on the left and the view in the middle. It owns the document
// and answers its questions with dialogs; every command is a row of its command table.
class MainWindow : public QMainWindow, public DocumentUi {
    Q_OBJECT

public:
    // `settings` (the program's, with the folder of this run) outlives the window.
    explicit MainWindow(Settings& settings, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows the document's title in the window title, "<title> - VELTRA4 Replay Analyser".
    void setDocumentTitle(const QString& title);

    // Adds a lap from a replay given by path (command line, Open, recent files, dropped files).
    void openReplay(const QString& path);
    // A command-line argument: a lap as FILE:DRIVER:SESSION:LAP, added without the lap dialog, or
    // else a replay's path.
    void openArgument(const QString& argument);
    void openDropped(const class QMimeData& dropped);
    void runCommand(int id);

    ReplayDocument& document() { return document_; }
    PlotSettingsBar* plotSettingsBar() const { return plotSettings_; }
    ReportCommands& reportCommands() { return reports_; }
    TrackMapView* view() const { return view_; }
    // The user guide's window, once View Readme file (or the homepage link) opened it.
    GuideWindow* guideWindow() const { return guide_; }
    // The laps whose driving lines are drawn: ticked, loaded, and no playback running or paused.
    LapsShown lapsShown() const;

    // The bitmap export's save dialog, replaceable by tests: the path chosen, nothing when cancelled.
    std::function<std::optional<QString>(const QString& proposed)> bitmapPathChooser;
    QAction* action(int id) const;
    QToolBar* toolBar(int viewCommand) const;
    QStringList recentFiles() const { return recentFiles_; }
    // Whether playback runs or is paused (rule A).
    bool playbackActive() const { return playback_.running(); }
    const Playback& playback() const { return playback_; }
    // One tick of the playback timer (tests call it instead of waiting).
    void playbackTick();

    // Dialog answers, replaceable by tests.
    std::function<std::optional<LapChoice>(const ReplayHeader&, const DriverTable&)> lapChooser;
    std::function<void(const QString& text, bool information)> messageShower;
    // Runs the graph window (modal), replaceable by tests.
    std::function<void(class GraphWindow& window)> graphWindowShower;
    std::function<void(class GearChangeDialog& dialog)> gearChangeDialogShower;
    std::function<void(class LapFinderDialog& dialog)> lapFinderShower;
    std::function<void(class RaceChartWindow& window)> raceChartShower;

    // DocumentUi
    std::optional<std::filesystem::path> chooseReplayFile(const std::string& title, const std::string& filter,
                                                          const std::filesystem::path& startFolder) override;
    std::optional<LapChoice> chooseLap(const ReplayHeader& header, const DriverTable& drivers) override;
    void message(const std::string& text) override;
    void information(const std::string& text) override;
    void lapListChanged() override;
    void clearLapToggles() override;
    void redrawViews() override;
    void trackChanged() override;

protected:
    void dragEnterEvent(class QDragEnterEvent* event) override;
    void dropEvent(class QDropEvent* event) override;
    void closeEvent(class QCloseEvent* event) override;

private:
    void createCommands();
    void createActions();
    void createMenus();
    void createBars();
    void restoreLayout();
    void updateCommands();
    void updateRecentFiles();
    void rememberRecentFile(const QString& path);
    void forgetRecentFile(const QString& path);
    // True (after saying so) while playback keeps laps from being added.
    bool playbackBlocksAdding();
    // Runs a document command that may add a lap, and remembers the lap's file when it does.
    void addLapBy(const std::function<void()>& load);
    void openWithFileDialog();
    void showLapFinder();
    void showRaceChart();
    void toggleBar(int viewCommand);
    void moveRemoveLaps();
    void openSettings();
    void showAboutBox();
    void showGraphWindow();
    void showGearChangeDialog();
    void viewReadme();
    void saveTrackmapBitmap();
    void printMap(bool preview);
    QMenu* createMapMenu();
    void startPlayback();
    void pausePlayback();
    void fastForwardPlayback();
    void stopPlayback();
    void moveToEndOfLap();
    void moveToBeginningOfLap();
    // The playback stopped: the bar shows the split times and the map the whole lines again.
    void playbackStopped();
    void followCar(const PlaybackTick& tick);
    // The plot settings bar's lap boxes, by slot.
    std::array<bool, Playback::kLaps> tickedLaps() const;

    Settings& settings_;
    ReplayDocument document_{*this, settings_};
    ReportCommands reports_{document_, settings_, *this, this};
    CommandTable commands_;
    std::map<int, QAction*> actions_;
    std::map<int, QToolBar*> bars_;
    PlotSettingsBar* plotSettings_;
    TrackMapView* view_;
    GuideWindow* guide_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    std::vector<QAction*> recentActions_;
    QStringList recentFiles_;
    Playback playback_;
    QTimer playbackTimer_;
    // Ticks that came more than a period late in this playback (shown with the logging rule
    // "vxra.playback.debug=true").
    QElapsedTimer sinceTick_;
    int ticks_ = 0;
    int lateTicks_ = 0;
};
