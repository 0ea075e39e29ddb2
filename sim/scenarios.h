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
const Scenario* find_scenario(const std::string& name);

}  // namespace sim
