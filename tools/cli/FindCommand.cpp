#include <algorithm>

#include "CliArgs.h"
#include "Commands.h"
#include "JsonText.h"
#include "Version.h"
#include "common/PathText.h"
#include "common/SimulatorFolders.h"
#include "library/InstalledTracks.h"
#include "library/LapFinderScan.h"
#include "library/LapSorting.h"

namespace {

std::optional<LapFilter> filterFromKey(const std::string& key) {
    if (key == "all") return LapFilter::AllLaps;
    if (key == "no-ai") return LapFilter::NoAiLaps;
    if (key == "local") return LapFilter::OwnerLapsOnly;
    return std::nullopt;
}

// Characters of a UTF-8 text, for aligning columns.
std::size_t displayWidth(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void printTable(std::ostream& out, const std::vector<const FoundLap*>& rows) {
    std::array<std::size_t, kLapColumnCount> widths{};
    for (std::size_t c = 0; c < kLapColumnCount; ++c) {
        widths[c] = displayWidth(kLapColumnTitles[c]);
        for (const FoundLap* row : rows)
            widths[c] = std::max(widths[c], displayWidth(row->text(static_cast<LapColumn>(c))));
    }
    std::string text;  // one line, its room kept from line to line
    const auto line = [&](const auto& cellOf) {
        text.clear();
        for (std::size_t c = 0; c < kLapColumnCount; ++c) {
            const std::string cell = cellOf(c);
            text += cell;
            if (c + 1 < kLapColumnCount) text.append(widths[c] - displayWidth(cell) + 2, ' ');
        }
        text += '\n';
        out << text;
    };
    line([](std::size_t c) { return std::string(kLapColumnTitles[c]); });
    for (const FoundLap* row : rows)
        line([row](std::size_t c) { return row->text(static_cast<LapColumn>(c)); });
    out << "Number of laps in table: " << rows.size() << "\n";
}

// The Lap Finder's list for a track.
int find(const CliArgs& args, CliContext& context) {
    if (args.operands.size() != 1) return usageError(context.err, "find takes one track");
    const std::string* filterKey = args.value("--filter");
    const std::optional<LapFilter> filter = filterFromKey(filterKey ? *filterKey : "all");
    if (!filter) return usageError(context.err, "--filter takes all, no-ai or local");
    const std::string* orderKey = args.value("--sort");
    const std::optional<LapOrder> order = lapOrderFromKey(orderKey ? *orderKey : "unsorted");
    if (!order)
        return usageError(context.err,
                          "--sort takes unsorted, driver, laptime, gamemode, session, filedate or file");

    const std::filesystem::path simulator = context.settings.simulatorFolder();
    const std::vector<std::string> tracks = installedTracks(simulator);
    const auto track = std::find_if(tracks.begin(), tracks.end(), [&](const std::string& name) {
        return entryNameKey(name) == entryNameKey(args.operands[0]);
    });
    if (track == tracks.end()) {
        std::string installed;
        for (const std::string& name : tracks)
            installed += (installed.empty() ? "" : ", ") + nameText(name);
        return failure(context.err, "no track \"" + args.operands[0] + "\" in " +
                                        pathString(tracksFolder(simulator)) +
                                        " (installed: " + (installed.empty() ? "none" : installed) + ")");
    }

    FoundLaps found = findLaps({simulator, context.settings.alternativeReplayFolder(), *track, *filter});
    // The rows stay where the scan put them; only their order is made.
    std::vector<const FoundLap*> rows;
    rows.reserve(found.laps.size());
    for (const std::size_t position : sortedPositions(found.laps, *order))
        rows.push_back(&found.laps[position]);
    for (ScanMessage& message : found.messages) {
        if (message.caption.empty()) message.caption = kProductName;
    }

    if (!args.has(kJsonOption.name)) {
        for (const ScanMessage& message : found.messages)
            context.err << "vxra: " << message.caption << ": " << message.text << "\n";
        printTable(context.out, rows);
        return kExitOk;
    }
    // Row by row: a folder of many replays gives tens of thousands of rows.
    const auto writer = jsonWriter(context.out);
    writer->beginObject();
    writer->field("track", nameText(*track));
    writer->field("count", std::to_string(rows.size()));
    writer->key("rows");
    writer->beginArray();
    // Rows of one replay mostly follow each other: its path's text is made once for them.
    const FoundReplay* replayOfPath = nullptr;
    std::string path;
    for (const FoundLap* row : rows) {
        if (row->replay.get() != replayOfPath) {
            replayOfPath = row->replay.get();
            path = pathText(row->path());
        }
        writer->beginObject();
        writer->key("columns");
        writer->beginArray();
        for (std::size_t c = 0; c < kLapColumnCount; ++c)
            writer->text(row->text(static_cast<LapColumn>(c)));
        writer->end();
        writer->textField("path", path);
        writer->numberField("driver", row->lap.driver);
        writer->textField("session", sessionKey(row->lap.session));
        writer->numberField("lap", row->lap.slot);
        writer->end();
    }
    writer->end();
    writer->key("messages");
    writer->beginArray();
    for (const ScanMessage& message : found.messages)
        writer->value({{"caption", message.caption}, {"text", message.text}});
    writer->end();
    writer->end();
    return kExitOk;
}

}  // namespace

void registerFindCommand(CliApp& app) {
    app.add({"find",
             "TRACK",
             "list every loadable lap of a track in the replay folder and the alternative replay folder "
             "(AltRpyPath), as the Lap Finder does",
             {{"--filter", "FILTER",
               "all (default), no-ai: no AI cars' laps, local: only the replay owners' laps"},
              {"--sort", "ORDER", "unsorted (default), driver, laptime, gamemode, session, filedate or file"},
              kJsonOption},
             find});
}
