#pragma once

#include <functional>
#include <vector>

#include "desktop/app/CommandIcons.h"

// The program's commands, with the numbers menus, toolbars and accelerators send. A number is its
// command's identity in the table and the tests; nothing outside the program stores one (a saved
// window layout names its bars), so changing one would be harmless, but there is no reason to.
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
    ID_REPORT_RACE_SETTINGS = 32830,
    ID_REPORT_PRACTICE = 32828,
    ID_REPORT_QUALIFYING = 32772,
    ID_REPORT_WARMUP = 32829,
    ID_REPORT_RACE = 32773,
    ID_REPORT_LAP_BY_LAP = 32774,
    ID_REPORT_LAP_CHART = 32777,
    ID_REPORT_COMPLETE = 32775,
    ID_REPORT_FLAGS = 32833,
    ID_REPORT_SECTOR_TIMES = 32827,
    ID_GRAPHICAL_RACE_REPORT = 32815,
    ID_GRAPH = 32771,
    ID_GEARCHANGE_ANALYSER = 32808,
    ID_VIEW_README = 32794,
    // This program's own, numbered after the others.
    ID_ZOOM_IN_CENTRE = 32900,
    ID_ZOOM_OUT_CENTRE = 32901,
    ID_VIEW_LAP_COMPARISON = 32910,
    ID_COLOUR_BY_GAIN = 32920,
};

// When a command may run.
enum class EnabledWhen {
    // Commands that may run at any time: settings, bars, help, exit, and those that look after a
    // playback themselves (Move/Remove stops it first; a bitmap saved during one shows no lines).
    always,
    // Commands that change the loaded laps or read them whole (adding laps, reports, printing): a
    // playback playing or paused still holds the laps it shows, so they wait until it stops.
    playbackStopped,
    // Commands that need a lap's map but may run during playback (fit to track, panning, start).
    lapLoaded,
    // The zoom tools: they need a map, and a playback draws its lines at the scale it started with.
    lapLoadedPlaybackStopped,
    // A lap toggle: its slot must hold a lap, and the lines shown stay fixed while a playback runs.
    lapSlotLoaded,
    // Playback controls that move a playing (not paused) playback.
    playbackPlaying,
    // Stop: there must be a playback, playing or paused.
    playbackRunning,
    // Commands that need a lap comparison: two comparable laps loaded.
    comparisonExists,
    // Commands nothing here implements (the Edit menu's standard ones, Print Setup, the panes).
    never,
};

// The menus of the menu bar.
enum class Menu { none, file, edit, view, playback, reports, tools, help };
// The toolbars.
enum class Bar { none, main, playback, zoom, laps };
// What comes between an entry and the one before it.
enum class Gap { none, separator, recentFiles };

// Where a command shows in the menu bar: its menu, in table order.
struct MenuPlace {
    Menu menu = Menu::none;
    Gap gap = Gap::none;
};
// Where a command shows on a toolbar: its bar, at `position` (counted from 1 along the bar).
struct BarPlace {
    Bar bar = Bar::none;
    int position = 0;
    Gap gap = Gap::none;
};

// A command: its number; its menu text (with "&" mnemonics) and the status bar's fly-by text;
// when it may run; its menu and toolbar places; its shortcuts ("; " between several); whether it
// shows a check mark; its toolbar picture; and what it does (nothing for commands not built yet).
struct Command {
    int id;
    const char* menuText;
    const char* statusTip;
    EnabledWhen enabledWhen;
    MenuPlace menu = {};
    BarPlace bar = {};
    const char* shortcuts = "";
    bool checkable = false;
    CommandPicture picture = {};
    std::function<void()> run = {};
};

// The program's commands in one table: the menus and toolbars are built from it, and running a
// command is a lookup.
class CommandTable {
public:
    void add(Command command) { commands_.push_back(std::move(command)); }
    const std::vector<Command>& all() const { return commands_; }
    // Null for a number that is no command.
    const Command* find(int id) const;
    // The commands placed in a menu or on a toolbar, in their order there.
    std::vector<const Command*> inMenu(Menu menu) const;
    std::vector<const Command*> onBar(Bar bar) const;

private:
    std::vector<Command> commands_;
};

// The menu bar's menus in their order, with their titles.
struct MenuTitle {
    Menu menu;
    const char* title;
};
inline constexpr MenuTitle kMenus[] = {
    {Menu::file, "&File"},         {Menu::edit, "&Edit"},       {Menu::view, "&View"},
    {Menu::playback, "&Playback"}, {Menu::reports, "&Reports"}, {Menu::tools, "&Tools"},
    {Menu::help, "&Help"},
};
// The toolbars in the order they are made: the title (also the bar's name in the stored window
// layout) and the View menu command that shows or hides it.
struct ToolBarTitle {
    Bar bar;
    const char* title;
    int toggle;
};
inline constexpr ToolBarTitle kToolBars[] = {
    {Bar::main, "Toolbar", ID_VIEW_TOOLBAR},
    {Bar::playback, "Playback Bar", ID_VIEW_PLAYBACK_BAR},
    {Bar::zoom, "Zoom Bar", ID_VIEW_ZOOM_BAR},
    {Bar::laps, "Lap Bar", ID_VIEW_LAP_BAR},
};
