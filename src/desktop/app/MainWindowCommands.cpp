#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "desktop/app/MainWindow.h"
#include "desktop/compare/ComparisonSession.h"
#include "desktop/compare/LapComparisonDock.h"
#include "desktop/document/PlotSettingsBar.h"
#include "desktop/graphs/GearChangeDialog.h"
#include "desktop/graphs/GraphWindow.h"
#include "desktop/library/LapFinderDialog.h"
#include "desktop/map/PlaybackController.h"
#include "desktop/map/TrackMapView.h"
#include "desktop/racechart/RaceChartWindow.h"
#include "replay/ReplayFormat.h"
#include "reports/ReportRegistry.h"

namespace {

// What the desktop adds to a report's registry row to make its command.
struct ReportCommandRow {
    ReportType type;
    int id;
    const char* menuText;
    const char* statusTip;
    MenuPlace menu;
};
constexpr ReportCommandRow kReportCommands[] = {
    {ReportType::RaceSettings,
     ID_REPORT_RACE_SETTINGS,
     "Race Settings Etc",
     "Report the weekend's settings",
     {Menu::reports}},
    {ReportType::Practice,
     ID_REPORT_PRACTICE,
     "Practice",
     "Report the practice times",
     {Menu::reports, Gap::separator}},
    {ReportType::Qualifying, ID_REPORT_QUALIFYING, "Qualify", "Report the qualifying times", {Menu::reports}},
    {ReportType::Warmup, ID_REPORT_WARMUP, "Warmup", "Report the warmup times", {Menu::reports}},
    {ReportType::Race, ID_REPORT_RACE, "Race", "Report the race results", {Menu::reports}},
    {ReportType::LapByLap,
     ID_REPORT_LAP_BY_LAP,
     "Lap by lap",
     "Tell the race lap by lap",
     {Menu::reports, Gap::separator}},
    {ReportType::LapChart,
     ID_REPORT_LAP_CHART,
     "Lap Chart",
     "List every lap of every driver",
     {Menu::reports}},
    {ReportType::Complete,
     ID_REPORT_COMPLETE,
     "Complete(all above)",
     "All the reports above in one",
     {Menu::reports}},
    {ReportType::Flags,
     ID_REPORT_FLAGS,
     "Flags (yellows etc)",
     "Report the flags shown in the race",
     {Menu::reports}},
    {ReportType::SectorTimes,
     ID_REPORT_SECTOR_TIMES,
     "Sector Times",
     "Compare the sector times of the loaded laps",
     {Menu::tools}},
};

// Null for a report the desktop has no command for (CommandTableTest fails on one).
const ReportCommandRow* reportCommandRow(ReportType type) {
    for (const ReportCommandRow& row : kReportCommands) {
        if (row.type == type) return &row;
    }
    return nullptr;
}

// A tool tip from a menu text: no mnemonic, no trailing dots.
QString toolTipOf(const char* menuText) {
    QString text = QString::fromLatin1(menuText).remove(QLatin1Char('&'));
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

}  // namespace

// The command table: every command with its texts, when it may run, where it shows and what it
// does. Commands of features not built yet have no handler and stay disabled.
void MainWindow::createCommands() {
    using W = EnabledWhen;
    const auto add = [this](Command command) { commands_.add(std::move(command)); };
    const auto toggle = [this](int id) { return [this, id] { toggleBar(id); }; };

    // File
    add({.id = ID_FILE_NEW,
         .menuText = "&Clear all replay laps...",
         .statusTip = "Remove every loaded replay lap",
         .enabledWhen = W::playbackStopped,
         .menu = {Menu::file},
         .bar = {Bar::main, 1},
         .shortcuts = "Ctrl+N",
         .picture = standardPicture(QStyle::SP_DialogResetButton),
         .run = [this] { document_.clearAll(); }});
    add({.id = ID_ADD_REPLAY_LAP,
         .menuText = "&Add replay lap...",
         .statusTip = "Add a lap from a replay file",
         .enabledWhen = W::playbackStopped,
         .menu = {Menu::file},
         .bar = {Bar::main, 2},
         .picture = standardPicture(QStyle::SP_DialogOpenButton),
         .run = [this] { addLapBy([this] { document_.addReplayLap(); }); }});
    add({.id = ID_LAP_FINDER,
         .menuText = "Add replay lap using Lap Finder...",
         .statusTip = "Find the laps of a track in the replay folders",
         .enabledWhen = W::playbackStopped,
         .menu = {Menu::file},
         .bar = {Bar::main, 3},
         .picture = lapFinderPicture,
         .run = [this] {
             LapFinderDialog finder(settings_, document_, this);
             finder.loadLap = [this](const FoundLap& lap) {
                 addLapBy([&] { document_.lapFinderLoad(lap.path(), lap.lap); });
             };
             dialogs_.runWindow(finder);
         }});
    add({.id = ID_OPEN_MOST_RECENT,
         .menuText = "Open most recently added replay file...",
         .statusTip = "Add a lap from the newest replay in the replay folder",
         .enabledWhen = W::playbackStopped,
         .menu = {Menu::file},
         .run = [this] { addLapBy([this] { document_.openMostRecentlyAdded(); }); }});
    add({.id = ID_FILE_OPEN,
         .menuText = "&Open...",
         .statusTip = "Add a lap from a replay file",
         .enabledWhen = W::playbackStopped,
         .menu = {Menu::file},
         .shortcuts = "Ctrl+O",
         .run = [this] { openWithFileDialog(); }});
    add({.id = ID_MOVE_REMOVE,
         .menuText = "Move/Remove loaded replay laps...",
         .statusTip = "Reorder or remove the loaded laps",
         .enabledWhen = W::always,
         .menu = {Menu::file},
         .bar = {Bar::main, 4},
         .picture = standardPicture(QStyle::SP_FileDialogDetailedView),
         .run = [this] { moveRemoveLaps(); }});
    add({.id = ID_SAVE_TRACKMAP_BMP,
         .menuText = "Save Trackmap as BMP-file...",
         .statusTip = "Save the track map as a bitmap file",
         .enabledWhen = W::always,
         .menu = {Menu::file, Gap::separator},
         .run = [this] { saveTrackmapBitmap(); }});
    add({.id = ID_FILE_PRINT,
         .menuText = "&Print...",
         .statusTip = "Print the track map",
         .enabledWhen = W::playbackStopped,
         .menu = {Menu::file, Gap::separator},
         .bar = {Bar::main, 5, Gap::separator},
         .shortcuts = "Ctrl+P",
         .picture = printPicture,
         .run = [this] { printMap(false); }});
    add({.id = ID_FILE_PRINT_PREVIEW,
         .menuText = "Print Pre&view...",
         .statusTip = "Show the printed track map",
         .enabledWhen = W::playbackStopped,
         .menu = {Menu::file},
         .run = [this] { printMap(true); }});
    add({.id = ID_FILE_PRINT_SETUP,
         .menuText = "P&rint Setup...",
         .statusTip = "Choose the printer and the page",
         .enabledWhen = W::never,
         .menu = {Menu::file}});
    add({.id = ID_SETTINGS,
         .menuText = "Settings...",
         .statusTip = "Change the program's settings",
         .enabledWhen = W::always,
         .menu = {Menu::file, Gap::separator},
         .run = [this] { openSettings(); }});
    add({.id = ID_APP_EXIT,
         .menuText = "E&xit",
         .statusTip = "Quit the program",
         .enabledWhen = W::always,
         .menu = {Menu::file, Gap::recentFiles},
         .shortcuts = "Ctrl+Q",
         .run = [this] { close(); }});

    // Edit
    add({.id = ID_EDIT_UNDO,
         .menuText = "&Undo",
         .statusTip = "Undo the last action",
         .enabledWhen = W::never,
         .menu = {Menu::edit},
         .shortcuts = "Ctrl+Z; Alt+Backspace"});
    add({.id = ID_EDIT_CUT,
         .menuText = "Cu&t",
         .statusTip = "Cut the selection to the clipboard",
         .enabledWhen = W::never,
         .menu = {Menu::edit, Gap::separator},
         .shortcuts = "Ctrl+X; Shift+Del"});
    add({.id = ID_EDIT_COPY,
         .menuText = "&Copy",
         .statusTip = "Copy the selection to the clipboard",
         .enabledWhen = W::never,
         .menu = {Menu::edit},
         .shortcuts = "Ctrl+C; Ctrl+Ins"});
    add({.id = ID_EDIT_PASTE,
         .menuText = "&Paste",
         .statusTip = "Insert the clipboard's contents",
         .enabledWhen = W::never,
         .menu = {Menu::edit},
         .shortcuts = "Ctrl+V; Shift+Ins"});
    add({.id = ID_NEXT_PANE,
         .menuText = "Next Pane",
         .statusTip = "Switch to the next window pane",
         .enabledWhen = W::never,
         .shortcuts = "F6"});
    add({.id = ID_PREV_PANE,
         .menuText = "Previous Pane",
         .statusTip = "Switch to the previous window pane",
         .enabledWhen = W::never,
         .shortcuts = "Shift+F6"});

    // View
    add({.id = ID_VIEW_TOOLBAR,
         .menuText = "&Toolbar",
         .statusTip = "Show or hide the toolbar",
         .enabledWhen = W::always,
         .menu = {Menu::view},
         .checkable = true,
         .run = toggle(ID_VIEW_TOOLBAR)});
    add({.id = ID_VIEW_STATUS_BAR,
         .menuText = "&Status Bar",
         .statusTip = "Show or hide the status bar",
         .enabledWhen = W::always,
         .menu = {Menu::view},
         .checkable = true,
         .run = toggle(ID_VIEW_STATUS_BAR)});
    add({.id = ID_VIEW_PLAYBACK_BAR,
         .menuText = "Playback Bar",
         .statusTip = "Show or hide the playback bar",
         .enabledWhen = W::always,
         .menu = {Menu::view},
         .checkable = true,
         .run = toggle(ID_VIEW_PLAYBACK_BAR)});
    add({.id = ID_VIEW_PLOT_SETTINGS,
         .menuText = "Plot Settings",
         .statusTip = "Show or hide the plot settings",
         .enabledWhen = W::always,
         .menu = {Menu::view},
         .checkable = true,
         .run = toggle(ID_VIEW_PLOT_SETTINGS)});
    add({.id = ID_VIEW_ZOOM_BAR,
         .menuText = "Zoom Bar",
         .statusTip = "Show or hide the zoom bar",
         .enabledWhen = W::always,
         .menu = {Menu::view},
         .checkable = true,
         .run = toggle(ID_VIEW_ZOOM_BAR)});
    add({.id = ID_VIEW_LAP_BAR,
         .menuText = "Lap Bar",
         .statusTip = "Show or hide the lap bar",
         .enabledWhen = W::always,
         .menu = {Menu::view},
         .checkable = true,
         .run = toggle(ID_VIEW_LAP_BAR)});
    add({.id = ID_VIEW_LAP_COMPARISON,
         .menuText = "Lap Comparison",
         .statusTip = "Show or hide the lap comparison",
         .enabledWhen = W::always,
         .menu = {Menu::view},
         .checkable = true,
         .run = [this] { toggleComparison(); }});
    add({.id = ID_ZOOM_IN,
         .menuText = "Zoom In",
         .statusTip = "Click to zoom in on a point or drag a zoom box",
         .enabledWhen = W::lapLoadedPlaybackStopped,
         .menu = {Menu::view, Gap::separator},
         .bar = {Bar::zoom, 1},
         .checkable = true,
         .picture = zoomInPicture,
         .run = [this] { view_->toggleZoomIn(); }});
    add({.id = ID_ZOOM_OUT,
         .menuText = "Zoom Out",
         .statusTip = "Click to zoom out on a point",
         .enabledWhen = W::lapLoadedPlaybackStopped,
         .menu = {Menu::view},
         .bar = {Bar::zoom, 2},
         .checkable = true,
         .picture = zoomOutPicture,
         .run = [this] { view_->toggleZoomOut(); }});
    add({.id = ID_PANNING_TOOL,
         .menuText = "Panning Tool",
         .statusTip = "Move the track map around",
         .enabledWhen = W::lapLoaded,
         .menu = {Menu::view},
         .bar = {Bar::zoom, 4},
         .checkable = true,
         .picture = panningPicture,
         .run = [this] { view_->togglePanning(); }});
    add({.id = ID_ZOOM_IN_CENTRE,
         .menuText = "Zoom In On Centre",
         .statusTip = "Zoom in on the middle of the map",
         .enabledWhen = W::lapLoadedPlaybackStopped,
         .menu = {Menu::view, Gap::separator},
         // Ctrl+= is Ctrl++ without the Shift key that "+" needs on many keyboards.
         .shortcuts = "Ctrl++; Ctrl+=",
         .run = [this] { view_->zoomAboutCentre(MapZoom::kStep); }});
    add({.id = ID_ZOOM_OUT_CENTRE,
         .menuText = "Zoom Out From Centre",
         .statusTip = "Zoom out from the middle of the map",
         .enabledWhen = W::lapLoadedPlaybackStopped,
         .menu = {Menu::view},
         .shortcuts = "Ctrl+-",
         .run = [this] { view_->zoomAboutCentre(1 / MapZoom::kStep); }});
    add({.id = ID_FIT_TO_TRACK,
         .menuText = "Fit To Track",
         .statusTip = "Show the whole track",
         .enabledWhen = W::lapLoaded,
         .menu = {Menu::view},
         .bar = {Bar::zoom, 3},
         .shortcuts = "Ctrl+0",
         .picture = fitToTrackPicture,
         .run = [this] { view_->showWholeMap(); }});
    add({.id = ID_COLOUR_BY_GAIN,
         .menuText = "Colour line by time gained",
         .statusTip = "Colour a compared lap's line by where it gains and loses time",
         .enabledWhen = W::comparisonExists,
         .menu = {Menu::view, Gap::separator},
         .checkable = true,
         .run = [this] { toggleColourByGain(); }});

    // Playback
    add({.id = ID_BEGINNING_OF_LAP,
         .menuText = "Beginning of lap",
         .statusTip = "Move the playback to the start of the laps",
         .enabledWhen = W::playbackPlaying,
         .menu = {Menu::playback},
         .bar = {Bar::playback, 1},
         .picture = standardPicture(QStyle::SP_MediaSkipBackward),
         .run = [this] { playback_->moveToBeginning(); }});
    add({.id = ID_START_CONTINUE,
         .menuText = "Start/Continue",
         .statusTip = "Play the laps back in real time",
         .enabledWhen = W::lapLoaded,
         .menu = {Menu::playback},
         .bar = {Bar::playback, 2},
         .checkable = true,
         .picture = standardPicture(QStyle::SP_MediaPlay),
         .run = [this] { playback_->start(); }});
    add({.id = ID_PAUSE,
         .menuText = "Pause",
         .statusTip = "Pause the playback",
         .enabledWhen = W::playbackPlaying,
         .menu = {Menu::playback},
         .bar = {Bar::playback, 3},
         .checkable = true,
         .picture = standardPicture(QStyle::SP_MediaPause),
         .run = [this] { playback_->pause(); }});
    add({.id = ID_FAST_FORWARD,
         .menuText = "Fast Forward",
         .statusTip = "Play the laps back fast",
         .enabledWhen = W::playbackPlaying,
         .menu = {Menu::playback},
         .bar = {Bar::playback, 4},
         .checkable = true,
         .picture = standardPicture(QStyle::SP_MediaSeekForward),
         .run = [this] { playback_->fastForward(); }});
    add({.id = ID_STOP,
         .menuText = "Stop",
         .statusTip = "Stop the playback",
         .enabledWhen = W::playbackRunning,
         .menu = {Menu::playback},
         .bar = {Bar::playback, 5},
         .picture = standardPicture(QStyle::SP_MediaStop),
         .run = [this] { playback_->stop(); }});
    add({.id = ID_MOVE_TO_END_OF_LAP,
         .menuText = "Move to end of lap",
         .statusTip = "Move the playback to the end of the laps",
         .enabledWhen = W::playbackPlaying,
         .menu = {Menu::playback},
         .bar = {Bar::playback, 6},
         .picture = standardPicture(QStyle::SP_MediaSkipForward),
         .run = [this] { playback_->moveToEnd(); }});

    // The lap bar and the map's own menu
    static constexpr const char* kToggleTexts[][2] = {
        {"Toggle lap 1", "Show or hide the driving line of lap 1"},
        {"Toggle lap 2", "Show or hide the driving line of lap 2"},
        {"Toggle lap 3", "Show or hide the driving line of lap 3"},
        {"Toggle lap 4", "Show or hide the driving line of lap 4"},
        {"Toggle lap 5", "Show or hide the driving line of lap 5"},
    };
    for (int slot = 0; slot < ReplayDocument::maxLaps; ++slot) {
        add({.id = ID_TOGGLE_LAP_1 + slot,
             .menuText = kToggleTexts[slot][0],
             .statusTip = kToggleTexts[slot][1],
             .enabledWhen = W::lapSlotLoaded,
             .bar = {Bar::laps, slot + 1},
             .checkable = true,
             .picture = lapTogglePicture(slot),
             .run = [this, slot] { plotSettings_->toggleLap(slot); }});
    }

    // Tools, then the reports: Sector Times, a report placed in the Tools menu, follows the windows
    // there.
    add({.id = ID_GRAPH,
         .menuText = "&Graph",
         .statusTip = "Plot the loaded laps' telemetry",
         .enabledWhen = W::playbackStopped,
         .menu = {Menu::tools},
         .bar = {Bar::main, 7, Gap::separator},
         .picture = graphPicture,
         .run = [this] { openWindow<GraphWindow>(WindowNeeds::lap, document_); }});
    add({.id = ID_GEARCHANGE_ANALYSER,
         .menuText = "Gearchange Analyser",
         .statusTip = "Analyse the gear changes of a loaded lap",
         .enabledWhen = W::playbackStopped,
         .menu = {Menu::tools},
         .bar = {Bar::main, 8},
         .picture = gearLeverPicture,
         .run = [this] { openWindow<GearChangeDialog>(WindowNeeds::lap, document_); }});
    for (const ReportKind& kind : reportKinds()) {
        const ReportCommandRow* row = reportCommandRow(kind.type);
        if (!row) continue;
        add({.id = row->id,
             .menuText = row->menuText,
             .statusTip = row->statusTip,
             .enabledWhen = W::playbackStopped,
             .menu = row->menu,
             .run = [this, type = kind.type] { reports_.report(type); }});
    }
    // The replay is chosen as for the text reports; the window works on its own copy of the chart.
    add({.id = ID_GRAPHICAL_RACE_REPORT,
         .menuText = "Graphical Race Report",
         .statusTip = "Chart every driver's position lap by lap",
         .enabledWhen = W::playbackStopped,
         .menu = {Menu::reports, Gap::separator},
         .run = [this] {
             reports_.withReportReplay([this](const ReplayHeader& header, const DriverTable& drivers) {
                 if (!drivers.sessionPresent[kRace])
                     return message("This replay file does not contain race info!");
                 openWindow<RaceChartWindow>(WindowNeeds::nothing, header, drivers, settings_);
             });
         }});

    // Help
    add({.id = ID_VIEW_README,
         .menuText = "View Readme file",
         .statusTip = "Open the user guide",
         .enabledWhen = W::always,
         .menu = {Menu::help},
         .run = [this] { viewReadme(); }});
    add({.id = ID_APP_ABOUT,
         .menuText = "&About VELTRA4 Replay Analyser",
         .statusTip = "Show the program's version and credits",
         .enabledWhen = W::always,
         .menu = {Menu::help, Gap::separator},
         .bar = {Bar::main, 6},
         .picture = standardPicture(QStyle::SP_MessageBoxInformation),
         .run = [this] { showAboutBox(); }});
}

void MainWindow::createActions() {
    for (const Command& command : commands_.all()) {
        auto* a = new QAction(QString::fromLatin1(command.menuText), this);
        a->setObjectName(QStringLiteral("command%1").arg(command.id));
        a->setStatusTip(QString::fromLatin1(command.statusTip));
        a->setToolTip(toolTipOf(command.menuText));
        a->setIcon(commandIcon(command.picture, *style()));
        if (*command.shortcuts)
            a->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(command.shortcuts)));
        a->setCheckable(command.checkable);
        const int id = command.id;
        connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
        actions_[command.id] = a;
        addAction(a);  // shortcuts work while their bar is hidden
    }
}

void MainWindow::createBars() {
    for (const ToolBarTitle& kind : kToolBars) {
        const QString name = QString::fromLatin1(kind.title);
        auto* toolBar = addToolBar(name);
        toolBar->setObjectName(name);
        toolBar->setIconSize(QSize(22, 22));
        for (const Command* command : commands_.onBar(kind.bar)) {
            if (command->bar.gap == Gap::separator) toolBar->addSeparator();
            toolBar->addAction(action(command->id));
        }
        bars_[kind.toggle] = toolBar;
        QAction* toggle = action(kind.toggle);
        toggle->setChecked(true);
        connect(toolBar, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
    }
    action(ID_VIEW_STATUS_BAR)->setChecked(true);
    action(ID_VIEW_PLOT_SETTINGS)->setChecked(true);
    connect(plotSettings_, &QDockWidget::visibilityChanged, action(ID_VIEW_PLOT_SETTINGS),
            &QAction::setChecked);
    action(ID_VIEW_LAP_COMPARISON)->setChecked(!comparisonDock_->isHidden());
    connect(comparisonDock_, &QDockWidget::visibilityChanged, action(ID_VIEW_LAP_COMPARISON),
            &QAction::setChecked);
}

void MainWindow::createMenus() {
    for (const MenuTitle& kind : kMenus) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(kind.title));
        for (const Command* command : commands_.inMenu(kind.menu)) {
            if (command->menu.gap == Gap::separator) menu->addSeparator();
            if (command->menu.gap == Gap::recentFiles) addRecentFiles(*menu);
            menu->addAction(action(command->id));
        }
    }
}

// The recent files' entries, between separators; the first one shows only with a file to list.
void MainWindow::addRecentFiles(QMenu& menu) {
    recentSeparator_ = menu.addSeparator();
    for (int i = 0; i < kRecentFiles; ++i) {
        auto* recent = menu.addAction(QString());
        connect(recent, &QAction::triggered, this, [this, i] {
            if (i < recentFiles_.size()) openReplay(recentFiles_[i]);
        });
        recentActions_.push_back(recent);
    }
    menu.addSeparator();
}

// The map's own menu on the right mouse button: the zoom tools and the lap toggles.
QMenu* MainWindow::createMapMenu() {
    auto* menu = new QMenu(this);
    menu->addAction(action(ID_ZOOM_IN));
    menu->addAction(action(ID_ZOOM_OUT));
    menu->addAction(action(ID_PANNING_TOOL));
    QAction* whole = menu->addAction(tr("Show whole track"), this, [this] { runCommand(ID_FIT_TO_TRACK); });
    connect(menu, &QMenu::aboutToShow, this,
            [this, whole] { whole->setEnabled(action(ID_FIT_TO_TRACK)->isEnabled()); });
    menu->addSeparator();
    for (int slot = 0; slot < ReplayDocument::maxLaps; ++slot)
        menu->addAction(action(ID_TOGGLE_LAP_1 + slot));
    return menu;
}

// When each command may run, and the check marks that follow the tools and the playback.
void MainWindow::updateCommands() {
    const Playback& playback = playback_->state();
    const bool stopped = !playback.running();
    const bool loaded = document_.lapCount() > 0;
    for (const Command& command : commands_.all()) {
        bool enabled = false;
        switch (command.enabledWhen) {
            case EnabledWhen::always:
                enabled = true;
                break;
            case EnabledWhen::playbackStopped:
                enabled = stopped;
                break;
            case EnabledWhen::lapLoaded:
                enabled = loaded;
                break;
            case EnabledWhen::lapLoadedPlaybackStopped:
                enabled = loaded && stopped;
                break;
            case EnabledWhen::lapSlotLoaded: {
                const int slot = command.id - ID_TOGGLE_LAP_1;
                enabled = stopped && document_.slots()[static_cast<std::size_t>(slot)].inUse;
                action(command.id)->setChecked(plotSettings_->isLapChecked(slot));
                break;
            }
            case EnabledWhen::playbackPlaying:
                enabled = loaded && playback.playing();
                break;
            case EnabledWhen::playbackRunning:
                enabled = loaded && playback.running();
                break;
            case EnabledWhen::comparisonExists:
                enabled = comparison_->comparison() != nullptr;
                break;
            case EnabledWhen::never:
                enabled = false;
                break;
        }
        action(command.id)->setEnabled(enabled && command.run);
    }
    action(ID_ZOOM_IN)->setChecked(view_->zoomTool() == ZoomView::Tool::ZoomIn);
    action(ID_ZOOM_OUT)->setChecked(view_->zoomTool() == ZoomView::Tool::ZoomOut);
    action(ID_PANNING_TOOL)->setChecked(view_->panning());
    action(ID_START_CONTINUE)->setChecked(playback.playing());
    action(ID_PAUSE)->setChecked(playback.paused());
    action(ID_FAST_FORWARD)->setChecked(playback.fastForward());
}

void MainWindow::runCommand(int id) {
    const Command* command = commands_.find(id);
    if (command && command->run) command->run();
}

QAction* MainWindow::action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QToolBar* MainWindow::toolBar(int viewCommand) const {
    const auto it = bars_.find(viewCommand);
    return it == bars_.end() ? nullptr : it->second;
}

void MainWindow::toggleBar(int viewCommand) {
    QWidget* bar = viewCommand == ID_VIEW_STATUS_BAR       ? statusBar()
                   : viewCommand == ID_VIEW_PLOT_SETTINGS  ? static_cast<QWidget*>(plotSettings_)
                   : viewCommand == ID_VIEW_LAP_COMPARISON ? static_cast<QWidget*>(comparisonDock_)
                                                           : toolBar(viewCommand);
    bar->setVisible(!bar->isVisible());
    action(viewCommand)->setChecked(bar->isVisible());
}
