#include "library/FoundLap.h"

#include "common/TimeText.h"
#include "replay/ReplayFormat.h"

std::string FoundLap::text(LapColumn column) const {
    switch (column) {
        case LapColumn::Driver:
            return replay->driverNames[static_cast<std::size_t>(lap.driver)];
        case LapColumn::LapTime:
            return formatElapsedTime(lapMs);
        case LapColumn::GameMode:
            return replay->arcadeMode ? "Arcade" : "Simulation";
        case LapColumn::Session:
            return lap.session == kPractice && replay->practiceIsTraining ? "Training"
                                                                          : sessionName(lap.session);
        case LapColumn::FileDate:
            return replay->fileDate;
        case LapColumn::ReplayFile:
            return replay->fileName;
    }
    return {};
}
