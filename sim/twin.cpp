// sim/twin.cpp: the light twin's flight. At dusk the pilot switches the
// electrics on, starts camera 0 on the runway and looks around with the
// yoke, takes off, and in a climbing turn steps through the cameras, steers
// one with the mouse and zooms it, then takes the cockpit view back.
#include "twin.h"

#include <cmath>
#include <cstdio>

#include "XPLMDefs.h"
#include "cameras.h"
#include "xphost.h"

namespace sim {

const char* const kTwinDescription = "QZT Korva K-3 utility twin";

Airframe twin_airframe()
{
    Airframe s;
    s.name = "Korva light twin";
    s.empty_mass = 1500;
    s.wing_area = 20;
    s.alpha_max = 15;
    s.max_load = 3.8;
    s.rotate_kt = 70;
    s.pitch_rate = 8;
    s.trim_alpha0 = 2;
    s.trim_alpha = 10;
    s.engines = 2;
    s.engine[0] = s.engine[1] = EngineKind::ReturnJet;   // thrust falling with the air's density
    s.tmax_lbf = 5000;
    s.tsfc = 0.07;
    s.fuel[0] = 200;
    const float mounts[3][3] = {{0, -0.4f, 3.5f}, {0, 2.2f, -4.5f}, {6.0f, 0.3f, 0}};
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k)
            s.mount[i][k] = mounts[i][k];
    return s;
}

namespace {

const char* const Battery = "sim/cockpit/electrical/battery_on";
const char* const Avionics = "sim/cockpit/electrical/avionics_on";
const char* const CockpitLights = "sim/cockpit/electrical/cockpit_lights_on";
const char* const NightVision = "sim/cockpit/electrical/night_vision_on";
const char* const YokeRoll = "sim/joystick/yoke_roll_ratio";
const char* const YokePitch = "sim/joystick/yoke_pitch_ratio";

std::string fmt(const char* format, double a = 0, double b = 0, double c = 0)
{
    char buf[200];
    std::snprintf(buf, sizeof buf, format, a, b, c);
    return buf;
}

// The number the overlay drew at the right of a label, or NAN.
double overlay_value(const char* label, int dx, int dy)
{
    const auto ops = xphost::find_text(label);
    if (ops.empty())
        return NAN;
    const auto at = xphost::draws_at(ops[0].x + dx, ops[0].y + dy);
    for (const auto& op : at)
        if (op.kind == xphost::DrawOp::Number)
            return op.value;
    return NAN;
}

bool overlay_shown() { return !xphost::find_text("AIRCRAFT ROLL").empty(); }

void need(bool ok, const std::string& what, Outcome& out)
{
    if (!ok)
        out.missing.push_back(what);
}

}  // namespace

Outcome fly_twin(Runner& r)
{
    Outcome out;
    Timeline& tl = r.timeline;
    tl.set_aircraft(Timeline::Aircraft::None);
    tl.heading("Korva K-3 utility twin: its cameras at dusk");
    r.load_aircraft(twin_airframe(), kTwinDescription, nullptr, 0, true);
    tl.event(std::string("twin loaded at the airport: \"") + kTwinDescription + "\"");
    xphost::set_mouse(512, 384);
    r.run_for(6.0);
    if (r.options.verbose)
        tl.event(fmt("plug-in running: %.0f flight loop(s), %.0f windows", xphost::flight_loops().size(),
                     xphost::windows().size()));
    r.moment("loaded");

    // The model's puffers and clutch follow battery and avionics together.
    HostBridge::pilot_set(Battery, 1);
    r.run_for(1.0);
    const bool halfway = xphost::get_i("sim/cockpit/switches/puffers_on") == 0;
    HostBridge::pilot_set(Avionics, 1);
    r.run_for(1.0);
    const bool both = xphost::get_i("sim/cockpit/switches/puffers_on") == 1
                      && xphost::get_i("sim/cockpit/engine/clutch_engage") == 1;
    tl.event(both ? "pilot: battery, then avionics on: the plug-in switches the puffers and the clutch on"
                  : "pilot: battery, then avionics on: puffers and clutch stay off");
    need(halfway && both, "the puffers and clutch did not follow battery and avionics", out);

    // Dusk: cockpit lights on; camera 0 brings night vision with it.
    HostBridge::pilot_set(CockpitLights, 1);
    press_qzt_key();
    r.run_for(0.5);
    CameraLook l = camera_look();
    tl.event("pilot: cockpit lights on, QZT key: " + describe(l));
    tl.event(xphost::get_i(NightVision) ? "night vision on with camera 0" : "night vision stays off");
    need(l.controlled && l.station == 0, "camera 0 did not take the view at station 0", out);
    need(xphost::get_i(NightVision) == 1, "night vision did not come on with camera 0 in the dark", out);
    need(overlay_shown(), "the camera overlay was not drawn", out);
    r.moment("camera0");

    // On the ground the yoke only turns the camera.
    HostBridge::pilot_set(YokeRoll, 1.0f);
    HostBridge::pilot_set(YokePitch, 0.5f);
    r.run_for(1.0);
    l = camera_look();
    tl.event("pilot: yoke full right and half back: " + describe(l));
    need(std::fabs(l.heading - 90.0f) < 0.01f && std::fabs(l.pitch - 10.0f) < 0.01f,
         "the yoke did not turn camera 0 by 90 deg and raise it by 10 deg", out);
    r.moment("yoke");
    HostBridge::pilot_set(YokeRoll, 0.0f);
    HostBridge::pilot_set(YokePitch, 0.0f);

    tl.event("pilot: throttles full, parking brake off");
    r.model.pilot.throttle = 1.0f;
    r.model.pilot.hand_flying = true;
    r.model.pilot.pitch_deg = 9.0f;
    HostBridge::pilot_set("sim/flightmodel/controls/parkbrake", 0);
    if (!r.run_until([&] { return !r.model.observed().on_ground; }, 120)) {
        out.missing.push_back("the twin never left the runway");
        return out;
    }
    tl.event(fmt("lift-off at %.0f kt", r.model.observed().ias_kt));
    r.run_until([&] { return r.model.observed().altitude_ft > 300; }, 60);
    HostBridge::pilot_set("sim/cockpit/switches/gear_handle_status", 0);
    tl.event("pilot: gear up");
    if (!r.run_until([&] { return r.model.observed().altitude_ft > 2500; }, 600)) {
        out.missing.push_back("the twin never climbed to 2,500 ft");
        return out;
    }
    const double fpm = r.model.observed().vvi / 0.3048 * 60.0;
    const double shown = overlay_value("VVI", -6, -13);
    tl.event(fmt("overlay: VVI %+.0f ft/min (the aircraft climbs at %+.0f)", shown, fpm));
    need(std::fabs(shown - fpm) < 0.01 * std::fabs(fpm) + 2.0, "the overlay's VVI did not show the climb", out);
    r.moment("climb");

    // A climbing turn to the left on the autopilot's heading mode.
    HostBridge::pilot_set("sim/cockpit/autopilot/heading", static_cast<float>(r.airport().runway_heading - 90.0));
    xphost::set_i("sim/cockpit/autopilot/autopilot_state", 2);
    HostBridge::pilot_set("sim/cockpit/autopilot/autopilot_mode", 2);
    r.model.pilot.hand_flying = false;
    tl.event("pilot: autopilot on, heading bug 90 deg left");
    r.run_until([&] { return r.model.observed().roll < -20.0f; }, 30);
    r.run_for(1.0);
    const double roll = r.model.observed().roll;
    const double rollShown = overlay_value("AIRCRAFT ROLL", 20, -12);
    tl.event(fmt("overlay: AIRCRAFT ROLL %+.0f deg, the bar reaching out to the left", rollShown));
    need(roll < -20.0 && std::fabs(rollShown - roll) < 1.0, "the overlay did not show the bank", out);
    l = camera_look();
    tl.event("camera 0 with the yoke centred banks with the aircraft: " + describe(l));
    need(std::fabs(l.roll - roll) < 1.0, "camera 0 did not bank with the aircraft", out);
    r.moment("turn");

    press_qzt_key();
    r.run_for(0.5);
    l = camera_look();
    tl.event("pilot: QZT key: " + describe(l));
    need(l.station == 1 && xphost::get_i(NightVision) == 0, "camera 1 did not follow, or night vision stayed on",
         out);

    // The mouse steers once it has moved; the zoom divides its sweep.
    xphost::set_mouse(768, 500);
    r.run_for(0.5);
    const CameraLook wide = camera_look();
    tl.event("pilot: mouse to the right: " + describe(wide));
    xphost::press_key(XPLM_VK_UP);
    r.run_for(0.5);
    const CameraLook narrow = camera_look();
    tl.event("pilot: arrow up: " + describe(narrow));
    need(std::fabs(wide.heading - 67.5f) < 0.1f && std::fabs(narrow.heading - 33.75f) < 0.1f && narrow.zoom == 2.0f,
         "zoom 2 did not halve the mouse's heading sweep (67.5 to 33.75 deg)", out);
    r.moment("zoom");
    xphost::press_key(XPLM_VK_DOWN);
    xphost::set_mouse(512, 384);

    press_qzt_key();
    r.run_for(0.5);
    l = camera_look();
    tl.event("pilot: mouse back to the centre, QZT key: " + describe(l));
    need(l.station == 2 && std::fabs(l.heading - 90.0f) < 0.01f, "camera 2 did not look out to the right", out);
    r.moment("camera2");

    press_qzt_key();
    r.run_for(0.5);
    need(camera_look().station == 0 && xphost::get_i(NightVision) == 1, "camera 0 did not come round again", out);
    tl.event("pilot: QZT key: camera 0 again, night vision on");

    xphost::user_changes_view();
    r.run_for(0.5);
    tl.event(std::string("pilot: cockpit view: ")
             + (xphost::camera_controlled() ? "the plug-in keeps the view" : "the simulator has the view")
             + ", night vision " + (xphost::get_i(NightVision) ? "on" : "off") + ", overlay "
             + (overlay_shown() ? "still drawn" : "gone"));
    need(!xphost::camera_controlled() && xphost::get_i(NightVision) == 0 && !overlay_shown(),
         "the cockpit view did not end the camera, its night vision and its overlay", out);
    r.click_handbook_strip();   // the handbook, closed at the brake release, open again
    r.run_for(0.2);
    r.moment("host-view", "the simulator's own view again: no overlay, night vision off");

    HostBridge::pilot_set(Battery, 0);
    r.run_for(1.0);
    const bool off = xphost::get_i("sim/cockpit/switches/puffers_on") == 0;
    tl.event("pilot: battery off: puffers and clutch " + std::string(off ? "off" : "still on"));
    need(off, "the puffers did not go off with the battery", out);
    r.moment("end");

    out.summary = out.ok() ? "cameras 0, 1 and 2 at stations 0 to 2; the yoke turned camera 0 by 90 deg; zoom 2 halved "
                             "the mouse's sweep; night vision came and went with camera 0; the overlay showed the "
                             "climb and the bank; puffers and clutch followed the electrics"
                           : "the twin's cameras did not all work as expected";
    return out;
}

}  // namespace sim
