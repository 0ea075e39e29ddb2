// sim/dialog.h: the pilot at the plug-in's dialog, through the host's widgets.
#pragma once

#include "runner.h"
#include "scenarios.h"

namespace sim {

// After the carrier's flight the pilot reads the information page (when
// `about`), then opens the preferences and presses "  Save and close". The
// page must open on the release record `record` with the release's heading,
// pitch and speed, and that record must then be in the file, where and how
// fast the carrier let the orbiter go; anything else goes into out.missing.
void save_release_through_dialog(Runner& r, int record, Outcome& out, bool about = true);

// The pilot steps with "DOWN" to record `record` and presses "  Save and
// close": the next orbiter starts there, in this run and after a restart.
void choose_record_through_dialog(Runner& r, int record, Outcome& out);

// Heading, pitch and roll in degrees of an attitude quaternion in the host's order.
void attitude_angles(const float q[4], double* heading, double* pitch, double* roll);

}  // namespace sim
