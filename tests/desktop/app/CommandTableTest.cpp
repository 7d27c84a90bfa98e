#include <gtest/gtest.h>

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <map>

#include "MainWindowTestBase.h"
#include "desktop/map/TrackMapView.h"
#include "desktop/reports/ReportWindow.h"

namespace {

// One line per entry: text, shortcuts, fly-by text and check mark; "----" for a separator.
QString entryLine(const QAction* action) {
    if (action->isSeparator()) return QStringLiteral("----");
    QStringList keys;
    for (const QKeySequence& key : action->shortcuts())
        keys << key.toString();
    return action->text() + " | " + keys.join(", ") + " | " + action->statusTip() +
           (action->isCheckable() ? " | checkable" : "");
}

QStringList entriesOf(const QString& title, const QList<QAction*>& actions) {
    QStringList lines{"[" + title + "]"};
    for (const QAction* action : actions)
        lines << entryLine(action);
    return lines;
}

class CommandTableTest : public MainWindowTestBase {};

// The menus, the map's own menu and the toolbars entry by entry, as users know them.
TEST_F(CommandTableTest, MenusAndToolbarsKeepTheirEntriesAndOrder) {
    QStringList shown;
    for (const QAction* menu : frame_->menuBar()->actions())
        shown << entriesOf(menu->text(), menu->menu()->actions());
    shown << entriesOf(QStringLiteral("map"), frame_->view()->contextMenu->actions());
    for (const QToolBar* bar : frame_->findChildren<QToolBar*>())
        shown << entriesOf(bar->windowTitle(), bar->actions());
    const QStringList expected = {
        "[&File]",
        "&Clear all replay laps... | Ctrl+N | Remove every loaded replay lap",
        "&Add replay lap... |  | Add a lap from a replay file",
        "Add replay lap using Lap Finder... |  | Find the laps of a track in the replay folders",
        "Open most recently added replay file... |  | Add a lap from the newest replay in the replay folder",
        "&Open... | Ctrl+O | Add a lap from a replay file",
        "Move/Remove loaded replay laps... |  | Reorder or remove the loaded laps",
        "----",
        "Save Trackmap as BMP-file... |  | Save the track map as a bitmap file",
        "----",
        "&Print... | Ctrl+P | Print the track map",
        "Print Pre&view... |  | Show the printed track map",
        "P&rint Setup... |  | Choose the printer and the page",
        "----",
        "Settings... |  | Change the program's settings",
        "----",
        " |  | ",
        " |  | ",
        " |  | ",
        " |  | ",
        " |  | ",
        " |  | ",
        " |  | ",
        "----",
        "E&xit | Ctrl+Q | Quit the program",
        "[&Edit]",
        "&Undo | Ctrl+Z, Alt+Backspace | Undo the last action",
        "----",
        "Cu&t | Ctrl+X, Shift+Del | Cut the selection to the clipboard",
        "&Copy | Ctrl+C, Ctrl+Ins | Copy the selection to the clipboard",
        "&Paste | Ctrl+V, Shift+Ins | Insert the clipboard's contents",
        "[&View]",
        "&Toolbar |  | Show or hide the toolbar | checkable",
        "&Status Bar |  | Show or hide the status bar | checkable",
        "Playback Bar |  | Show or hide the playback bar | checkable",
        "Plot Settings |  | Show or hide the plot settings | checkable",
        "Zoom Bar |  | Show or hide the zoom bar | checkable",
        "Lap Bar |  | Show or hide the lap bar | checkable",
        "Lap Comparison |  | Show or hide the lap comparison | checkable",
        "----",
        "Zoom In |  | Click to zoom in on a point or drag a zoom box | checkable",
        "Zoom Out |  | Click to zoom out on a point | checkable",
        "Panning Tool |  | Move the track map around | checkable",
        "----",
        "Zoom In On Centre | Ctrl++, Ctrl+= | Zoom in on the middle of the map",
        "Zoom Out From Centre | Ctrl+- | Zoom out from the middle of the map",
        "Fit To Track | Ctrl+0 | Show the whole track",
        "----",
        "Colour line by time gained |  | Colour a compared lap's line by where it gains and loses time | "
        "checkable",
        "[&Playback]",
        "Beginning of lap |  | Move the playback to the start of the laps",
        "Start/Continue |  | Play the laps back in real time | checkable",
        "Pause |  | Pause the playback | checkable",
        "Fast Forward |  | Play the laps back fast | checkable",
        "Stop |  | Stop the playback",
        "Move to end of lap |  | Move the playback to the end of the laps",
        "[&Reports]",
        "Race Settings Etc |  | Report the weekend's settings",
        "----",
        "Practice |  | Report the practice times",
        "Qualify |  | Report the qualifying times",
        "Warmup |  | Report the warmup times",
        "Race |  | Report the race results",
        "----",
        "Lap by lap |  | Tell the race lap by lap",
        "Lap Chart |  | List every lap of every driver",
        "Complete(all above) |  | All the reports above in one",
        "Flags (yellows etc) |  | Report the flags shown in the race",
        "----",
        "Graphical Race Report |  | Chart every driver's position lap by lap",
        "[&Tools]",
        "&Graph |  | Plot the loaded laps' telemetry",
        "Gearchange Analyser |  | Analyse the gear changes of a loaded lap",
        "Sector Times |  | Compare the sector times of the loaded laps",
        "[&Help]",
        "View Readme file |  | Open the user guide",
        "----",
        "&About VELTRA4 Replay Analyser |  | Show the program's version and credits",
        "[map]",
        "Zoom In |  | Click to zoom in on a point or drag a zoom box | checkable",
        "Zoom Out |  | Click to zoom out on a point | checkable",
        "Panning Tool |  | Move the track map around | checkable",
        "Show whole track |  | ",
        "----",
        "Toggle lap 1 |  | Show or hide the driving line of lap 1 | checkable",
        "Toggle lap 2 |  | Show or hide the driving line of lap 2 | checkable",
        "Toggle lap 3 |  | Show or hide the driving line of lap 3 | checkable",
        "Toggle lap 4 |  | Show or hide the driving line of lap 4 | checkable",
        "Toggle lap 5 |  | Show or hide the driving line of lap 5 | checkable",
        "[Toolbar]",
        "&Clear all replay laps... | Ctrl+N | Remove every loaded replay lap",
        "&Add replay lap... |  | Add a lap from a replay file",
        "Add replay lap using Lap Finder... |  | Find the laps of a track in the replay folders",
        "Move/Remove loaded replay laps... |  | Reorder or remove the loaded laps",
        "----",
        "&Print... | Ctrl+P | Print the track map",
        "&About VELTRA4 Replay Analyser |  | Show the program's version and credits",
        "----",
        "&Graph |  | Plot the loaded laps' telemetry",
        "Gearchange Analyser |  | Analyse the gear changes of a loaded lap",
        "[Playback Bar]",
        "Beginning of lap |  | Move the playback to the start of the laps",
        "Start/Continue |  | Play the laps back in real time | checkable",
        "Pause |  | Pause the playback | checkable",
        "Fast Forward |  | Play the laps back fast | checkable",
        "Stop |  | Stop the playback",
        "Move to end of lap |  | Move the playback to the end of the laps",
        "[Zoom Bar]",
        "Zoom In |  | Click to zoom in on a point or drag a zoom box | checkable",
        "Zoom Out |  | Click to zoom out on a point | checkable",
        "Fit To Track | Ctrl+0 | Show the whole track",
        "Panning Tool |  | Move the track map around | checkable",
        "[Lap Bar]",
        "Toggle lap 1 |  | Show or hide the driving line of lap 1 | checkable",
        "Toggle lap 2 |  | Show or hide the driving line of lap 2 | checkable",
        "Toggle lap 3 |  | Show or hide the driving line of lap 3 | checkable",
        "Toggle lap 4 |  | Show or hide the driving line of lap 4 | checkable",
        "Toggle lap 5 |  | Show or hide the driving line of lap 5 | checkable",
    };
    EXPECT_EQ(shown.join("\n").toStdString(), expected.join("\n").toStdString());
}

// A second command with a number or a shortcut already taken would be unreachable or ambiguous:
// each is given once across the menus, the toolbars, the report rows and the keys. Two commands at
// one place of a bar, or two mnemonics alike in one menu, would leave one out of reach; the recent
// files go at exactly one place.
TEST_F(CommandTableTest, NumbersShortcutsPlacesAndMnemonicsAreGivenOnce) {
    QStringList taken;
    std::map<int, int> rowsByNumber;
    std::map<std::pair<Bar, int>, int> rowsByBarPlace;
    int recentFilesPlaces = 0;
    for (const Command& command : frame_->commands().all()) {
        ++rowsByNumber[command.id];
        if (command.bar.bar != Bar::none) ++rowsByBarPlace[{command.bar.bar, command.bar.position}];
        if (command.menu.gap == Gap::recentFiles) ++recentFilesPlaces;
    }
    for (const auto& [id, rows] : rowsByNumber) {
        if (rows > 1) taken << QStringLiteral("number %1").arg(id);
    }
    for (const auto& [place, rows] : rowsByBarPlace) {
        if (rows > 1)
            taken
                << QStringLiteral("bar %1 position %2").arg(static_cast<int>(place.first)).arg(place.second);
    }
    for (const MenuTitle& menu : kMenus) {
        std::map<QChar, QString> byMnemonic;
        for (const Command* command : frame_->commands().inMenu(menu.menu)) {
            const QString text = QString::fromLatin1(command->menuText);
            const qsizetype amp = text.indexOf(QLatin1Char('&'));
            if (amp < 0 || amp + 1 >= text.size()) continue;
            if (const auto [it, added] = byMnemonic.emplace(text[amp + 1].toLower(), text); !added)
                taken << "mnemonic of " + it->second + " and " + text;
        }
    }
    std::map<QString, QString> byShortcut;
    for (const QAction* action : frame_->findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts()) {
            if (const auto [it, added] = byShortcut.emplace(key.toString(), action->text()); !added)
                taken << key.toString() + " of " + it->second + " and " + action->text();
        }
    }
    EXPECT_EQ(taken.join("\n").toStdString(), "");
    EXPECT_EQ(recentFilesPlaces, 1);
}

// Each report command opens its own report, and each report of the registry has one command.
TEST_F(CommandTableTest, EveryReportHasOneCommandThatOpensIt) {
    addLap("Rivaldi weekend (saved in race).rpy");
    QString opened;
    dialogs_.window = [&](QDialog& window) {
        if (const auto* report = dynamic_cast<ReportWindow*>(&window)) opened = report->titleLabel()->text();
    };
    QStringList commands;
    std::map<QString, int> commandsByTitle;
    for (const Menu menu : {Menu::reports, Menu::tools}) {
        for (const Command* command : frame_->commands().inMenu(menu)) {
            opened.clear();
            frame_->runCommand(command->id);
            if (opened.isEmpty()) continue;
            commands << QString::fromLatin1(command->menuText) + " -> " + opened;
            ++commandsByTitle[opened];
        }
    }
    const QStringList expected = {
        "Race Settings Etc -> Race Settings Etc",
        "Practice -> Practice Report",
        "Qualify -> Qualifying Report",
        "Warmup -> Warmup Report",
        "Race -> Race Report",
        "Lap by lap -> Lap By Lap report",
        "Lap Chart -> Lap Chart",
        "Complete(all above) -> Complete Report",
        "Flags (yellows etc) -> Flag report",
        "Sector Times -> Sector Times",
    };
    EXPECT_EQ(commands.join("\n").toStdString(), expected.join("\n").toStdString());
    for (const ReportKind& kind : reportKinds())
        EXPECT_EQ(commandsByTitle[QString::fromLatin1(kind.title)], 1) << kind.title;
}

}  // namespace
