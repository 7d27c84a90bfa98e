#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <thread>

#include "FileBytes.h"
#include "MainWindowTestBase.h"
#include "TempDir.h"
#include "desktop/app/CommandTable.h"
#include "desktop/app/MainWindow.h"
#include "desktop/reports/ReportFileChoiceDialog.h"
#include "desktop/reports/ReportPrinting.h"
#include "desktop/reports/ReportWindow.h"
#include "replay/ReplayFormat.h"
#include "reports/ReportRegistry.h"
#include "settings/Settings.h"

namespace {

namespace fs = std::filesystem;

// The main window with scripted dialogs: each report window opened is recorded and closed at once.
class ReportWindowTest : public MainWindowTestBase {
protected:
    void SetUp() override {
        MainWindowTestBase::SetUp();
        dialogs_.message = [this](const QString& text, MainWindowDialogs::MessageKind) {
            events_.push_back("message: " + text);
        };
        dialogs_.reportFile = [this](const QStringList& labels) {
            events_.push_back("choose: " + labels.join(" | "));
            return choice_;
        };
        dialogs_.yesNo = [this](const QString& question) {
            events_.push_back("ask: " + question);
            return answer_;
        };
        dialogs_.replayFile = [this](const QString&) {
            events_.push_back("open dialog");
            return reportOnly_;
        };
        dialogs_.onWindow<ReportWindow>([this](ReportWindow& window) {
            events_.push_back("report: " + window.titleLabel()->text());
            shownText_ = window.reportText();
        });
    }
    std::string reportOn(const std::string& name, ReportType type) const {
        ReplayHeader header;
        DriverTable drivers;
        EXPECT_TRUE(header.read(replay(name)) && drivers.read(replay(name)));
        const TrackLength length = readTrackLength(sim_->path(), header.trackName);
        return generateReport(type, {&header, &drivers, length.metres, false, false});
    }
    QStringList events_;
    std::optional<int> choice_;
    bool answer_ = false;
    std::optional<fs::path> reportOnly_;
    std::string shownText_;
};

const std::string kWeekend = "Rivaldi weekend (saved in race).rpy";
const std::string kQuickRace = "Rivaldi quick race.rpy";

TEST_F(ReportWindowTest, WithoutALoadedLapTheReportCanUseAFileReadForItAloneAndTellsWhenItCannotBeRead) {
    frame_->runCommand(ID_REPORT_SECTOR_TIMES);
    EXPECT_EQ(events_, QStringList({"message: No replay lap loaded!"})) << "sector times need a loaded lap";
    events_.clear();
    EXPECT_TRUE(frame_->action(ID_REPORT_RACE)->isEnabled());
    frame_->runCommand(ID_REPORT_RACE);
    EXPECT_EQ(events_,
              QStringList({"message: No replay lap loaded!",
                           "ask: Do you wish to choose a replay file to be used in the report only?"}));

    events_.clear();
    answer_ = true;
    frame_->runCommand(ID_REPORT_RACE);
    EXPECT_EQ(events_.last(), "open dialog") << "cancelling the open dialog ends the command";

    events_.clear();
    reportOnly_ = replay(kQuickRace);
    frame_->runCommand(ID_REPORT_RACE);
    EXPECT_EQ(events_.last(), "report: Race Report");
    EXPECT_EQ(shownText_, reportOn(kQuickRace, ReportType::Race));
    EXPECT_EQ(frame_->document().lapCount(), 0) << "the document's laps are not touched";
    EXPECT_FALSE(frame_->document().trackLoaded());

    // A report-only file that cannot be read is told.
    events_.clear();
    reportOnly_ = replay("Damaged signature.rpy");
    frame_->runCommand(ID_REPORT_QUALIFYING);
    EXPECT_EQ(events_.mid(2), QStringList({"open dialog", "message: HeaderClass: Error reading file!",
                                           "message: " + QString::fromStdString(reportOnly_->string())}));

    events_.clear();
    reportOnly_ = replay("Phantom Ring practice (track not installed).rpy");
    frame_->runCommand(ID_REPORT_PRACTICE);
    ASSERT_EQ(events_.size(), 5);
    EXPECT_TRUE(events_[3].startsWith("message: Track.ini or entire track seems to be missing"))
        << events_[3].toStdString();
    EXPECT_EQ(events_[4], "report: Practice Report") << "the report still opens, with speeds of a length 0";
}

TEST_F(ReportWindowTest, LapsOfOneFileUseItWithoutAskingAndOfTwoFilesAskWhichListingEachOnce) {
    addLap(kWeekend);
    nextLap_ = LapChoice{0, kRace, 3};
    addLap(kWeekend);
    ASSERT_EQ(frame_->document().lapCount(), 2);
    frame_->runCommand(ID_REPORT_LAP_CHART);
    EXPECT_EQ(events_, QStringList({"report: Lap Chart"}));
    EXPECT_EQ(shownText_, reportOn(kWeekend, ReportType::LapChart));
    events_.clear();
    frame_->runCommand(ID_REPORT_SECTOR_TIMES);
    EXPECT_EQ(events_, QStringList({"report: Sector Times"}));

    events_.clear();
    addLap(kQuickRace);
    ASSERT_EQ(frame_->document().lapCount(), 3);
    const QString choose =
        "choose: \"Rivaldi weekend (saved in race)\" - Marco Tanaka | "
        "\"Rivaldi quick race\" - Marco Tanaka";

    choice_ = 1;
    frame_->runCommand(ID_REPORT_RACE_SETTINGS);
    EXPECT_EQ(events_, QStringList({choose, "report: Race Settings Etc"}));
    EXPECT_EQ(shownText_, reportOn(kQuickRace, ReportType::RaceSettings));

    events_.clear();
    choice_.reset();
    frame_->runCommand(ID_REPORT_RACE_SETTINGS);
    EXPECT_EQ(
        events_,
        QStringList({choose, "ask: Do you wish to choose a replay file to be used in the report only?"}));
}

TEST_F(ReportWindowTest, TheChoiceDialogKeepsAClickedChoiceOnCancel) {
    ReportFileChoiceDialog dialog({"\"a\" - X Y", "\"b\" - X Y"});
    EXPECT_EQ(dialog.windowTitle(), "Reports only based on one file - choose which to use");
    for (int i = 0; i < ReportFileChoiceDialog::maxChoices; ++i)
        EXPECT_EQ(std::pair(dialog.radio(i)->isHidden(), dialog.radio(i)->isEnabled()),
                  std::pair(i >= 2, i < 2))
            << i;
    QStringList messages;
    dialog.showMessage = [&](const QString& text) { messages.append(text); };

    dialog.accept();
    EXPECT_EQ(messages, QStringList({"Choose file to base the report on!"}));
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << "OK with nothing chosen keeps the dialog open";
    EXPECT_EQ(dialog.chosenIndex(), std::nullopt);

    dialog.radio(1)->click();
    dialog.reject();
    EXPECT_EQ(dialog.chosenIndex(), 1);
}

// Runs a progressively made report in a shown window to its end.
void generateShown(ReportWindow& window) {
    QSignalSpy finished(&window, &ReportWindow::generationFinished);
    window.show();
    ASSERT_TRUE(finished.wait(60000));
}

TEST_F(ReportWindowTest, ProgressiveReportsLeftAloneGrowToTheWholeText) {
    addLap(kWeekend);
    addLap(kQuickRace);
    const ReplayDocument& document = frame_->document();

    ReportWindow sectors(ReportType::SectorTimes, document, settings_, nullptr, nullptr, 0);
    EXPECT_EQ(sectors.windowTitle(), "Sector Times");
    EXPECT_TRUE(sectors.reportText().empty()) << "made only once the window shows";
    generateShown(sectors);
    EXPECT_EQ(sectors.reportText(),
              generateReport(ReportType::SectorTimes, {nullptr, nullptr, 0, false, false, &document}));

    const ReplayDocument::Slot& lap = document.slots()[0];
    ReportWindow flags(ReportType::Flags, document, settings_, lap.header.get(), lap.drivers.get(), 0);
    EXPECT_EQ(flags.windowTitle(), "Report");
    EXPECT_EQ(flags.titleLabel()->text(), "Flag report");
    generateShown(flags);
    EXPECT_TRUE(flags.madeWhole()) << "left alone, the report runs to its end";
    EXPECT_FALSE(flags.generating());
    const std::string whole = generateReport(ReportType::Flags, {lap.header.get(), lap.drivers.get()});
    EXPECT_EQ(flags.reportText(), whole);
    QString shown = QString::fromStdString(whole);
    shown.remove('\r');
    EXPECT_EQ(flags.textBox()->toPlainText(), shown);
}

// A progressive report that hands on one piece, then goes on until the window stops it.
bool endlessReport(const ReportInput&, const ReportSink& sink) {
    if (!sink("first piece\r\n")) return false;
    while (sink(""))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return false;
}

TEST_F(ReportWindowTest, ClosingStopsAProgressiveReport) {
    ReportKind endless = reportKind(ReportType::Flags);
    endless.generate = endlessReport;
    ReportWindow window(endless, frame_->document(), settings_, nullptr, nullptr, 0);
    window.show();
    for (int waited = 0; window.reportText().empty() && waited < 60000; waited += 5)
        QTest::qWait(5);
    ASSERT_EQ(window.reportText(), "first piece\r\n");
    EXPECT_TRUE(window.generating());
    window.reject();
    EXPECT_FALSE(window.generating());
    EXPECT_FALSE(window.madeWhole()) << "Close stopped the report before its end";
    QCoreApplication::processEvents();
    EXPECT_EQ(window.reportText(), "first piece\r\n") << "pieces still queued at Close are dropped";
}

TEST_F(ReportWindowTest, AReportWindowOpensAtTheSizeTheLastOneWasLeft) {
    addLap(kWeekend);
    const ReplayDocument::Slot& lap = frame_->document().slots()[0];
    const auto open = [&] {
        return std::make_unique<ReportWindow>(ReportType::Race, frame_->document(), settings_,
                                              lap.header.get(), lap.drivers.get(), 0);
    };
    const auto first = open();
    const QSize initial = first->size();
    first->resize(initial.width() - 100, initial.height() - 50);
    first->reject();
    EXPECT_EQ(open()->size(), QSize(initial.width() - 100, initial.height() - 50));
}

TEST_F(ReportWindowTest, ExportProposesTheReportsNameAndWritesTheWholeText) {
    addLap(kWeekend);
    const ReplayDocument::Slot& lap = frame_->document().slots()[0];
    TempDir out;
    ReportWindow race(ReportType::Race, frame_->document(), settings_, lap.header.get(), lap.drivers.get(),
                      0);
    QStringList proposed;
    fs::path answer = out.path() / "report";
    race.chooseExportPath = [&](const QString& name) {
        proposed.append(name);
        return std::optional(QString::fromStdString(answer.string()));
    };
    QStringList messages;
    race.showMessage = [&](const QString& text) { messages.append(text); };

    race.exportToFile();
    EXPECT_EQ(proposed, QStringList({QString::fromStdString(
                            (sim_->path() / "replay/Rivaldi weekend (saved in race)_Race.txt").string())}));
    const std::vector<std::uint8_t> written = fileBytes(out.path() / "report.txt");
    std::string expected = race.reportText();
    for (std::size_t at = 0; (at = expected.find("\r\n", at)) != std::string::npos;)
        expected.erase(at, 1);
    EXPECT_EQ(std::string(written.begin(), written.end()), expected);

    answer = out.path() / "report.TXT";
    race.exportToFile();
    EXPECT_TRUE(fs::exists(out.path() / "report.TXT"));
    EXPECT_FALSE(fs::exists(out.path() / "report.TXT.txt"));

    answer = out.path() / "missing folder" / "report.txt";
    race.exportToFile();
    EXPECT_EQ(messages, QStringList({"Error creating file!"}));
    EXPECT_FALSE(fs::exists(answer));

    ReportWindow sectors(ReportType::SectorTimes, frame_->document(), settings_, nullptr, nullptr, 0);
    sectors.chooseExportPath = [&](const QString& name) {
        proposed.append(name);
        return std::optional<QString>();
    };
    sectors.exportToFile();
    EXPECT_EQ(proposed.last(),
              QString::fromStdString((sim_->path() / "replay" / "SectorTimes.txt").string()));
}

TEST(ReportPagination, EveryCharacterLandsOnExactlyOnePage) {
    QString text;
    for (int line = 0; line < 23; ++line)
        text += QString(line % 7 * 5, 'x') + "\n";
    // At most four lines of 20 characters, wrapped.
    const auto fits = [](const QString& piece) {
        int lines = 0;
        for (const QString& line : piece.split('\n'))
            lines += std::max(1, static_cast<int>((line.size() + 19) / 20));
        return lines <= 4;
    };
    const QStringList pages = paginateReport(text, 5, fits);
    EXPECT_EQ(pages.join(QString()), text);
    for (qsizetype i = 0; i + 1 < pages.size(); ++i) {
        EXPECT_TRUE(pages[i].endsWith('\n')) << "page " << i << " ends after a whole line";
        EXPECT_TRUE(fits(pages[i].chopped(1))) << i;
    }
    EXPECT_EQ(paginateReport(QString(500, 'y'), 5, fits).join(QString()), QString(500, 'y'))
        << "a line too long for a page is cut, and every page advances";
}

TEST(ReportPagination, PrintingToPdfPrintsTheWholeTextOnPages) {
    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath("report.pdf"));
    QString report;
    for (int line = 1; line <= 200; ++line)
        report += QString("Lap %1\tDriver with a long name   1m2%2.345s\r\n").arg(line).arg(line % 10);

    const QStringList pages = printReport(printer, report);
    ASSERT_GE(pages.size(), 3);
    QString expected = "\n\n" + report;
    expected.remove('\r');
    EXPECT_EQ(pages.join(QString()), expected);

    QFile pdf(folder.filePath("report.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n"), pages.size());
}

}  // namespace
