#pragma once

#include <functional>
#include <vector>

// The program's commands, with the numbers menus, toolbars and accelerators send. The report
// commands take theirs from the report registry.
enum CommandId : int {
    ID_FILE_NEW = 57600,  // Clear all replay laps
    ID_FILE_OPEN = 57601,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_APP_EXIT = 57665,
    ID_APP_ABOUT = 57664,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_CUT = 57635,
    ID_EDIT_COPY = 57634,
    ID_EDIT_PASTE = 57637,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_ADD_REPLAY_LAP = 32776,
    ID_LAP_FINDER = 32804,
    ID_OPEN_MOST_RECENT = 32816,
    ID_MOVE_REMOVE = 32831,
    ID_SAVE_TRACKMAP_BMP = 32810,
    ID_SETTINGS = 32801,
    ID_ZOOM_IN = 32790,
    ID_ZOOM_OUT = 32791,
    ID_FIT_TO_TRACK = 32792,
    ID_PANNING_TOOL = 32800,
    ID_VIEW_PLAYBACK_BAR = 32786,
    ID_VIEW_PLOT_SETTINGS = 32787,
    ID_VIEW_ZOOM_BAR = 32793,
    ID_VIEW_LAP_BAR = 32812,
    ID_BEGINNING_OF_LAP = 32789,
    ID_START_CONTINUE = 32781,
    ID_PAUSE = 32783,
    ID_FAST_FORWARD = 32784,
    ID_STOP = 32785,
    ID_MOVE_TO_END_OF_LAP = 32788,
    ID_TOGGLE_LAP_1 = 32795,  // to 32799
    ID_GRAPHICAL_RACE_REPORT = 32815,
    ID_GRAPH = 32771,
    ID_GEARCHANGE_ANALYSER = 32808,
    ID_VIEW_README = 32794,
    // This program's own, numbered after the others.
    ID_ZOOM_IN_CENTRE = 32900,
    ID_ZOOM_OUT_CENTRE = 32901,
};

// When a command may run: always; only while playback is fully stopped (A); only with a lap loaded
// (L); with a lap loaded and no playback running (zoom tools); the lap toggles: that slot loaded and
// playback neither running nor paused; never (a feature not built yet, or the Edit menu's standard
// commands, which nothing here implements).
// PlaybackStopped: neither playing nor paused. PlaybackPlaying: a lap loaded and the playback
// playing; PlaybackRunning: a lap loaded and playing or paused.
enum class EnableRule {
    Always,
    PlaybackStopped,
    LapLoaded,
    LapLoadedNotPlaying,
    LapSlotLoaded,
    PlaybackPlaying,
    PlaybackRunning,
    Never
};

// A command: its menu text (with "&" mnemonics), the status bar's fly-by text, when it may run,
// whether it shows a check mark, and what it does (nothing for commands not built yet).
struct Command {
    int id;
    const char* menuText;
    const char* statusTip;
    EnableRule rule;
    bool checkable = false;
    std::function<void()> run;
};

// The program's commands in one table; running one is a lookup.
class CommandTable {
public:
    void add(Command command) { commands_.push_back(std::move(command)); }
    const std::vector<Command>& all() const { return commands_; }
    // Null for a number that is no command.
    const Command* find(int id) const;

private:
    std::vector<Command> commands_;
};
