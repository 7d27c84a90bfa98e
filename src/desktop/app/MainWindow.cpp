#include "desktop/app/MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>

#include "Version.h"
#include "common/SimulatorFolders.h"
#include "common/WholeFile.h"
#include "desktop/app/AboutBox.h"
#include "desktop/app/CommandIcons.h"
#include "desktop/app/CommandTable.h"
#include "desktop/app/GuideWindow.h"
#include "desktop/common/PrintJob.h"
#include "desktop/common/QtText.h"
#include "desktop/common/UserProfile.h"
#include "desktop/document/MoveRemoveDialog.h"
#include "desktop/document/PlotSettingsBar.h"
#include "desktop/graphs/GearChangeDialog.h"
#include "desktop/graphs/GraphWindow.h"
#include "desktop/library/LapFinderDialog.h"
#include "desktop/map/TrackMapView.h"
#include "desktop/racechart/RaceChartWindow.h"
#include "desktop/replay/LapDialog.h"
#include "desktop/settings/SettingsDialog.h"
#include "map/TrackMapBitmap.h"
#include "reports/ReportRegistry.h"
#include "settings/Settings.h"

namespace {

constexpr int kRecentFiles = 7;

const QString kGeometryKey = QStringLiteral("Window/Geometry");
const QString kStateKey = QStringLiteral("Window/State");
const QString kStatusBarKey = QStringLiteral("Window/StatusBar");

// A tool tip from a menu text: no mnemonic, no trailing dots.
QString toolTipOf(const char* menuText) {
    QString text = QString::fromLatin1(menuText).remove(QLatin1Char('&'));
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

}  // namespace

MainWindow::MainWindow(Settings& settings, QWidget* parent) : QMainWindow(parent), settings_(settings) {
    lapChooser = [this](const ReplayHeader& header, const DriverTable& drivers) -> std::optional<LapChoice> {
        LapDialog dialog(header, drivers, this);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.chosenLap();
    };
    messageShower = [this](const QString& text, bool information) {
        if (information)
            QMessageBox::information(this, QString::fromLatin1(kProductName), text);
        else
            QMessageBox::warning(this, QString::fromLatin1(kProductName), text);
    };
    graphWindowShower = [](GraphWindow& window) { window.exec(); };
    gearChangeDialogShower = [](GearChangeDialog& dialog) { dialog.exec(); };
    lapFinderShower = [](LapFinderDialog& dialog) { dialog.exec(); };
    raceChartShower = [](RaceChartWindow& window) { window.exec(); };
    playbackTimer_.setInterval(Playback::kTickMs);
    playbackTimer_.setTimerType(Qt::PreciseTimer);
    connect(&playbackTimer_, &QTimer::timeout, this, &MainWindow::playbackTick);
    plotSettings_ = new PlotSettingsBar(this);
    connect(plotSettings_, &PlotSettingsBar::homepageRequested, this, &MainWindow::viewReadme);
    view_ = new TrackMapView(document_, [this] { return lapsShown(); });
    setCentralWidget(view_);
    addDockWidget(Qt::LeftDockWidgetArea, plotSettings_);
    connect(plotSettings_, &PlotSettingsBar::lapSelectionChanged, this, [this] {
        updateCommands();
        redrawViews();
    });
    createCommands();
    createActions();
    createBars();
    createMenus();
    view_->contextMenu = createMapMenu();
    connect(view_, &ZoomView::statusText, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    connect(view_, &ZoomView::toolsChanged, this, &MainWindow::updateCommands);
    bitmapPathChooser = [this](const QString& proposed) -> std::optional<QString> {
        const RememberedFolder folder(QStringLiteral("Trackmap bitmap"));
        QFileDialog dialog(this, tr("Save Trackmap as BMP-file"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(QStringLiteral("Bitmap files (*.bmp)"));
        dialog.setDefaultSuffix(QStringLiteral("bmp"));
        dialog.selectFile(folder.fileIn(proposed));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        folder.remember(dialog.selectedFiles().constFirst());
        return dialog.selectedFiles().constFirst();
    };
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        auto* label = new QLabel(QString::fromLatin1(indicator));
        label->setEnabled(false);
        statusBar()->addPermanentWidget(label);
    }
    // The idle text comes back whenever a fly-by text or a tool's hint ends.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& text) {
        if (text.isEmpty()) statusBar()->showMessage(tr("Ready"));
    });
    statusBar()->showMessage(tr("Ready"));
    setAcceptDrops(true);
    const QStringList stored = userProfile().value(QStringLiteral("Recent File List/Files")).toStringList();
    recentFiles_ = stored.mid(0, kRecentFiles);
    updateRecentFiles();
    setDocumentTitle(fromUtf8(document_.title()));
    plotSettings_->refresh(document_);
    updateCommands();
    restoreLayout();
}

MainWindow::~MainWindow() = default;

void MainWindow::setDocumentTitle(const QString& title) {
    setWindowTitle(title + QStringLiteral(" - ") + QString::fromLatin1(kProductName));
}

QAction* MainWindow::action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QToolBar* MainWindow::toolBar(int viewCommand) const {
    const auto it = bars_.find(viewCommand);
    return it == bars_.end() ? nullptr : it->second;
}

void MainWindow::createActions() {
    static const std::map<int, QList<QKeySequence>> kShortcuts = {
        {ID_FILE_NEW, {QKeySequence(QStringLiteral("Ctrl+N"))}},
        {ID_FILE_OPEN, {QKeySequence(QStringLiteral("Ctrl+O"))}},
        {ID_FILE_PRINT, {QKeySequence(QStringLiteral("Ctrl+P"))}},
        {ID_APP_EXIT, {QKeySequence(QStringLiteral("Ctrl+Q"))}},
        // Ctrl+= is Ctrl++ without the Shift key that "+" needs on many keyboards.
        {ID_ZOOM_IN_CENTRE, {QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))}},
        {ID_ZOOM_OUT_CENTRE, {QKeySequence(QStringLiteral("Ctrl+-"))}},
        {ID_FIT_TO_TRACK, {QKeySequence(QStringLiteral("Ctrl+0"))}},
        {ID_EDIT_UNDO,
         {QKeySequence(QStringLiteral("Ctrl+Z")), QKeySequence(QStringLiteral("Alt+Backspace"))}},
        {ID_EDIT_CUT, {QKeySequence(QStringLiteral("Ctrl+X")), QKeySequence(QStringLiteral("Shift+Del"))}},
        {ID_EDIT_COPY, {QKeySequence(QStringLiteral("Ctrl+C")), QKeySequence(QStringLiteral("Ctrl+Ins"))}},
        {ID_EDIT_PASTE, {QKeySequence(QStringLiteral("Ctrl+V")), QKeySequence(QStringLiteral("Shift+Ins"))}},
        {ID_NEXT_PANE, {QKeySequence(QStringLiteral("F6"))}},
        {ID_PREV_PANE, {QKeySequence(QStringLiteral("Shift+F6"))}},
    };
    for (const Command& command : commands_.all()) {
        auto* a = new QAction(QString::fromLatin1(command.menuText), this);
        a->setStatusTip(QString::fromLatin1(command.statusTip));
        a->setToolTip(toolTipOf(command.menuText));
        a->setIcon(commandIcon(command.id, style()));
        if (const auto it = kShortcuts.find(command.id); it != kShortcuts.end()) a->setShortcuts(it->second);
        a->setCheckable(command.checkable);
        const int id = command.id;
        connect(a, &QAction::triggered, this, [this, id] { runCommand(id); });
        actions_[command.id] = a;
        addAction(a);  // shortcuts work while their bar is hidden
    }
}

void MainWindow::createBars() {
    const auto bar = [this](int viewCommand, const QString& name, std::initializer_list<int> ids) {
        auto* toolBar = addToolBar(name);
        toolBar->setObjectName(name);
        toolBar->setIconSize(QSize(22, 22));
        for (int id : ids) {
            if (id == 0)
                toolBar->addSeparator();
            else
                toolBar->addAction(action(id));
        }
        bars_[viewCommand] = toolBar;
        QAction* toggle = action(viewCommand);
        toggle->setChecked(true);
        connect(toolBar, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
    };
    bar(ID_VIEW_TOOLBAR, QStringLiteral("Toolbar"),
        {ID_FILE_NEW, ID_ADD_REPLAY_LAP, ID_LAP_FINDER, ID_MOVE_REMOVE, 0, ID_FILE_PRINT, ID_APP_ABOUT, 0,
         ID_GRAPH, ID_GEARCHANGE_ANALYSER});
    bar(ID_VIEW_PLAYBACK_BAR, QStringLiteral("Playback Bar"),
        {ID_BEGINNING_OF_LAP, ID_START_CONTINUE, ID_PAUSE, ID_FAST_FORWARD, ID_STOP, ID_MOVE_TO_END_OF_LAP});
    bar(ID_VIEW_ZOOM_BAR, QStringLiteral("Zoom Bar"),
        {ID_ZOOM_IN, ID_ZOOM_OUT, ID_FIT_TO_TRACK, ID_PANNING_TOOL});
    bar(ID_VIEW_LAP_BAR, QStringLiteral("Lap Bar"),
        {ID_TOGGLE_LAP_1, ID_TOGGLE_LAP_1 + 1, ID_TOGGLE_LAP_1 + 2, ID_TOGGLE_LAP_1 + 3,
         ID_TOGGLE_LAP_1 + 4});
    action(ID_VIEW_STATUS_BAR)->setChecked(true);
    action(ID_VIEW_PLOT_SETTINGS)->setChecked(true);
    connect(plotSettings_, &QDockWidget::visibilityChanged, action(ID_VIEW_PLOT_SETTINGS),
            &QAction::setChecked);
}

void MainWindow::createMenus() {
    const auto menu = [this](const QString& title, const std::vector<int>& ids) {
        QMenu* m = menuBar()->addMenu(title);
        for (int id : ids) {
            if (id == 0)
                m->addSeparator();
            else
                m->addAction(action(id));
        }
        return m;
    };
    fileMenu_ = menu(
        QStringLiteral("&File"),
        {ID_FILE_NEW, ID_ADD_REPLAY_LAP, ID_LAP_FINDER, ID_OPEN_MOST_RECENT, ID_FILE_OPEN, ID_MOVE_REMOVE, 0,
         ID_SAVE_TRACKMAP_BMP, 0, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, 0, ID_SETTINGS});
    recentSeparator_ = fileMenu_->addSeparator();
    for (int i = 0; i < kRecentFiles; ++i) {
        auto* recent = fileMenu_->addAction(QString());
        connect(recent, &QAction::triggered, this, [this, i] {
            if (i < recentFiles_.size()) openReplay(recentFiles_[i]);
        });
        recentActions_.push_back(recent);
    }
    fileMenu_->addSeparator();
    fileMenu_->addAction(action(ID_APP_EXIT));
    menu(QStringLiteral("&Edit"), {ID_EDIT_UNDO, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE});
    menu(QStringLiteral("&View"),
         {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_PLAYBACK_BAR, ID_VIEW_PLOT_SETTINGS, ID_VIEW_ZOOM_BAR,
          ID_VIEW_LAP_BAR, 0, ID_ZOOM_IN, ID_ZOOM_OUT, ID_PANNING_TOOL, 0, ID_ZOOM_IN_CENTRE,
          ID_ZOOM_OUT_CENTRE, ID_FIT_TO_TRACK});
    menu(QStringLiteral("&Playback"),
         {ID_BEGINNING_OF_LAP, ID_START_CONTINUE, ID_PAUSE, ID_FAST_FORWARD, ID_STOP, ID_MOVE_TO_END_OF_LAP});
    // The reports in their registry's groups, then the graphical one; the Tools menu's reports last.
    std::vector<int> reports, tools = {ID_GRAPH, ID_GEARCHANGE_ANALYSER};
    int group = 0;
    for (const ReportKind& kind : reportKinds()) {
        if (kind.menuGroup == kToolsMenu) {
            tools.push_back(kind.commandId);
            continue;
        }
        if (kind.menuGroup != group) reports.push_back(0);
        group = kind.menuGroup;
        reports.push_back(kind.commandId);
    }
    reports.insert(reports.end(), {0, ID_GRAPHICAL_RACE_REPORT});
    menu(QStringLiteral("&Reports"), reports);
    menu(QStringLiteral("&Tools"), tools);
    menu(QStringLiteral("&Help"), {ID_VIEW_README, 0, ID_APP_ABOUT});
}

// The enabling rules of the command table, and the check marks of the lap toggles.
void MainWindow::updateCommands() {
    const bool stopped = !playbackActive();
    const bool loaded = document_.lapCount() > 0;
    for (const Command& command : commands_.all()) {
        bool enabled = false;
        switch (command.rule) {
            case EnableRule::Always:
                enabled = true;
                break;
            case EnableRule::PlaybackStopped:
                enabled = stopped;
                break;
            case EnableRule::LapLoaded:
                enabled = loaded;
                break;
            case EnableRule::LapLoadedNotPlaying:
                enabled = loaded && stopped;
                break;
            case EnableRule::LapSlotLoaded: {
                const int slot = command.id - ID_TOGGLE_LAP_1;
                enabled = stopped && document_.slots()[static_cast<std::size_t>(slot)].inUse;
                action(command.id)->setChecked(plotSettings_->isLapChecked(slot));
                break;
            }
            case EnableRule::PlaybackPlaying:
                enabled = loaded && playback_.playing();
                break;
            case EnableRule::PlaybackRunning:
                enabled = loaded && playback_.running();
                break;
            case EnableRule::Never:
                enabled = false;
                break;
        }
        action(command.id)->setEnabled(enabled && command.run);
    }
    action(ID_ZOOM_IN)->setChecked(view_->zoomTool() == ZoomView::Tool::ZoomIn);
    action(ID_ZOOM_OUT)->setChecked(view_->zoomTool() == ZoomView::Tool::ZoomOut);
    action(ID_PANNING_TOOL)->setChecked(view_->panning());
    action(ID_START_CONTINUE)->setChecked(playback_.playing());
    action(ID_PAUSE)->setChecked(playback_.paused());
    action(ID_FAST_FORWARD)->setChecked(playback_.fastForward());
}

void MainWindow::runCommand(int id) {
    const Command* command = commands_.find(id);
    if (command && command->run) command->run();
}

void MainWindow::addLapBy(const std::function<void()>& load) {
    const int before = document_.lapCount();
    load();
    if (document_.lapCount() > before)
        rememberRecentFile(QString::fromStdString(
            document_.slots()[static_cast<std::size_t>(before)].header->fileName.string()));
}

void MainWindow::showLapFinder() {
    LapFinderDialog finder(settings_, document_, this);
    finder.loadLap = [this](const FoundLap& lap) {
        addLapBy([&] { document_.lapFinderLoad(lap.path(), lap.lap); });
    };
    lapFinderShower(finder);
}

// The replay is chosen as for the text reports; the window works on its own copy of the chart.
void MainWindow::showRaceChart() {
    reports_.withReportReplay([this](const ReplayHeader& header, const DriverTable& drivers) {
        if (!drivers.sessionPresent[kRace]) return message("This replay file does not contain race info!");
        RaceChartWindow window(header, drivers, settings_, this);
        raceChartShower(window);
    });
}

void MainWindow::openWithFileDialog() {
    const RememberedFolder folder(QStringLiteral("Open"));
    const QString file = QFileDialog::getOpenFileName(
        this, QString(),
        folder.folderOr(QString::fromStdString(replayFolder(settings_.simulatorDirectory()).string())),
        QStringLiteral("Replay Files (*.rpy)"));
    if (file.isEmpty()) return;
    folder.remember(file);
    openReplay(file);
}

// The window's size, place, bars and docks as the user left them; a first run gets a size that
// shows the map and the plot settings bar side by side.
void MainWindow::restoreLayout() {
    const QSettings profile = userProfile();
    if (!restoreGeometry(profile.value(kGeometryKey).toByteArray())) resize(1100, 760);
    restoreState(profile.value(kStateKey).toByteArray());
    statusBar()->setVisible(profile.value(kStatusBarKey, true).toBool());
    // The window is not shown yet, so the bars have not told their toggles.
    for (const auto& [viewCommand, bar] : bars_)
        action(viewCommand)->setChecked(!bar->isHidden());
    action(ID_VIEW_PLOT_SETTINGS)->setChecked(!plotSettings_->isHidden());
    action(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    QSettings profile = userProfile();
    profile.setValue(kGeometryKey, saveGeometry());
    profile.setValue(kStateKey, saveState());
    profile.setValue(kStatusBarKey, !statusBar()->isHidden());
    QMainWindow::closeEvent(event);
}

void MainWindow::toggleBar(int viewCommand) {
    QWidget* bar = viewCommand == ID_VIEW_STATUS_BAR      ? statusBar()
                   : viewCommand == ID_VIEW_PLOT_SETTINGS ? static_cast<QWidget*>(plotSettings_)
                                                          : toolBar(viewCommand);
    bar->setVisible(!bar->isVisible());
    action(viewCommand)->setChecked(bar->isVisible());
}

void MainWindow::showGraphWindow() {
    if (document_.lapCount() == 0) {
        message(kNoLapLoaded);
        return;
    }
    GraphWindow window(document_, this);
    graphWindowShower(window);
}

void MainWindow::showGearChangeDialog() {
    if (document_.lapCount() == 0) return message(kNoLapLoaded);
    GearChangeDialog dialog(document_, this);
    gearChangeDialogShower(dialog);
}

void MainWindow::showAboutBox() {
    AboutBox about(this);
    about.exec();
}

// Every route that opens a file adds a lap as "Add replay lap" does, under the same rule.
bool MainWindow::playbackBlocksAdding() {
    if (playbackActive()) statusBar()->showMessage(tr("Stop the playback to add a lap."), 5000);
    return playbackActive();
}

void MainWindow::openReplay(const QString& path) {
    if (playbackBlocksAdding()) return;
    const int before = document_.lapCount();
    document_.openPath(path.toStdString());
    if (document_.lapCount() > before)
        rememberRecentFile(path);
    else if (!QFileInfo::exists(path))
        forgetRecentFile(path);
}

void MainWindow::openArgument(const QString& argument) {
    const auto spec = parseLapSpec(argument.toStdString());
    if (!spec || !QFileInfo::exists(QString::fromStdString(spec->file.string()))) return openReplay(argument);
    if (playbackBlocksAdding()) return;
    addLapBy([&] { document_.lapFinderLoad(spec->file, spec->lap); });
}

void MainWindow::rememberRecentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recentFiles_.removeAll(absolute);
    recentFiles_.prepend(absolute);
    while (recentFiles_.size() > kRecentFiles)
        recentFiles_.removeLast();
    updateRecentFiles();
}

void MainWindow::forgetRecentFile(const QString& path) {
    recentFiles_.removeAll(QFileInfo(path).absoluteFilePath());
    updateRecentFiles();
}

void MainWindow::updateRecentFiles() {
    userProfile().setValue(QStringLiteral("Recent File List/Files"), recentFiles_);
    for (int i = 0; i < kRecentFiles; ++i) {
        QAction* recent = recentActions_[static_cast<std::size_t>(i)];
        recent->setVisible(i < recentFiles_.size());
        if (i < recentFiles_.size())
            recent->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(recentFiles_[i]).fileName()));
    }
    recentSeparator_->setVisible(!recentFiles_.isEmpty());
}

void MainWindow::moveRemoveLaps() {
    stopPlayback();
    MoveRemoveDialog dialog(document_, this);
    if (dialog.exec() == QDialog::Accepted) document_.applyLapOrder(dialog.order());
}

Q_LOGGING_CATEGORY(playbackLog, "vxra.playback", QtWarningMsg)

std::array<bool, Playback::kLaps> MainWindow::tickedLaps() const {
    std::array<bool, Playback::kLaps> ticked{};
    for (int slot = 0; slot < Playback::kLaps; ++slot)
        ticked[static_cast<std::size_t>(slot)] = plotSettings_->isLapChecked(slot);
    return ticked;
}

void MainWindow::startPlayback() {
    const std::array<bool, Playback::kLaps> ticked = tickedLaps();
    const bool anyTicked = std::find(ticked.begin(), ticked.end(), true) != ticked.end();
    switch (playback_.start(document_.trackLoaded(), anyTicked)) {
        case Playback::StartOutcome::NoTrack:
            information("Realtime plotting of driving lines not available without trackmap!");
            return;
        case Playback::StartOutcome::NoLapChosen:
            message("Choose lap(s) to play!");
            return;
        case Playback::StartOutcome::BackToNormalSpeed:
            break;
        case Playback::StartOutcome::Started:
            view_->clearPlayback();
            view_->mapChanged();  // the map without its driving lines
            [[fallthrough]];
        case Playback::StartOutcome::Resumed:
            view_->switchToolsOff();
            plotSettings_->enterPlayingState();
            playbackTimer_.start();
            break;
    }
    updateCommands();
}

void MainWindow::pausePlayback() {
    playbackTimer_.stop();
    sinceTick_.invalidate();
    playback_.pause();
    updateCommands();
}

void MainWindow::fastForwardPlayback() {
    playback_.startFastForward();
    updateCommands();
}

void MainWindow::stopPlayback() {
    if (!playback_.running()) return;
    playback_.stop();
    playbackStopped();
}

void MainWindow::moveToEndOfLap() {
    playback_.moveToEnd();
    playbackStopped();
}

void MainWindow::moveToBeginningOfLap() {
    playback_.moveToBeginning();
    updateCommands();
}

void MainWindow::playbackStopped() {
    playbackTimer_.stop();
    qCDebug(playbackLog) << "playback stopped after" << ticks_ << "ticks," << lateTicks_ << "of them late";
    ticks_ = lateTicks_ = 0;
    sinceTick_.invalidate();
    plotSettings_->enterStoppedState();
    view_->clearPlayback();
    view_->mapChanged();
    updateCommands();
}

void MainWindow::playbackTick() {
    if (!playback_.playing()) return;
    if (sinceTick_.isValid() && sinceTick_.elapsed() > 2 * Playback::kTickMs) ++lateTicks_;
    sinceTick_.restart();
    ++ticks_;
    std::array<const LapTelemetry*, Playback::kLaps> laps{};
    const std::array<bool, Playback::kLaps> ticked = tickedLaps();
    for (int slot = 0; slot < Playback::kLaps; ++slot) {
        const ReplayDocument::Slot& loaded = document_.slots()[static_cast<std::size_t>(slot)];
        laps[static_cast<std::size_t>(slot)] = loaded.inUse ? loaded.lapData.get() : nullptr;
    }
    const PlaybackTick tick = playback_.tick(laps, ticked, document_.speedUnitMph(), document_.trackLength());
    if (tick.ended) return playbackStopped();
    plotSettings_->showElapsed(QString::fromStdString(tick.elapsed));
    for (int slot = 0; slot < Playback::kLaps; ++slot) {
        const LapTickValues& values = tick.laps[static_cast<std::size_t>(slot)];
        if (values.active)
            plotSettings_->showLapRealtime(slot, values.speed, values.revs,
                                           QString::fromStdString(values.gear), values.sector,
                                           values.splitsPassed);
    }
    view_->playTick(tick);
    followCar(tick);
}

// Focus Leader: the car that has come furthest; Focus Driver: the chosen lap's car while it plays.
void MainWindow::followCar(const PlaybackTick& tick) {
    std::optional<int> followed;
    if (plotSettings_->focus() == PlotSettingsBar::Focus::Driver)
        followed = plotSettings_->focusDriverRow();
    else if (plotSettings_->focus() == PlotSettingsBar::Focus::Leader)
        followed = tick.leader;
    if (!followed || *followed < 0 || *followed >= Playback::kLaps ||
        !tick.laps[static_cast<std::size_t>(*followed)].active)
        return;
    if (const std::optional<QPointF> car = view_->carPosition(*followed))
        view_->keepInView(car->x(), car->y());
}

void MainWindow::openSettings() {
    SettingsDialog dialog(settings_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    // The document reads its settings when used; the views show the new values at once. A running
    // playback keeps the panel as it is: rebuilding it would show every split time and reset the
    // focus.
    if (!playbackActive()) lapListChanged();
    redrawViews();
}

// One guide window, brought to the front when asked for again.
void MainWindow::viewReadme() {
    if (!guide_) guide_ = new GuideWindow(this);
    guide_->show();
    guide_->raise();
    guide_->activateWindow();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    openDropped(*event->mimeData());
    event->acceptProposedAction();
}

// Several dropped files are added one after another.
void MainWindow::openDropped(const QMimeData& dropped) {
    for (const QUrl& url : dropped.urls()) {
        if (url.isLocalFile()) openReplay(url.toLocalFile());
    }
}

std::optional<std::filesystem::path> MainWindow::chooseReplayFile(const std::string& title,
                                                                  const std::string& filter,
                                                                  const std::filesystem::path& startFolder) {
    const RememberedFolder folder(fromUtf8(title));
    const QString file = QFileDialog::getOpenFileName(
        this, fromUtf8(title), folder.folderOr(QString::fromStdString(startFolder.string())),
        fromUtf8(filter));
    if (file.isEmpty()) return std::nullopt;
    folder.remember(file);
    return std::filesystem::path(file.toStdString());
}

std::optional<LapChoice> MainWindow::chooseLap(const ReplayHeader& header, const DriverTable& drivers) {
    return lapChooser(header, drivers);
}

void MainWindow::message(const std::string& text) {
    messageShower(fromWin1252(text), false);
}
void MainWindow::information(const std::string& text) {
    messageShower(fromWin1252(text), true);
}

void MainWindow::lapListChanged() {
    plotSettings_->refresh(document_);
    setDocumentTitle(fromUtf8(document_.title()));
    updateCommands();
}

void MainWindow::clearLapToggles() {
    plotSettings_->clearLaps();
    updateCommands();
}

LapsShown MainWindow::lapsShown() const {
    LapsShown shown{};
    if (playbackActive()) return shown;
    for (int slot = 0; slot < ReplayDocument::maxLaps; ++slot) {
        shown[static_cast<std::size_t>(slot)] =
            document_.slots()[static_cast<std::size_t>(slot)].inUse && plotSettings_->isLapChecked(slot);
    }
    return shown;
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

void MainWindow::saveTrackmapBitmap() {
    if (!document_.trackLoaded()) return message("No track loaded!");
    const auto folder = replayFolder(settings_.simulatorDirectory());
    const auto proposed = folder / (document_.title() + ".bmp");
    const std::optional<QString> chosen = bitmapPathChooser(QString::fromStdString(proposed.string()));
    if (!chosen) return;
    const std::filesystem::path path = withBmpExtension(chosen->toStdString());
    const std::string bitmap = trackMapBitmap(document_, settings_.bmpSizeInPixel(), lapsShown());
    if (!writeWholeFile(path, bitmap, std::ios::binary)) message("Error creating file!");
}

// The header, the shown laps' labels in their colours, and the map.
void MainWindow::printMap(bool preview) {
    const QString header = QStringLiteral("     ") + QString::fromLatin1(kProductName) +
                           QStringLiteral(" - ") + fromUtf8(document_.title());
    std::vector<TrackMapView::PrintLabel> labels;
    const LapsShown shown = lapsShown();
    for (int slot = 0; slot < ReplayDocument::maxLaps; ++slot) {
        if (!shown[static_cast<std::size_t>(slot)]) continue;
        const Rgb c = ReplayDocument::colourTable()[static_cast<std::size_t>(document_.lapColourIndex(slot))];
        labels.emplace_back(plotSettings_->lapBox(slot)->text(), QColor(c.r, c.g, c.b));
    }
    printWithDialog(this, preview, [&](QPrinter& printer) { view_->print(printer, header, labels); });
}

void MainWindow::redrawViews() {
    view_->mapChanged();
}

void MainWindow::trackChanged() {
    view_->trackChanged();
}
