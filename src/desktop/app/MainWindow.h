#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "desktop/app/CommandTable.h"
#include "desktop/app/MainWindowDialogs.h"
#include "desktop/reports/ReportCommands.h"
#include "document/DocumentUi.h"
#include "document/ReplayDocument.h"
#include "map/MapScene.h"
#include "settings/Settings.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class GuideWindow;
class PlaybackController;
class PlotSettingsBar;
class ComparisonSession;
class LapComparisonDock;
class TrackMapView;

// The program's one main window: menus, the main toolbar, the playback, zoom and lap bars, the
// status bar, the plot settings bar on the left and the view in the middle. It owns the document
// and answers its questions with the dialogs it is given; every command is a row of its command
// table.
class MainWindow : public QMainWindow, public DocumentUi {
    Q_OBJECT

public:
    // `settings` (the program's, with the folder of this run) and `dialogs` outlive the window;
    // without `dialogs` it asks with the real ones.
    explicit MainWindow(Settings& settings, MainWindowDialogs* dialogs = nullptr, QWidget* parent = nullptr);
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
    ComparisonSession& comparisonSession() const { return *comparison_; }
    LapComparisonDock* comparisonDock() const { return comparisonDock_; }
    TrackMapView* view() const { return view_; }
    // The user guide's window, once View Readme file (or the homepage link) opened it.
    GuideWindow* guideWindow() const { return guide_; }
    // The laps whose driving lines are drawn: ticked, loaded, and no playback running or paused.
    LapsShown lapsShown() const;

    const CommandTable& commands() const { return commands_; }
    QAction* action(int id) const;
    QToolBar* toolBar(int viewCommand) const;
    QStringList recentFiles() const { return recentFiles_; }
    PlaybackController& playback() const { return *playback_; }

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
    static constexpr int kRecentFiles = 7;

    void createCommands();
    void createActions();
    void createMenus();
    void addRecentFiles(QMenu& menu);
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
    // Opens one of the program's windows, made of `arguments` and this window as its parent, once
    // what it needs is there (saying so when not).
    enum class WindowNeeds { nothing, lap };
    template <typename Window, typename... Arguments>
    void openWindow(WindowNeeds needs, Arguments&&... arguments) {
        if (needs == WindowNeeds::lap && document_.lapCount() == 0) return message(kNoLapLoaded);
        Window window(std::forward<Arguments>(arguments)..., this);
        dialogs_.runWindow(window);
    }
    void toggleBar(int viewCommand);
    void moveRemoveLaps();
    void openSettings();
    void showAboutBox();
    void viewReadme();
    void saveTrackmapBitmap();
    void printMap(bool preview);
    QMenu* createMapMenu();
    void connectComparison();
    void toggleColourByGain();
    void toggleComparison();
    void showComparisonCursor();
    void showGainColours();

    Settings& settings_;
    std::unique_ptr<MainWindowDialogs> ownDialogs_;
    MainWindowDialogs& dialogs_;
    ReplayDocument document_{*this, settings_};
    ReportCommands reports_{document_, settings_, *this, dialogs_, this};
    CommandTable commands_;
    std::map<int, QAction*> actions_;
    std::map<int, QToolBar*> bars_;
    PlotSettingsBar* plotSettings_;
    ComparisonSession* comparison_;
    LapComparisonDock* comparisonDock_;
    TrackMapView* view_;
    GuideWindow* guide_ = nullptr;
    bool colourByGain_ = false;     // "Colour line by time gained"
    bool comparisonWanted_ = true;  // the lap comparison opens by itself unless the user closed it
    bool layoutRestored_ = false;   // a saved layout holds the docks' sizes
    QAction* recentSeparator_ = nullptr;
    std::vector<QAction*> recentActions_;
    QStringList recentFiles_;
    // Not a Qt child: it refers to the document, the bar and the view, so it goes first, before
    // the members above and the child widgets.
    std::unique_ptr<PlaybackController> playback_;
};
