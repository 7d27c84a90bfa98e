#include "desktop/reports/ReportWindow.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include "desktop/common/UserProfile.h"

#include "common/SimulatorFolders.h"
#include "desktop/common/PrintJob.h"
#include "desktop/common/QtText.h"
#include "desktop/reports/ReportPrinting.h"
#include "document/ReplayDocument.h"
#include "replay/ReplayHeader.h"

namespace {

// The window shows "\n" line ends; the report keeps "\r\n".
QString displayText(const std::string& text) {
    QString shown = fromWin1252(text);
    shown.remove(QLatin1Char('\r'));
    return shown;
}

const QString kSizeKey = QStringLiteral("Window/ReportSize");

std::optional<QString> askExportPath(QWidget* parent, const QString& proposed) {
    const RememberedFolder folder(QStringLiteral("Report export"));
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("Text files (*.txt)"), QStringLiteral("All Files(*.*)")});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(folder.fileIn(proposed));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    folder.remember(dialog.selectedFiles().constFirst());
    return dialog.selectedFiles().constFirst();
}

}  // namespace

ReportWindow::ReportWindow(const ReportKind& kind, const ReplayDocument& document, const Settings& settings,
                           const ReplayHeader* header, const DriverTable* drivers, double trackLength,
                           QWidget* parent)
    : QDialog(parent),
      kind_(kind),
      document_(document),
      settings_(settings),
      header_(header),
      drivers_(drivers),
      trackLength_(trackLength) {
    setWindowTitle(kind.type == ReportType::SectorTimes ? QStringLiteral("Sector Times")
                                                        : QStringLiteral("Report"));
    chooseExportPath = [this](const QString& proposed) { return askExportPath(this, proposed); };
    showMessage = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };

    title_ = new QLabel(QString::fromLatin1(kind.title));
    textBox_ = new QPlainTextEdit;
    textBox_->setReadOnly(true);
    textBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    textBox_->setFont(fixed);

    auto* close = new QPushButton(QStringLiteral("Close"));
    auto* exportButton = new QPushButton(QStringLiteral("Export to file"));
    auto* printButton = new QPushButton(QStringLiteral("Print"));
    auto* previewButton = new QPushButton(QStringLiteral("Print Preview"));
    connect(close, &QPushButton::clicked, this, &ReportWindow::reject);
    connect(exportButton, &QPushButton::clicked, this, &ReportWindow::exportToFile);
    connect(printButton, &QPushButton::clicked, this, [this] { print(false); });
    connect(previewButton, &QPushButton::clicked, this, [this] { print(true); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {exportButton, printButton, previewButton, close})
        buttons->addWidget(button);
    close->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(textBox_, 1);
    layout->addLayout(buttons);

    // The size the user last gave a report window, else wide enough for the widest reports'
    // columns; within the screen.
    const QFontMetrics metrics(fixed);
    QSize size = userProfile().value(kSizeKey).toSize();
    if (!size.isValid())
        size = QSize(metrics.horizontalAdvance(QString(104, QLatin1Char('0'))), metrics.lineSpacing() * 36);
    if (const QScreen* screen = QApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);

    if (kind.progressive) {
        awaitingGeneration_ = true;
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setReport(generateReport(kind, input()));
    madeWhole_ = true;
    QApplication::restoreOverrideCursor();
}

ReportInput ReportWindow::input() const {
    return {header_,   drivers_, trackLength_, document_.speedUnitMph(), document_.offTheTrackInRaceReport(),
            &document_};
}

ReportWindow::~ReportWindow() {
    stopGeneration();
}

void ReportWindow::setReport(const std::string& text) {
    text_ = text;
    textBox_->setPlainText(displayText(text_));
}

void ReportWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    startProgressiveGeneration();
}

void ReportWindow::done(int result) {
    stopGeneration();
    userProfile().setValue(kSizeKey, size());
    QDialog::done(result);
}

// The worker hands each piece to the window's thread; the window appends it and keeps the end of
// the text in sight, so the user watches the report grow.
void ReportWindow::startProgressiveGeneration() {
    if (!awaitingGeneration_) return;
    awaitingGeneration_ = false;
    setCursor(Qt::BusyCursor);
    worker_ = std::thread([this] {
        const ReportSink sink = [this](const std::string& piece) {
            if (cancelled_) return false;
            QMetaObject::invokeMethod(
                this, [this, piece] { appendPiece(piece); }, Qt::QueuedConnection);
            return true;
        };
        madeWhole_ = kind_.generate(input(), sink);
        QMetaObject::invokeMethod(
            this, [this] { finishGeneration(); }, Qt::QueuedConnection);
    });
}

void ReportWindow::appendPiece(const std::string& piece) {
    if (cancelled_) return;
    text_ += piece;
    textBox_->moveCursor(QTextCursor::End);
    textBox_->insertPlainText(displayText(piece));
    textBox_->moveCursor(QTextCursor::End);
    textBox_->ensureCursorVisible();
}

void ReportWindow::finishGeneration() {
    if (finished_) return;
    finished_ = true;
    unsetCursor();
    Q_EMIT generationFinished();
}

void ReportWindow::stopGeneration() {
    cancelled_ = true;
    if (worker_.joinable()) worker_.join();
    unsetCursor();
}

QString ReportWindow::exportProposal() const {
    if (kind_.type == ReportType::SectorTimes || !header_) {
        const auto folder = replayFolder(settings_.simulatorFolder());
        return QString::fromStdString((folder / defaultExportName(kind_.type, {})).string());
    }
    return QString::fromStdString(defaultExportName(kind_.type, header_->fileName).string());
}

void ReportWindow::exportToFile() {
    const std::optional<QString> chosen = chooseExportPath(exportProposal());
    if (!chosen) return;
    const std::filesystem::path path = withTxtExtension(std::filesystem::path(chosen->toStdString()));
    if (!writeReportFile(path, win1252ToUtf8(text_))) showMessage(QStringLiteral("Error creating file!"));
}

void ReportWindow::print(bool preview) {
    const QString text = fromWin1252(text_);
    printWithDialog(this, preview, [&](QPrinter& printer) {
        if (printReport(printer, text).isEmpty())
            showMessage(QStringLiteral("The report could not be printed."));
    });
}
