#include "desktop/app/CommandTable.h"

#include <algorithm>

const std::vector<CommandInfo>& commandTable() {
    using R = EnableRule;
    static const std::vector<CommandInfo> kCommands = {
        {ID_FILE_NEW, "&Clear all replay laps...", "Remove every loaded replay lap", R::PlaybackStopped},
        {ID_ADD_REPLAY_LAP, "&Add replay lap...", "Add a lap from a replay file", R::PlaybackStopped},
        {ID_LAP_FINDER, "Add replay lap using Lap Finder...",
         "Find the laps of this track in the replay folders", R::Never},
        {ID_OPEN_MOST_RECENT, "Open most recently added replay file...",
         "Add a lap from the newest replay in the replay folder", R::PlaybackStopped},
        {ID_FILE_OPEN, "&Open...", "Add a lap from a replay file", R::PlaybackStopped},
        {ID_MOVE_REMOVE, "Move/Remove loaded replay laps...", "Reorder or remove the loaded laps", R::Always},
        {ID_SAVE_TRACKMAP_BMP, "Save Trackmap as BMP-file...", "Save the track map as a bitmap file",
         R::Always},
        {ID_FILE_PRINT, "&Print...", "Print the track map", R::PlaybackStopped},
        {ID_FILE_PRINT_PREVIEW, "Print Pre&view...", "Show the printed track map", R::PlaybackStopped},
        {ID_FILE_PRINT_SETUP, "P&rint Setup...", "Choose the printer and the page", R::Never},
        {ID_SETTINGS, "Settings...", "Change the program's settings", R::Always},
        {ID_APP_EXIT, "E&xit", "Quit the program", R::Always},
        {ID_EDIT_UNDO, "&Undo", "Undo the last action", R::Never},
        {ID_EDIT_CUT, "Cu&t", "Cut the selection to the clipboard", R::Never},
        {ID_EDIT_COPY, "&Copy", "Copy the selection to the clipboard", R::Never},
        {ID_EDIT_PASTE, "&Paste", "Insert the clipboard's contents", R::Never},
        {ID_NEXT_PANE, "Next Pane", "Switch to the next window pane", R::Never},
        {ID_PREV_PANE, "Previous Pane", "Switch to the previous window pane", R::Never},
        {ID_ZOOM_IN, "Zoom In", "Click to zoom in on a point or drag a zoom box", R::LapLoadedNotPlaying},
        {ID_ZOOM_OUT, "Zoom Out", "Click to zoom out on a point", R::LapLoadedNotPlaying},
        {ID_FIT_TO_TRACK, "Fit To Track", "Show the whole track", R::LapLoaded},
        {ID_PANNING_TOOL, "Panning Tool", "Move the track map around", R::LapLoaded},
        {ID_VIEW_TOOLBAR, "&Toolbar", "Show or hide the toolbar", R::Always},
        {ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar", R::Always},
        {ID_VIEW_PLAYBACK_BAR, "Playback Bar", "Show or hide the playback bar", R::Always},
        {ID_VIEW_PLOT_SETTINGS, "Plot Settings", "Show or hide the plot settings", R::Always},
        {ID_VIEW_ZOOM_BAR, "Zoom Bar", "Show or hide the zoom bar", R::Always},
        {ID_VIEW_LAP_BAR, "Lap Bar", "Show or hide the lap bar", R::Always},
        {ID_BEGINNING_OF_LAP, "Beginning of lap", "Move the playback to the start of the laps", R::Never},
        {ID_START_CONTINUE, "Start/Continue", "Play the laps back in real time", R::Never},
        {ID_PAUSE, "Pause", "Pause the playback", R::Never},
        {ID_FAST_FORWARD, "Fast Forward", "Play the laps back fast", R::Never},
        {ID_STOP, "Stop", "Stop the playback", R::Never},
        {ID_MOVE_TO_END_OF_LAP, "Move to end of lap", "Move the playback to the end of the laps", R::Never},
        {ID_TOGGLE_LAP_1, "Toggle lap 1", "Show or hide the driving line of lap 1", R::LapSlotLoaded},
        {ID_TOGGLE_LAP_1 + 1, "Toggle lap 2", "Show or hide the driving line of lap 2", R::LapSlotLoaded},
        {ID_TOGGLE_LAP_1 + 2, "Toggle lap 3", "Show or hide the driving line of lap 3", R::LapSlotLoaded},
        {ID_TOGGLE_LAP_1 + 3, "Toggle lap 4", "Show or hide the driving line of lap 4", R::LapSlotLoaded},
        {ID_TOGGLE_LAP_1 + 4, "Toggle lap 5", "Show or hide the driving line of lap 5", R::LapSlotLoaded},
        {ID_REPORT_RACE_SETTINGS, "Race Settings Etc", "Report the weekend's settings", R::PlaybackStopped},
        {ID_REPORT_PRACTICE, "Practice", "Report the practice times", R::PlaybackStopped},
        {ID_REPORT_QUALIFY, "Qualify", "Report the qualifying times", R::PlaybackStopped},
        {ID_REPORT_WARMUP, "Warmup", "Report the warmup times", R::PlaybackStopped},
        {ID_REPORT_RACE, "Race", "Report the race results", R::PlaybackStopped},
        {ID_REPORT_LAP_BY_LAP, "Lap by lap", "Tell the race lap by lap", R::PlaybackStopped},
        {ID_REPORT_LAP_CHART, "Lap Chart", "List every lap of every driver", R::PlaybackStopped},
        {ID_REPORT_COMPLETE, "Complete(all above)", "All the reports above in one", R::PlaybackStopped},
        {ID_REPORT_FLAGS, "Flags (yellows etc)", "Report the flags shown in the race", R::PlaybackStopped},
        {ID_GRAPHICAL_RACE_REPORT, "Graphical Race Report", "Chart every driver's position lap by lap",
         R::Never},
        {ID_GRAPH, "&Graph", "Plot the loaded laps' telemetry", R::Never},
        {ID_GEARCHANGE_ANALYSER, "Gearchange Analyser", "Analyse the gear changes of a loaded lap", R::Never},
        {ID_SECTOR_TIMES, "Sector Times", "Compare the sector times of the loaded laps", R::PlaybackStopped},
        {ID_APP_ABOUT, "&About VELTRA4 Replay Analyser", "Show the program's version and credits", R::Always},
        {ID_VIEW_README, "View Readme file", "Open the user guide", R::Always},
    };
    return kCommands;
}

const CommandInfo* findCommand(int id) {
    const auto& table = commandTable();
    const auto it =
        std::find_if(table.begin(), table.end(), [id](const CommandInfo& c) { return c.id == id; });
    return it == table.end() ? nullptr : &*it;
}
