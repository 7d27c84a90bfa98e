#include "reports/FlagReport.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "common/BinaryFile.h"
#include "common/ByteReader.h"
#include "common/TimeText.h"
#include "replay/DriverTable.h"
#include "replay/TelemetryFrames.h"

namespace {

constexpr std::uint32_t kNoCrossing = 0xFFFFFF;
enum FlagCode : std::uint8_t { kChequered = 1, kWhite = 2, kGreen = 4, kYellow = 8 };

// How this scan steps over a record of each type, from its head: 0 stops the scan.
std::size_t recordStep(std::uint16_t type, std::uint16_t size) {
    switch (type) {
        case 1:
        case 2:
        case 3:
        case 4:
        case 6:
        case 10:
        case 11:
        case 12:
        case 13:
            return size;
        case 8:
            return static_cast<std::size_t>(size) + 2;
        case 5:
        case 9:
        case 14:
        case 15:
        case 16:
        case 17:
        case 18:
            return paddedRecordSize(size);
        default:
            return 0;  // 0, 7 and above 18
    }
}

class FlagScan {
public:
    FlagScan(const DriverTable& drivers, const ReportSink& sink) : d_(drivers), sink_(sink) {
        const int n = std::min<int>(d_.driverCount, kMaxDrivers);
        int most = 0;
        for (int i = 0; i < n; ++i)
            most = std::max(most, d_.lapCount[kRace][static_cast<std::size_t>(i)]);
        raceLaps_ = most + 1;
        // Cumulative crossing times; they stop at the 500 laps a row holds.
        const int kept = std::min(raceLaps_, kMaxLaps);
        cum_.assign(static_cast<std::size_t>(n),
                    std::vector<std::uint32_t>(static_cast<std::size_t>(kept) + 1));
        for (int i = 0; i < n; ++i) {
            std::uint32_t sum = 0;
            for (int L = 0; L <= kept; ++L) {
                sum += lapDuration(d_.laps[kRace][static_cast<std::size_t>(i)][static_cast<std::size_t>(L)]);
                cum_[static_cast<std::size_t>(i)][static_cast<std::size_t>(L)] = sum;
            }
        }
    }

    bool run();

private:
    // Hands a piece to the sink; false once the sink has asked to stop.
    bool say(const std::string& piece) {
        if (!stopped_ && !sink_(piece)) stopped_ = true;
        return !stopped_;
    }
    enum class Walk { Ended, Stopped };
    Walk walk();
    bool onMarker(std::uint32_t value);
    bool onFlag(std::uint8_t change, std::uint8_t code);
    std::uint32_t leaderCrossing() const;

    const DriverTable& d_;
    const ReportSink& sink_;
    bool stopped_ = false;
    int raceLaps_ = 0;  // R: leader crossings that end the race
    std::vector<std::vector<std::uint32_t>> cum_;

    std::uint64_t framesRead_ = 0;
    std::uint32_t now_ = 0;
    bool firstMarkerSeen_ = false;
    bool raceFound_ = false;
    int leaderLap_ = 0;
    int previousFlag_ = 0;
    int yellows_ = 0;
    int yellowStartLap_ = 0;
    std::uint32_t yellowStart_ = 0;
    int yellowLaps_ = 0;
    std::uint32_t yellowTime_ = 0;
    std::optional<std::uint32_t> raceEnd_;
};

// The leader's next crossing: the smallest time at which a driver with enough laps crossed the line
// for the leader lap's time.
std::uint32_t FlagScan::leaderCrossing() const {
    std::uint32_t best = kNoCrossing;
    if (leaderLap_ >= static_cast<int>(cum_.empty() ? 0 : cum_.front().size())) return best;
    for (std::size_t i = 0; i < cum_.size(); ++i) {
        if (d_.lapCount[kRace][i] >= leaderLap_)
            best = std::min(best, cum_[i][static_cast<std::size_t>(leaderLap_)]);
    }
    return best;
}

bool FlagScan::onMarker(std::uint32_t value) {
    now_ = (value >> 8) * 10;
    int code = static_cast<int>(value & 3);
    if (!firstMarkerSeen_) {
        firstMarkerSeen_ = true;
        static constexpr const char* kInto[] = {"the practice session.\r\n", "the qualifying session.\r\n",
                                                "the warmup.\r\n", "the race.\r\n"};
        const auto sessionText =
            d_.firstMarkerSession >= 0 && d_.firstMarkerSession < 4 ? kInto[d_.firstMarkerSession] : "";
        if (!say("Replay file starts " + formatLapTime(static_cast<std::uint32_t>(framesRead_ * 28 + now_)) +
                 " into " + sessionText)) {
            return false;
        }
    }
    if (d_.quickRace) code = quickRaceSession(code);
    if (code >= kRace && !raceFound_) {
        raceFound_ = true;
        if (!say("\r\nRace data found - beginning detection.\r\n\r\n")) return false;
    }
    const std::uint32_t crossing = leaderCrossing();
    if (raceFound_ && crossing < now_) {
        ++leaderLap_;
        std::string piece = "\r\n";
        if (leaderLap_ != raceLaps_) {
            piece += "Leader of the race starts lap " + std::to_string(leaderLap_);
        } else {
            piece +=
                "The winner of the race crosses the finish line.\r\n(Assuming replay covers the end of the "
                "race)";
            raceEnd_ = crossing;
        }
        return say(piece + "\r\n");
    }
    return true;
}

bool FlagScan::onFlag(std::uint8_t change, std::uint8_t code) {
    if (change != 1 || !raceFound_ || code == previousFlag_) return true;
    std::string piece;
    switch (code) {
        case kChequered:
            piece = "\r\nThe chequered flag is being waved\r\n";
            break;
        case kWhite:
            piece = "\r\nThe leader sees the white flag\r\n";
            break;
        case kGreen:
            piece = "\r\nGreen flag\r\n";
            if (previousFlag_ == kYellow) {
                const int laps = leaderLap_ - yellowStartLap_;
                const std::uint32_t time = now_ - yellowStart_;
                piece += "\r\nYellow flag statistics\r\nStarted on lap: " + std::to_string(yellowStartLap_) +
                         "\r\nEnded on lap: " + std::to_string(leaderLap_) +
                         "\r\nLaps of yellow: " + std::to_string(laps) +
                         "\r\nTime of yellow: " + formatLapTime(time) + "\r\n";
                yellowLaps_ += laps;
                yellowTime_ += time;
            }
            break;
        case kYellow:
            piece = "\r\nYellow flag\r\n";
            if (leaderLap_ < raceLaps_) {
                yellowStartLap_ = leaderLap_;
                ++yellows_;
                yellowStart_ = now_;
            } else {
                piece += "(As this yellow is after race is finished it will not be counted)\r\n";
            }
            break;
        default:
            piece = "\r\nUnknown flag! Please contact us about this.\r\n";
    }
    previousFlag_ = code;
    return say(piece);
}

// Walks the frames and their records by this scan's own stepping table. A record type it does not
// know stops it where it stands, and so does damage: a frame shorter than its head, a record of
// size 0, or a record running past the end.
FlagScan::Walk FlagScan::walk() {
    BinaryFile file;
    if (!file.open(d_.fileName)) {
        say("Error opening file!\r\n");
        return Walk::Stopped;
    }
    std::uint8_t lengthBytes[4];
    if (!file.readAt(d_.telemetryOffset + 8, lengthBytes)) return Walk::Stopped;
    FrameStream frames(file, d_.telemetryOffset + kChunkHeadSize,
                       d_.telemetryOffset + kChunkHeadSize + loadU32(lengthBytes));
    std::span<const std::uint8_t> frame;
    for (;;) {
        const FrameStream::Next next = frames.next(frame);
        if (next == FrameStream::Next::End) return Walk::Ended;
        if (next == FrameStream::Next::Damaged) return Walk::Stopped;
        ++framesRead_;
        for (std::size_t at = kFrameHeadSize; at < frame.size();) {
            if (frame.size() - at < kRecordHeadSize) return Walk::Stopped;
            const std::uint16_t type = loadU16(&frame[at]);
            const std::uint16_t size = loadU16(&frame[at + 2]);
            const std::size_t step = recordStep(type, size);
            if (step == 0 || size == 0) return Walk::Stopped;
            if (type == 13 || type == 9) {
                const std::size_t payload =
                    type == 13 ? 4 : 5;  // the marker's value; the flag's bytes 0 and 4
                if (frame.size() - at < kRecordHeadSize + payload) return Walk::Stopped;
                const bool going =
                    type == 13 ? onMarker(loadU32(&frame[at + 4])) : onFlag(frame[at + 4], frame[at + 8]);
                if (!going) return Walk::Stopped;
            }
            at += step;
        }
    }
}

bool FlagScan::run() {
    if (!say("\r\nRACE - FLAG REPORT\r\n\r\n") ||
        !say("Starting scan of replay file(this might take a while)...\r\n") ||
        !say("\r\nSearching for race data...\r\n\r\n")) {
        return false;
    }
    if (walk() == Walk::Stopped) return !stopped_;
    std::string summary =
        "\r\nSummary of yellow flag statistics:\r\nNumber of yellows: " + std::to_string(yellows_) +
        "\r\nNumber of yellow flag laps: " + std::to_string(yellowLaps_) +
        "\r\nPercentage of racelaps run under yellow: " +
        formatPercent(static_cast<double>(yellowLaps_) / raceLaps_ * 100) +
        "\r\nTotal time run under yellow: " + formatLapTime(yellowTime_) +
        "\r\nPercentage of racetime run under yellow: ";
    // The winner's crossing may lie beyond the end of the replay: then the share is not known.
    summary += raceEnd_ && *raceEnd_ > 0 ? formatPercent(static_cast<double>(yellowTime_) / *raceEnd_ * 100)
                                         : std::string("unknown (the replay ends before the race does)");
    summary +=
        "\r\n\r\nEnd of replay file found - stopping detection.\r\n\r\nGenerated with VELTRA4 Replay "
        "Analyser\r\n";
    return say(summary);
}

}  // namespace

bool flagReport(const DriverTable& drivers, const ReportSink& sink) {
    if (!drivers.sessionPresent[kRace]) return sink("This replay file does not contain race data.");
    return FlagScan(drivers, sink).run();
}

std::string flagReportText(const DriverTable& drivers) {
    std::string text;
    flagReport(drivers, [&](const std::string& piece) {
        text += piece;
        return true;
    });
    return text;
}
