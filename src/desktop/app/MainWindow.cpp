#include "desktop/app/MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include "Version.h"
#include "common/SimulatorFolders.h"
#include "common/WholeFile.h"
#include "desktop/app/AboutBox.h"
#include "desktop/app/CommandTable.h"
#include "desktop/app/GuideWindow.h"
#include "desktop/common/PrintJob.h"
#include "desktop/common/QtText.h"
#include "desktop/common/UserProfile.h"
#include "desktop/compare/ComparisonSession.h"
#include "desktop/compare/LapComparisonDock.h"
#include "desktop/document/MoveRemoveDialog.h"
#include "desktop/document/PlotSettingsBar.h"
#include "desktop/map/PlaybackController.h"
#include "desktop/map/TrackMapView.h"
#include "desktop/settings/SettingsDialog.h"
#include "map/TrackMapBitmap.h"
#include "reports/ReportRegistry.h"
#include "settings/Settings.h"

namespace {

const QString kGeometryKey = QStringLiteral("Window/Geometry");
const QString kStateKey = QStringLiteral("Window/State");
const QString kStatusBarKey = QStringLiteral("Window/StatusBar");

}  // namespace

MainWindow::MainWindow(Settings& settings, MainWindowDialogs* dialogs, QWidget* parent)
    : QMainWindow(parent),
      settings_(settings),
      ownDialogs_(dialogs ? nullptr : std::make_unique<QtMainWindowDialogs>(this)),
      dialogs_(dialogs ? *dialogs : *ownDialogs_) {
    plotSettings_ = new PlotSettingsBar(this);
    connect(plotSettings_, &PlotSettingsBar::homepageRequested, this, &MainWindow::viewReadme);
    view_ = new TrackMapView(document_, [this] { return lapsShown(); });
    setCentralWidget(view_);
    playback_ = std::make_unique<PlaybackController>(document_, *plotSettings_, *view_, *this);
    connect(playback_.get(), &PlaybackController::stateChanged, this, &MainWindow::updateCommands);
    addDockWidget(Qt::LeftDockWidgetArea, plotSettings_);
    comparison_ = new ComparisonSession(document_, this);
    comparisonDock_ = new LapComparisonDock(*comparison_, document_, this);
    // Under the map only: the plot settings bar keeps the whole left side.
    setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);
    addDockWidget(Qt::BottomDockWidgetArea, comparisonDock_);
    comparisonDock_->hide();
    connect(plotSettings_, &PlotSettingsBar::lapSelectionChanged, this, [this] {
        updateCommands();
        redrawViews();
    });
    createCommands();
    createActions();
    createBars();
    createMenus();
    view_->contextMenu = createMapMenu();
    connectComparison();
    connect(view_, &ZoomView::statusText, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    connect(view_, &ZoomView::toolsChanged, this, &MainWindow::updateCommands);
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

void MainWindow::addLapBy(const std::function<void()>& load) {
    const int before = document_.lapCount();
    load();
    if (document_.lapCount() > before)
        rememberRecentFile(QString::fromStdString(
            document_.slots()[static_cast<std::size_t>(before)].header->fileName.string()));
}

void MainWindow::openWithFileDialog() {
    const RememberedFolder folder(QStringLiteral("Open"));
    const QString file = QFileDialog::getOpenFileName(
        this, QString(),
        folder.folderOr(QString::fromStdString(replayFolder(settings_.simulatorFolder()).string())),
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
    layoutRestored_ = restoreState(profile.value(kStateKey).toByteArray());
    statusBar()->setVisible(profile.value(kStatusBarKey, true).toBool());
    // The window is not shown yet, so the bars have not told their toggles.
    for (const auto& [viewCommand, bar] : bars_)
        action(viewCommand)->setChecked(!bar->isHidden());
    action(ID_VIEW_PLOT_SETTINGS)->setChecked(!plotSettings_->isHidden());
    action(ID_VIEW_LAP_COMPARISON)->setChecked(!comparisonDock_->isHidden());
    action(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    QSettings profile = userProfile();
    profile.setValue(kGeometryKey, saveGeometry());
    profile.setValue(kStateKey, saveState());
    profile.setValue(kStatusBarKey, !statusBar()->isHidden());
    QMainWindow::closeEvent(event);
}

void MainWindow::showAboutBox() {
    AboutBox about(this);
    about.exec();
}

// Every route that opens a file adds a lap as "Add replay lap" does, under the same rule.
bool MainWindow::playbackBlocksAdding() {
    if (playback_->active()) statusBar()->showMessage(tr("Stop the playback to add a lap."), 5000);
    return playback_->active();
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
    playback_->stop();
    MoveRemoveDialog dialog(document_, this);
    if (dialog.exec() == QDialog::Accepted) document_.applyLapOrder(dialog.order());
}

void MainWindow::openSettings() {
    SettingsDialog dialog(settings_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    // The document reads its settings when used; the views show the new values at once. A running
    // playback keeps the panel as it is: rebuilding it would show every split time and reset the
    // focus. The laps are the same, so the comparison stays, zoom and all; only its speeds may
    // change unit.
    if (!playback_->active()) plotSettings_->refresh(document_);
    comparisonDock_->settingsChanged();
    updateCommands();
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
    return dialogs_.chooseReplayFile(fromUtf8(title), fromUtf8(filter), startFolder);
}

std::optional<LapChoice> MainWindow::chooseLap(const ReplayHeader& header, const DriverTable& drivers) {
    return dialogs_.chooseLap(header, drivers);
}

void MainWindow::message(const std::string& text) {
    dialogs_.showMessage(fromWin1252(text), MainWindowDialogs::MessageKind::warning);
}

void MainWindow::information(const std::string& text) {
    dialogs_.showMessage(fromWin1252(text), MainWindowDialogs::MessageKind::information);
}

void MainWindow::lapListChanged() {
    plotSettings_->refresh(document_);
    redrawViews();  // the map drops emptied slots before the dock's refresh can paint the window
    const bool comparedBefore = comparison_->slots().size() >= 2;
    comparison_->refresh();
    if (!comparedBefore && comparison_->slots().size() >= 2 && comparisonWanted_) {
        comparisonDock_->show();
        action(ID_VIEW_LAP_COMPARISON)->setChecked(true);  // told by the dock only while the window shows
        if (!layoutRestored_)  // the map keeps the most room; a saved layout keeps the user's height
            resizeDocks({comparisonDock_}, {height() * 2 / 5}, Qt::Vertical);
    }
    setDocumentTitle(fromUtf8(document_.title()));
    updateCommands();
}

void MainWindow::clearLapToggles() {
    plotSettings_->clearLaps();
    updateCommands();
}

LapsShown MainWindow::lapsShown() const {
    LapsShown shown{};
    if (playback_->active()) return shown;
    for (int slot = 0; slot < ReplayDocument::maxLaps; ++slot) {
        shown[static_cast<std::size_t>(slot)] =
            document_.slots()[static_cast<std::size_t>(slot)].inUse && plotSettings_->isLapChecked(slot);
    }
    return shown;
}

void MainWindow::saveTrackmapBitmap() {
    if (!document_.trackLoaded()) return message("No track loaded!");
    const auto folder = replayFolder(settings_.simulatorFolder());
    const auto proposed = folder / (document_.title() + ".bmp");
    const std::optional<QString> chosen =
        dialogs_.chooseBitmapPath(QString::fromStdString(proposed.string()));
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
