// sim/dialog.h: the pilot at the plug-in's dialog, through the host's widgets.
#pragma once

#include "runner.h"
#include "scenarios.h"

namespace sim {

// After the carrier's flight the pilot reads the information page, then
// opens the preferences and presses "  Save and close". The release record
// `record` must then be in the file, where and how fast the carrier let the
// orbiter go; anything else goes into out.missing.
void save_release_through_dialog(Runner& r, int record, Outcome& out);

}  // namespace sim
