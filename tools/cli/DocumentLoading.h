#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "document/ReplayDocument.h"
#include "replay/LapChoice.h"

// Laps given on the command line as FILE:DRIVER:SESSION:LAP, loaded into a document as the Lap
// Finder loads them: no dialogs, no quality reports, and what the document tells goes to standard
// error after "vxra: ".
class CommandLineDocument {
public:
    CommandLineDocument(std::ostream& err, const Settings& settings);

    // Loads each lap in turn. kExitOk when every lap loaded; kExitUsage (after saying why) when a
    // spec is malformed; kExitFailure when a lap did not load, after the document's own messages.
    int load(const std::vector<std::string>& specs, const std::string& command);
    ReplayDocument& document() { return document_; }
    // The laps as parsed from the command line, in the order given.
    const std::vector<LapSpec>& laps() const { return laps_; }

private:
    class Ui : public DocumentUi {
    public:
        explicit Ui(std::ostream& err) : err_(err) {}
        std::optional<std::filesystem::path> chooseReplayFile(const std::string&, const std::string&,
                                                              const std::filesystem::path&) override {
            return std::nullopt;
        }
        std::optional<LapChoice> chooseLap(const ReplayHeader&, const DriverTable&) override {
            return std::nullopt;
        }
        void message(const std::string& text) override;
        // The file of the lap being loaded, whose name in a message gets the system's reason.
        std::filesystem::path file;
        void information(const std::string& text) override { message(text); }
        void qualityReport(const std::string&) override {}

    private:
        std::ostream& err_;
    };

    std::ostream& err_;
    Ui ui_;
    ReplayDocument document_;
    std::vector<LapSpec> laps_;
};
