// sim/cameras.h: what the demo sees of the plug-in's external cameras: where
// the host's camera sits and looks against the aircraft, and the carrier's
// camera views stepped through during its climb.
#pragma once

#include <string>

#include "runner.h"
#include "scenarios.h"

namespace sim {

struct CameraLook {
    bool  controlled = false;   // a plug-in camera has the view
    int   station = -1;         // weapon station the camera sits at, -1 none
    float heading = 0;          // camera heading less the aircraft's, -180 to 180
    float pitch = 0;            // camera pitch less the aircraft's
    float roll = 0;             // camera roll, absolute
    float zoom = 1;
};

// The host's camera after the last frame, against the aircraft published then.
CameraLook camera_look();
std::string describe(const CameraLook& look);

// The pilot presses and releases the QZT key (F4, the default).
void press_qzt_key();

// During the carrier's climb: the QZT key steps through views 2 to 6, the
// mouse swings the tail camera down to its limit, then the pilot takes the
// cockpit view back. Anything not as expected goes into out.missing.
void carrier_camera_tour(Runner& r, Outcome& out);

}  // namespace sim
