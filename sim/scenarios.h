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
const Scenario* find_scenario(const std::string& name);

}  // namespace sim
