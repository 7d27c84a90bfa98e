#include <QApplication>

#include "desktop/app/MainWindow.h"
#include "desktop/document/PlotSettingsBar.h"
#include "desktop/map/TrackMapView.h"
#include "reports/ReportRegistry.h"

// The command table: every command with its texts, its enabling rule, whether it is checkable,
// and its handler. Commands of features not built yet have no handler and stay disabled.
void MainWindow::createCommands() {
    using R = EnableRule;
    const auto add = [this](int id, const char* menuText, const char* statusTip, EnableRule rule,
                            std::function<void()> run = {}, bool checkable = false) {
        commands_.add({id, menuText, statusTip, rule, checkable, std::move(run)});
    };
    const auto bar = [this](int id) { return [this, id] { toggleBar(id); }; };
    constexpr bool kCheckable = true;

    add(ID_FILE_NEW, "&Clear all replay laps...", "Remove every loaded replay lap", R::PlaybackStopped,
        [this] { document_.clearAll(); });
    add(ID_ADD_REPLAY_LAP, "&Add replay lap...", "Add a lap from a replay file", R::PlaybackStopped,
        [this] { addLapBy([this] { document_.addReplayLap(); }); });
    add(ID_LAP_FINDER, "Add replay lap using Lap Finder...", "Find the laps of a track in the replay folders",
        R::PlaybackStopped, [this] { showLapFinder(); });
    add(ID_OPEN_MOST_RECENT, "Open most recently added replay file...",
        "Add a lap from the newest replay in the replay folder", R::PlaybackStopped,
        [this] { addLapBy([this] { document_.openMostRecentlyAdded(); }); });
    add(ID_FILE_OPEN, "&Open...", "Add a lap from a replay file", R::PlaybackStopped,
        [this] { openWithFileDialog(); });
    add(ID_MOVE_REMOVE, "Move/Remove loaded replay laps...", "Reorder or remove the loaded laps", R::Always,
        [this] { moveRemoveLaps(); });
    add(ID_SAVE_TRACKMAP_BMP, "Save Trackmap as BMP-file...", "Save the track map as a bitmap file",
        R::Always, [this] { saveTrackmapBitmap(); });
    add(ID_FILE_PRINT, "&Print...", "Print the track map", R::PlaybackStopped, [this] { printMap(false); });
    add(ID_FILE_PRINT_PREVIEW, "Print Pre&view...", "Show the printed track map", R::PlaybackStopped,
        [this] { printMap(true); });
    add(ID_FILE_PRINT_SETUP, "P&rint Setup...", "Choose the printer and the page", R::Never);
    add(ID_SETTINGS, "Settings...", "Change the program's settings", R::Always, [this] { openSettings(); });
    add(ID_APP_EXIT, "E&xit", "Quit the program", R::Always, [this] { close(); });
    add(ID_EDIT_UNDO, "&Undo", "Undo the last action", R::Never);
    add(ID_EDIT_CUT, "Cu&t", "Cut the selection to the clipboard", R::Never);
    add(ID_EDIT_COPY, "&Copy", "Copy the selection to the clipboard", R::Never);
    add(ID_EDIT_PASTE, "&Paste", "Insert the clipboard's contents", R::Never);
    add(ID_NEXT_PANE, "Next Pane", "Switch to the next window pane", R::Never);
    add(ID_PREV_PANE, "Previous Pane", "Switch to the previous window pane", R::Never);
    add(
        ID_ZOOM_IN, "Zoom In", "Click to zoom in on a point or drag a zoom box", R::LapLoadedNotPlaying,
        [this] { view_->toggleZoomIn(); }, kCheckable);
    add(
        ID_ZOOM_OUT, "Zoom Out", "Click to zoom out on a point", R::LapLoadedNotPlaying,
        [this] { view_->toggleZoomOut(); }, kCheckable);
    add(ID_ZOOM_IN_CENTRE, "Zoom In On Centre", "Zoom in on the middle of the map", R::LapLoadedNotPlaying,
        [this] { view_->zoomAboutCentre(MapZoom::kStep); });
    add(ID_ZOOM_OUT_CENTRE, "Zoom Out From Centre", "Zoom out from the middle of the map",
        R::LapLoadedNotPlaying, [this] { view_->zoomAboutCentre(1 / MapZoom::kStep); });
    add(ID_FIT_TO_TRACK, "Fit To Track", "Show the whole track", R::LapLoaded,
        [this] { view_->showWholeMap(); });
    add(
        ID_PANNING_TOOL, "Panning Tool", "Move the track map around", R::LapLoaded,
        [this] { view_->togglePanning(); }, kCheckable);
    add(ID_VIEW_TOOLBAR, "&Toolbar", "Show or hide the toolbar", R::Always, bar(ID_VIEW_TOOLBAR), kCheckable);
    add(ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar", R::Always, bar(ID_VIEW_STATUS_BAR),
        kCheckable);
    add(ID_VIEW_PLAYBACK_BAR, "Playback Bar", "Show or hide the playback bar", R::Always,
        bar(ID_VIEW_PLAYBACK_BAR), kCheckable);
    add(ID_VIEW_PLOT_SETTINGS, "Plot Settings", "Show or hide the plot settings", R::Always,
        bar(ID_VIEW_PLOT_SETTINGS), kCheckable);
    add(ID_VIEW_ZOOM_BAR, "Zoom Bar", "Show or hide the zoom bar", R::Always, bar(ID_VIEW_ZOOM_BAR),
        kCheckable);
    add(ID_VIEW_LAP_BAR, "Lap Bar", "Show or hide the lap bar", R::Always, bar(ID_VIEW_LAP_BAR), kCheckable);
    add(ID_BEGINNING_OF_LAP, "Beginning of lap", "Move the playback to the start of the laps",
        R::PlaybackPlaying, [this] { moveToBeginningOfLap(); });
    add(
        ID_START_CONTINUE, "Start/Continue", "Play the laps back in real time", R::LapLoaded,
        [this] { startPlayback(); }, kCheckable);
    add(
        ID_PAUSE, "Pause", "Pause the playback", R::PlaybackPlaying, [this] { pausePlayback(); }, kCheckable);
    add(
        ID_FAST_FORWARD, "Fast Forward", "Play the laps back fast", R::PlaybackPlaying,
        [this] { fastForwardPlayback(); }, kCheckable);
    add(ID_STOP, "Stop", "Stop the playback", R::PlaybackRunning, [this] { stopPlayback(); });
    add(ID_MOVE_TO_END_OF_LAP, "Move to end of lap", "Move the playback to the end of the laps",
        R::PlaybackPlaying, [this] { moveToEndOfLap(); });
    static constexpr const char* kToggleTexts[][2] = {
        {"Toggle lap 1", "Show or hide the driving line of lap 1"},
        {"Toggle lap 2", "Show or hide the driving line of lap 2"},
        {"Toggle lap 3", "Show or hide the driving line of lap 3"},
        {"Toggle lap 4", "Show or hide the driving line of lap 4"},
        {"Toggle lap 5", "Show or hide the driving line of lap 5"},
    };
    for (int slot = 0; slot < ReplayDocument::maxLaps; ++slot) {
        add(
            ID_TOGGLE_LAP_1 + slot, kToggleTexts[slot][0], kToggleTexts[slot][1], R::LapSlotLoaded,
            [this, slot] { plotSettings_->toggleLap(slot); }, kCheckable);
    }
    for (const ReportKind& kind : reportKinds()) {
        const ReportType type = kind.type;
        add(kind.commandId, kind.menuText, kind.statusTip, R::PlaybackStopped, [this, type] {
            if (type == ReportType::SectorTimes)
                reports_.sectorTimes();
            else
                reports_.report(type);
        });
    }
    add(ID_GRAPHICAL_RACE_REPORT, "Graphical Race Report", "Chart every driver's position lap by lap",
        R::PlaybackStopped, [this] { showRaceChart(); });
    add(ID_GRAPH, "&Graph", "Plot the loaded laps' telemetry", R::PlaybackStopped,
        [this] { showGraphWindow(); });
    add(ID_GEARCHANGE_ANALYSER, "Gearchange Analyser", "Analyse the gear changes of a loaded lap",
        R::PlaybackStopped, [this] { showGearChangeDialog(); });
    add(ID_APP_ABOUT, "&About VELTRA4 Replay Analyser", "Show the program's version and credits", R::Always,
        [this] { showAboutBox(); });
    add(ID_VIEW_README, "View Readme file", "Open the user guide", R::Always, [this] { viewReadme(); });
}
