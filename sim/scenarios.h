// sim/scenarios.h: the scripted flights, each with the outcome it expects.
#pragma once

#include <string>
#include <vector>

#include "runner.h"

namespace sim {

struct Outcome {
    std::string summary;                 // one line for a person
    std::vector<std::string> missing;    // what the expected outcome lacked
    bool ok() const { return missing.empty(); }
};

struct Scenario {
    const char* name;
    const char* description;
    Outcome (*fly)(Runner& runner);
};

const std::vector<Scenario>& scenarios();
// Flights in files of their own.
Outcome fly_hyperjet(Runner& runner);
Outcome fly_glider(Runner& runner);
Outcome fly_campaign(Runner& runner);
// The carrier from the hangar to the zoom master at 8,000 ft; false, with the
// reason in out, if it never got that far.
bool carrier_departure(Runner& r, Outcome& out);
void check_phases(const Facts& f, Outcome& out);
void need_speech(const Facts& f, const char* text, Outcome& out);
void check_release_timing(Runner& r, Outcome& out);
const Scenario* find_scenario(const std::string& name);

}  // namespace sim
