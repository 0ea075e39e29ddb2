// sim/cameras.cpp
#include "cameras.h"

#include <cmath>
#include <cstdio>

#include "XPLMDefs.h"
#include "xphost.h"

namespace sim {

namespace {

float wrap180(float a)
{
    while (a > 180.0f) a -= 360.0f;
    while (a < -180.0f) a += 360.0f;
    return a;
}

}  // namespace

CameraLook camera_look()
{
    CameraLook l;
    l.controlled = xphost::camera_controlled();
    const XPLMCameraPosition_t c = xphost::camera();
    const auto x = xphost::get_vf("sim/weapons/x", 0, 8);
    const auto y = xphost::get_vf("sim/weapons/y", 0, 8);
    const auto z = xphost::get_vf("sim/weapons/z", 0, 8);
    for (int s = 0; s < 8; ++s)
        if (std::fabs(c.x - x[s]) < 0.01f && std::fabs(c.y - y[s]) < 0.01f && std::fabs(c.z - z[s]) < 0.01f)
            l.station = s;
    l.heading = wrap180(c.heading - xphost::get_f("sim/flightmodel/position/psi"));
    l.pitch = c.pitch - xphost::get_f("sim/flightmodel/position/theta");
    l.roll = c.roll;
    l.zoom = c.zoom;
    return l;
}

std::string describe(const CameraLook& l)
{
    char buf[160];
    std::snprintf(buf, sizeof buf, "camera at station %d, looking %+.1f deg off the nose, %+.1f deg off its pitch, roll %+.1f, zoom %.1f",
                  l.station, l.heading, l.pitch, l.roll, l.zoom);
    return buf;
}

void press_qzt_key() { xphost::press_key(XPLM_VK_F4); }

void carrier_camera_tour(Runner& r, Outcome& out)
{
    Timeline& tl = r.timeline;
    xphost::set_mouse(512, 384);
    struct View { int station; float heading; const char* where; };
    // Views 2 and 3 hang under the belly, their pitch and bank mirrored; 6
    // sits on the tail looking back.
    const View views[] = {{2, 5, "belly, forward, mirrored"}, {3, -5, "belly, aft, mirrored"}, {4, 0, "left wing tip"},
                          {5, 0, "right wing tip"}, {6, 180, "tail, looking back"}};
    for (const View& v : views) {
        press_qzt_key();
        r.run_for(0.5);
        const CameraLook l = camera_look();
        tl.event(std::string("pilot: QZT key: ") + describe(l) + " (" + v.where + ")");
        if (!l.controlled || l.station != v.station || std::fabs(l.heading - v.heading) > 0.01f)
            out.missing.push_back("camera view " + std::to_string(v.station) + " was not at its station looking "
                                  + std::to_string(static_cast<int>(v.heading)) + " deg off the nose");
        r.run_for(8.0);
    }

    // The tail camera swung down with the mouse stops 10 degrees below the
    // aircraft's pitch, and stays there while the mouse rests on the edge.
    xphost::set_mouse(512, 0);
    r.run_for(2.0);
    const CameraLook low = camera_look();
    tl.event("pilot: mouse to the bottom edge: " + describe(low));
    if (std::fabs(low.pitch + 10.0f) > 0.01f)
        out.missing.push_back("the tail camera did not stop 10 deg below the aircraft's pitch");

    xphost::set_mouse(512, 384);
    xphost::user_changes_view();
    r.run_for(0.5);
    tl.event(xphost::camera_controlled() ? "pilot: cockpit view: the plug-in's camera still has the view"
                                         : "pilot: cockpit view: the simulator has the view again");
    if (xphost::camera_controlled())
        out.missing.push_back("the carrier's camera kept the view after the pilot chose the cockpit");
}

}  // namespace sim
