#include "reports/FlagReport.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "common/BinaryFile.h"
#include "common/ByteReader.h"
#include "common/TimeText.h"
#include "replay/DriverTable.h"
#include "replay/TelemetryFrames.h"
#include "reports/RaceTimes.h"

namespace {

constexpr std::uint32_t kNoCrossing = 0xFFFFFF;
enum FlagCode : std::uint8_t { kChequered = 1, kWhite = 2, kGreen = 4, kYellow = 8 };

// How this scan steps over a record of each type, from its head: 0 stops the scan. The lap reader
// pads every record to 4 bytes; files written by the simulator agree with both.
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
    FlagScan(const DriverTable& drivers, const ReportSink& sink)
        : drivers_(drivers), sink_(sink), race_(drivers), raceLaps_(race_.mostLaps() + 1) {}

    bool run();

private:
    // Hands a piece to the sink; false once the sink has asked to stop.
    bool say(const std::string& piece) {
        if (!stopped_ && !sink_(piece)) stopped_ = true;
        return !stopped_;
    }
    enum class Walk { Ended, Stopped };
    Walk walk();
    bool onMarker(SessionMarker marker);
    bool onFlag(std::uint8_t change, std::uint8_t code);
    std::uint32_t leaderCrossing(int leaderLap) const;

    const DriverTable& drivers_;
    const ReportSink& sink_;
    const RaceTimes race_;
    const int raceLaps_;  // leader crossings that end the race
    bool stopped_ = false;

    std::uint64_t framesRead_ = 0;
    std::uint32_t now_ = 0;
    bool firstMarkerSeen_ = false;
    bool raceFound_ = false;
    int leaderLap_ = 0;
    std::uint32_t nextCrossing_ = leaderCrossing(0);
    int previousFlag_ = 0;
    int yellows_ = 0;
    int yellowStartLap_ = 0;
    std::uint32_t yellowStart_ = 0;
    int yellowLaps_ = 0;
    std::uint32_t yellowTime_ = 0;
    std::optional<std::uint32_t> raceEnd_;
};

// The leader's next crossing: the smallest time at which a driver with enough laps crossed the line
// for the leader lap's time. It changes only with the leader's lap, so it is kept until then.
std::uint32_t FlagScan::leaderCrossing(int leaderLap) const {
    std::uint32_t best = kNoCrossing;
    if (leaderLap > std::min(raceLaps_, kMaxLaps)) return best;  // past the laps a row holds
    for (int driver = 0; driver < race_.drivers(); ++driver) {
        if (race_.laps(driver) >= leaderLap) best = std::min(best, race_.at(driver, leaderLap));
    }
    return best;
}

bool FlagScan::onMarker(SessionMarker marker) {
    now_ = marker.timeMs;
    int code = marker.code;
    if (!firstMarkerSeen_) {
        firstMarkerSeen_ = true;
        static constexpr const char* kInto[] = {"the practice session.\r\n", "the qualifying session.\r\n",
                                                "the warmup.\r\n", "the race.\r\n"};
        const auto sessionText = drivers_.firstMarkerSession >= 0 && drivers_.firstMarkerSession < 4
                                     ? kInto[drivers_.firstMarkerSession]
                                     : "";
        if (!say("Replay file starts " + formatLapTime(static_cast<std::uint32_t>(framesRead_ * 28 + now_)) +
                 " into " + sessionText)) {
            return false;
        }
    }
    if (drivers_.quickRace) code = quickRaceSession(code);
    if (code >= kRace && !raceFound_) {
        raceFound_ = true;
        if (!say("\r\nRace data found - beginning detection.\r\n\r\n")) return false;
    }
    const std::uint32_t crossing = nextCrossing_;
    if (raceFound_ && crossing < now_) {
        nextCrossing_ = leaderCrossing(++leaderLap_);
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
    if (!file.open(drivers_.fileName)) {
        say("Error opening file!\r\n");
        return Walk::Stopped;
    }
    const auto end = telemetryEnd(file, drivers_.telemetryOffset);
    if (!end) return Walk::Stopped;
    FrameStream frames(file, drivers_.telemetryOffset + kChunkHeadSize, *end);
    std::span<const std::uint8_t> frame;
    for (;;) {
        const FrameStream::Next next = frames.next(frame);
        if (next == FrameStream::Next::End) return Walk::Ended;
        if (next == FrameStream::Next::Damaged) return Walk::Stopped;
        ++framesRead_;
        for (std::size_t at = kFrameHeadSize, step = 0; at < frame.size(); at += step) {
            ByteReader record(frame.subspan(at));  // the record and the rest of the frame
            // A head cut off by the frame's end reads as 0: type 0 stops the scan.
            const std::uint32_t head = record.u32();
            const auto type = static_cast<std::uint16_t>(head), size = static_cast<std::uint16_t>(head >> 16);
            step = recordStep(type, size);
            if (step == 0 || size == 0) return Walk::Stopped;
            if (type == kSessionMarkerRecord) {
                const SessionMarker marker = decodeSessionMarker(record.u32());
                if (!record.ok() || !onMarker(marker)) return Walk::Stopped;
            } else if (type == kFlagRecord) {
                const std::uint8_t change = record.u8();
                record.skip(3);
                const std::uint8_t code = record.u8();
                if (!record.ok() || !onFlag(change, code)) return Walk::Stopped;
            }
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
