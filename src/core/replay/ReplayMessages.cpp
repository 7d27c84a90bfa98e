#include "replay/ReplayMessages.h"

const char* failureMessage(HeaderError) {
    return "HeaderClass: Error reading file!";
}
const char* failureMessage(DriverTableError) {
    return "DriversClass: Error reading file!";
}
const char* failureMessage(LapReadError) {
    return "RpyDataClass: Error reading file!";
}

const char* failureReason(HeaderError error) {
    switch (error) {
        case HeaderError::CannotOpen:
            return "the file cannot be opened";
        case HeaderError::NotAReplay:
            return "the file is not a replay: its signature is wrong or it is shorter than a replay's head";
    }
    return "unknown failure";
}

const char* failureReason(DriverTableError error) {
    switch (error) {
        case DriverTableError::CannotOpen:
            return "the file cannot be opened";
        case DriverTableError::TooManyDrivers:
            return "more drivers than a replay can hold";
        case DriverTableError::DamagedStructure:
            return "a length, count or offset does not fit the file";
        case DriverTableError::InvalidRecordType:
            return "the telemetry holds a record of an invalid type";
        case DriverTableError::DamagedTelemetry:
            return "a telemetry frame or record does not fit";
        case DriverTableError::Cancelled:
            return "the read was cancelled";
    }
    return "unknown failure";
}

const char* failureReason(LapReadError error) {
    switch (error) {
        case LapReadError::CannotOpen:
            return "the file cannot be opened";
        case LapReadError::InvalidRecord:
            return "the telemetry holds an invalid or damaged record";
        case LapReadError::NotSelectable:
            return "the lap is not selectable";
        case LapReadError::FramesNotFound:
            return "the lap's frames were not found";
        case LapReadError::NoLineCrossing:
            return "the samples hold no start/finish line crossing at both ends of the lap";
    }
    return "unknown failure";
}
