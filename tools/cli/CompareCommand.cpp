#include <charconv>
#include <cmath>
#include <cstdio>

#include "CliArgs.h"
#include "Commands.h"
#include "DocumentLoading.h"
#include "JsonText.h"
#include "common/PathText.h"
#include "common/Text1252.h"
#include "common/TimeText.h"
#include "common/WholeFile.h"
#include "compare/ComparisonCsv.h"
#include "compare/LapComparison.h"
#include "replay/LapChoice.h"

namespace {

constexpr double kDefaultStep = 10;

enum class CompareOutput { Text, Json, Csv, Picture };

// The output the command line asks for; nothing, after saying why, when it asks for two.
std::optional<CompareOutput> chosenOutput(const CliArgs& args, std::ostream& err) {
    std::vector<std::pair<const char*, CompareOutput>> chosen;
    for (const auto& [name, output] :
         {std::pair{"--json", CompareOutput::Json}, {"--csv", CompareOutput::Csv}}) {
        if (args.has(name)) chosen.emplace_back(name, output);
    }
    if (args.value("-o")) chosen.emplace_back("-o", CompareOutput::Picture);
    if (chosen.size() > 1) {
        usageError(err, std::string("give ") + chosen[0].first + " or " + chosen[1].first + ", not both");
        return std::nullopt;
    }
    return chosen.empty() ? CompareOutput::Text : chosen.front().second;
}

// A positive number of metres written in decimal ("10", "0.5"); nothing for anything else.
std::optional<double> parseMetres(const std::string& text) {
    double metres = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, metres, std::chars_format::fixed);
    if (error != std::errc() || at != end || !(metres > 0) || !std::isfinite(metres)) return std::nullopt;
    return metres;
}

// Seconds to a tenth of a millisecond, as the points are given; a delta that rounds to zero is 0,
// not -0.
double roundedSeconds(double seconds) {
    return std::round(seconds * 10000) / 10000 + 0.0;
}

double roundedSpeed(double kmh) {
    return std::round(kmh * 10) / 10;
}

nlohmann::ordered_json optionalNumber(const std::optional<double>& value) {
    return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json();
}

struct NamedLap {
    std::string lap;      // FILE:DRIVER:SESSION:LAP, UTF-8
    std::string caption;  // UTF-8
};

// A lap as the tool takes it, its file name as the other commands show one.
std::string lapText(const LapSpec& spec) {
    return pathText(spec.file) + ":" + std::to_string(spec.lap.driver) + ":" + sessionKey(spec.lap.session) +
           ":" + std::to_string(spec.lap.slot);
}

void writeJson(std::ostream& out, const LapComparison& comparison, const std::vector<NamedLap>& names) {
    // As it is produced: a lap holds a point every few metres.
    const auto writer = jsonWriter(out);
    writer->beginObject();
    writer->field(
        "reference",
        {{"lap", names[0].lap}, {"caption", names[0].caption}, {"lapTime", comparison.laps[0].lapTime}});
    writer->field("step", comparison.step);
    writer->key("laps");
    writer->beginArray();
    for (std::size_t lap = 1; lap < comparison.laps.size(); ++lap) {
        const ComparedLap& compared = comparison.laps[lap];
        writer->beginObject();
        writer->field("lap", names[lap].lap);
        writer->field("caption", names[lap].caption);
        writer->field("lapTime", compared.lapTime);
        writer->field("finishDelta", compared.finishDelta);
        writer->key("points");
        writer->beginArray();
        for (const DeltaPoint& point : compared.points)
            writer->value({point.distance, roundedSeconds(point.delta), roundedSpeed(point.speed)});
        writer->end();
        writer->end();
    }
    writer->end();
    writer->key("sectors");
    writer->beginArray();
    for (const SectorComparison& sector : comparison.sectors) {
        nlohmann::ordered_json times = nlohmann::ordered_json::array(),
                               deltas = nlohmann::ordered_json::array();
        for (std::size_t lap = 0; lap < sector.times.size(); ++lap) {
            times.push_back(optionalNumber(sector.times[lap]));
            deltas.push_back(optionalNumber(sector.deltas[lap]));
        }
        writer->value(
            {{"name", sector.name},
             {"times", times},
             {"deltas", deltas},
             {"best", sector.best ? nlohmann::ordered_json(*sector.best) : nlohmann::ordered_json()}});
    }
    writer->end();
    writer->field("theoreticalBest", optionalNumber(comparison.theoreticalBest));
    writer->end();
}

std::string formatted(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::uint32_t milliseconds(double seconds) {
    return static_cast<std::uint32_t>(std::llround(std::max(seconds, 0.0) * 1000));
}

// The laps, each one's finish delta, the step between points (and the one asked when it was
// widened), the sector table (* marks a sector's best) and the theoretical best.
void writeText(std::ostream& out, const LapComparison& comparison, const std::vector<NamedLap>& names,
               double askedStep) {
    out << "Reference (lap 1): " << names[0].caption << "\n";
    for (std::size_t lap = 1; lap < comparison.laps.size(); ++lap)
        out << "Lap " << lap + 1 << ": " << names[lap].caption << ", "
            << formatted("%+.3f", comparison.laps[lap].finishDelta) << " s at the finish\n";
    out << "Step between points: " << formatted("%.10g", comparison.step) << " m";
    if (comparison.step != askedStep)
        out << " (widened from " << formatted("%.10g", askedStep) << " m: at most " << kMaxPointsPerLap
            << " points a lap)";
    out << "\n";
    const auto cell = [](std::string text) {
        constexpr std::size_t kWidth = 18;
        return text.size() < kWidth ? text + std::string(kWidth - text.size(), ' ') : text + " ";
    };
    std::string head = cell("");
    for (std::size_t lap = 0; lap < comparison.laps.size(); ++lap)
        head += cell("Lap " + std::to_string(lap + 1));
    out << "\n" << head.substr(0, head.find_last_not_of(' ') + 1) << "\n";
    for (const SectorComparison& sector : comparison.sectors) {
        std::string line = cell(sector.name);
        for (std::size_t lap = 0; lap < sector.times.size(); ++lap) {
            std::string text = sector.times[lap] ? formatted("%.3f", *sector.times[lap]) : "-";
            if (lap > 0 && sector.deltas[lap]) text += formatted(" %+.3f", *sector.deltas[lap]);
            if (sector.best == static_cast<int>(lap)) text += " *";
            line += cell(text);
        }
        out << line.substr(0, line.find_last_not_of(' ') + 1) << "\n";
    }
    out << "Theoretical best: "
        << (comparison.theoreticalBest ? formatElapsedTime(milliseconds(*comparison.theoreticalBest))
                                       : std::string("-"))
        << "\n";
}

// Where and by how much laps gain or lose against the first one.
int compare(const CliArgs& args, CliContext& context, const ComparisonImageEncoder& encodeImage) {
    const std::optional<CompareOutput> output = chosenOutput(args, context.err);
    if (!output) return kExitUsage;
    std::pair<int, int> size{1200, 700};
    if (const std::string* sizeText = args.value("--size")) {
        const auto parsed = parsePictureSize(*sizeText);
        if (!parsed) return usageError(context.err, kPictureSizeError);
        size = *parsed;
    }
    if (*output == CompareOutput::Picture && !encodeImage)
        return usageError(context.err, kNoPicturesInThisBuild);
    double step = kDefaultStep;
    if (const std::string* stepText = args.value("--step")) {
        const std::optional<double> metres = parseMetres(*stepText);
        if (!metres) return usageError(context.err, "--step takes a positive number of metres");
        step = *metres;
    }
    if (args.operands.size() < 2 || args.operands.size() > static_cast<std::size_t>(kMaxComparedLaps))
        return usageError(context.err,
                          "compare takes a reference lap and one to four laps as FILE:DRIVER:SESSION:LAP");
    CommandLineDocument loaded(context.err, context.settings);
    if (const int status = loaded.load(args.operands, "compare"); status != kExitOk) return status;

    // Every lap loaded: they fill the first slots in the order given.
    std::vector<int> others;
    std::vector<NamedLap> names;
    std::vector<std::string> captions;  // Windows-1252
    std::vector<std::uint32_t> colours;
    for (int slot = 0; slot < loaded.document().lapCount(); ++slot) {
        const auto index = static_cast<std::size_t>(slot);
        if (slot > 0) others.push_back(slot);
        captions.push_back(fullLapCaption(loaded.document().slots()[index]));
        names.push_back({lapText(loaded.laps()[index]), win1252ToUtf8(captions.back())});
        colours.push_back(
            ReplayDocument::colourTable()[static_cast<std::size_t>(loaded.document().lapColourIndex(slot))]
                .packed());
    }
    const auto compared = compareLoadedLaps(loaded.document(), 0, others, step);
    if (!compared) return failure(context.err, refusalText(compared.error()));
    switch (*output) {
        case CompareOutput::Json:
            writeJson(context.out, compared.value(), names);
            break;
        case CompareOutput::Csv:
            writeComparisonCsv(context.out, compared.value(), captions);
            break;
        case CompareOutput::Text:
            writeText(context.out, compared.value(), names, step);
            break;
        case CompareOutput::Picture: {
            const std::filesystem::path target = pathFromString(*args.value("-o"));
            const std::string png = encodeImage(compared.value(), colours, loaded.document().speedUnitMph(),
                                                size.first, size.second);
            if (png.empty() || !writeWholeFile(target, png, std::ios::binary))
                return failure(context.err, "Error creating file!");
            context.out << pathString(target) << "\n";
            break;
        }
    }
    return kExitOk;
}

}  // namespace

void registerCompareCommand(CliApp& app, ComparisonImageEncoder encodeImage) {
    app.add({"compare",
             "REF LAP ...",
             "load a reference lap and up to four laps (each FILE:DRIVER:SESSION:LAP) as the desktop program "
             "does and tell where, and by how much, each gains or loses against the reference: the time "
             "difference by distance, the finish delta, the split sectors and the theoretical best lap",
             {{"--step", "M", "metres between points (default 10)"},
              kJsonOption,
              {.name = "--csv",
               .value = "",
               .description = "print each lap's time, delta and speed at every point as CSV",
               .orPrevious = true},
              {.name = "-o",
               .value = "COMPARE.png",
               .description =
                   "draw the delta and speed plots, as the desktop program's lap comparison shows them, "
                   "into a PNG picture instead",
               .orPrevious = true},
              {"--size", "WxH", "the picture's size in pixels (default 1200x700)"}},
             [encodeImage](const CliArgs& args, CliContext& context) {
                 return compare(args, context, encodeImage);
             }});
}
