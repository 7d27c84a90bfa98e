#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "document/ReplayDocument.h"
#include "document/DocumentUi.h"
#include "desktop/reports/ReportCommands.h"
#include "map/MapScene.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class PlotSettingsBar;
class TrackMapView;

// The program's one main window: menus, the main toolbar, the playback, zoom and lap bars, the
// status bar, the plot settings bar on the left and the view in the middle. It owns the document
// and answers its questions with dialogs; every command goes to its owner by the command table.
class MainWindow : public QMainWindow, public DocumentUi {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows the document's title in the window title, "<title> - VELTRA4 Replay Analyser".
    void setDocumentTitle(const QString& title);

    // Adds a lap from a replay given by path (command line, Open, recent files, dropped files).
    void openReplay(const QString& path);
    void openDropped(const class QMimeData& dropped);
    void runCommand(int id);

    ReplayDocument& document() { return document_; }
    PlotSettingsBar* plotSettingsBar() const { return plotSettings_; }
    ReportCommands& reportCommands() { return reports_; }
    TrackMapView* view() const { return view_; }
    // The laps whose driving lines are drawn: ticked, loaded, and no playback running or paused.
    LapsShown lapsShown() const;

    // The bitmap export's save dialog, replaceable by tests: the path chosen, nothing when cancelled.
    std::function<std::optional<QString>(const QString& proposed)> bitmapPathChooser;
    QAction* action(int id) const;
    QToolBar* toolBar(int viewCommand) const;
    QStringList recentFiles() const { return recentFiles_; }
    // Whether playback runs or is paused (rule A); there is no playback yet.
    bool playbackActive() const { return false; }

    // Dialog answers, replaceable by tests.
    std::function<std::optional<ChosenLap>(const ReplayHeader&, const DriverTable&)> lapChooser;
    std::function<void(const QString& text, bool information)> messageShower;

    // DocumentUi
    std::optional<std::filesystem::path> chooseReplayFile(const std::string& title, const std::string& filter,
                                                          const std::filesystem::path& startFolder) override;
    std::optional<ChosenLap> chooseLap(const ReplayHeader& header, const DriverTable& drivers) override;
    void message(const std::string& text) override;
    void information(const std::string& text) override;
    void lapListChanged() override;
    void clearLapToggles() override;
    void redrawViews() override;

protected:
    void dragEnterEvent(class QDragEnterEvent* event) override;
    void dropEvent(class QDropEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createBars();
    void updateCommands();
    void updateRecentFiles();
    void rememberRecentFile(const QString& path);
    void forgetRecentFile(const QString& path);
    void moveRemoveLaps();
    void openSettings();
    void viewReadme();
    void saveTrackmapBitmap();
    void printMap(bool preview);
    QMenu* createMapMenu();

    ReplayDocument document_{*this};
    ReportCommands reports_{document_, *this, this};
    std::map<int, QAction*> actions_;
    std::map<int, QToolBar*> bars_;
    PlotSettingsBar* plotSettings_;
    TrackMapView* view_;
    QMenu* fileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    std::vector<QAction*> recentActions_;
    QStringList recentFiles_;
};
