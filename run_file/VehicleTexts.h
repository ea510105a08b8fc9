#pragma once
// The vehicle data as texts: what a load shows, what a user edits and what a
// save stores, one member per value.
#include <string>

namespace Stuff {

// The committed texts of the window's value labels and notes box.
struct VehicleTexts {
    std::string runName;
    std::string vehicleName;
    std::string weight;
    std::string redline;
    std::string shiftPoint;
    std::string rollout;
    std::string pitch;  // not looked at before version 2.0
    std::string notes;  // lines separated by CR LF
};

}  // namespace Stuff
