#pragma once

// One lap of a replay: a driver's index in the driver table, a session code and a lap slot.
struct LapChoice {
    int driver;
    int session;
    int slot;
};
