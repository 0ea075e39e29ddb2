// sim/scenarios.cpp: the pilot's side of each flight. The pilot does what a
// person in the cockpit would (switches, brake, throttle, stick); everything
// after the zoom master goes on is the plug-in's doing.
#include "scenarios.h"

#include <cmath>
#include <cstdio>

#include "aircraft.h"
#include "cameras.h"
#include "dialog.h"
#include "twin.h"
#include "fighter.h"
#include "xphost.h"

namespace sim {

namespace {

void set_switch(const char* path, float value) { HostBridge::pilot_set(path, value); }

std::string fmt(const char* format, double a = 0, double b = 0, double c = 0)
{
    char buf[200];
    std::snprintf(buf, sizeof buf, format, a, b, c);
    return buf;
}

Outcome fly_carrier(Runner& r)
{
    Outcome out;
    Timeline& tl = r.timeline;
    if (!carrier_departure(r, out))
        return out;
    const Facts& f = tl.facts;
    carrier_camera_tour(r, out);
    if (!r.run_until([&] { return f.phase[6]; }, 1800))
        out.missing.push_back("the zoom never handed over (no phase 6 within 30 minutes)");
    r.run_for(30);

    check_phases(f, out);
    need_speech(f, "Baydoors open", out);
    need_speech(f, "Orbiter out", out);
    need_speech(f, "Launch successful", out);
    check_release_timing(r, out);
    if (!f.released)
        out.missing.push_back("the orbiter never left the bay");
    if (f.stored_record < 1)
        out.missing.push_back("no release record was shown as stored");
    else
        save_release_through_dialog(r, f.stored_record, out);   // the release table goes to the file

    // The orbiter, loaded as an aircraft of its own at the airport.
    tl.set_aircraft(Timeline::Aircraft::Orbiter);
    tl.heading("Ascender orbiter: loaded after the carrier's flight, placed at the stored release");
    r.load_aircraft(orbiter_airframe(), kOrbiterDescription, nullptr, 0, false);
    tl.event(std::string("orbiter loaded at the airport: \"") + kOrbiterDescription + "\"");
    r.run_for(6.0);
    r.moment("orbiter-loaded");
    r.run_for(2.0);
    tl.event("pilot: parking brake off");
    set_switch("sim/flightmodel/controls/parkbrake", 0);
    if (r.run_until([&] { return f.placed; }, 5.0)) {
        // The brake release closed the handbook; the pilot opens it again to fly the ascent.
        r.click_handbook_strip();
        r.run_for(0.5);
        r.moment("placed", f.placed_offset_m >= 0
                               ? fmt("placed %.1f m from where the carrier released it, at %.0f ft and %.3f km/s",
                                     f.placed_offset_m, f.placed_ft, f.placed_speed / 1000.0)
                               : fmt("placed at %.0f ft and %.3f km/s", f.placed_ft, f.placed_speed / 1000.0));
        r.run_until([&] { return f.cut; }, 900);
        r.run_for(20);
        const Observed& o = r.model.observed();
        tl.event(fmt("coasting at %.0f km, %.3f km/s ground speed (orbital speed here %.3f km/s)",
                     o.elevation_m / 1000.0, o.groundspeed / 1000.0, orbital_speed(o.elevation_m) / 1000.0));
    } else {
        out.missing.push_back("the orbiter was not placed after the brake release");
    }
    if (f.placed && f.placed_offset_m > 50.0)
        out.missing.push_back(fmt("the orbiter was placed %.0f m from the stored release", f.placed_offset_m));
    if (!f.cut)
        out.missing.push_back("the orbiter's rocket was never cut");
    else if (f.cut_speed < 0.99 * f.cut_orbital)
        out.missing.push_back(fmt("the rocket was cut at %.3f km/s, short of orbital speed %.3f km/s",
                                  f.cut_speed / 1000.0, f.cut_orbital / 1000.0));
    // Within the tick (and a frame) of reaching its cut speed, in simulated time.
    if (f.cut && f.cut_due >= 0 && (f.cut_time < f.cut_due || f.cut_time > f.cut_due + 0.1 + r.longest_frame() + 1e-6))
        out.missing.push_back(fmt("the rocket was cut %.3f s after it reached its cut speed", f.cut_time - f.cut_due));
    if (f.cut && f.cut_due < 0)
        out.missing.push_back("the rocket was cut before it reached its cut speed");
    r.moment("end");

    out.summary = fmt("apex %.0f ft; ", f.apex_ft);
    out.summary += f.released && f.stored_record >= 1
                       ? "release stored in record " + std::to_string(f.stored_record) + "; "
                       : std::string("no release stored; ");
    if (f.cut)
        out.summary += fmt("orbiter cut at %.3f km/s against orbital %.3f km/s (%.1f %%)", f.cut_speed / 1000.0,
                           f.cut_orbital / 1000.0, 100.0 * f.cut_speed / f.cut_orbital);
    else
        out.summary += "orbiter not at orbital speed";
    return out;
}

Outcome fly_lowzoom(Runner& r)
{
    Outcome out;
    Timeline& tl = r.timeline;
    if (!carrier_departure(r, out))
        return out;
    const Facts& f = tl.facts;
    if (r.run_until([&] { return f.phase[2]; }, 1500)) {
        // High angle of attack at Mach 6.7 unstarts the intakes; the
        // engines stay out until the air is dense again on the way down.
        r.run_until([&] { return r.model.observed().g_nrml > 2.5f; }, 20);
        for (int i = 0; i < 4; ++i)
            r.model.fail_engine(i);
        tl.event("all four intakes unstart: the engines flame out, the carrier zooms on its speed alone");
        if (r.run_until([&] { return f.phase[5]; }, 1500)) {
            for (int i = 0; i < 4; ++i)
                r.model.relight_engine(i);
            tl.event("engines relit in the denser air");
        }
    }
    if (!r.run_until([&] { return f.phase[6]; }, 1800))
        out.missing.push_back("the zoom never handed over (no phase 6)");
    r.run_for(30);
    r.moment("end");

    check_phases(f, out);
    if (!f.message[38])
        out.missing.push_back("\"ALTITUDE NOT REACHED\" was not shown");
    need_speech(f, "Launch failed, proceeding automatic reentry", out);
    if (f.released)
        out.missing.push_back("the orbiter was released although the zoom fell short");

    out.summary = fmt("apex %.0f ft; ", f.apex_ft);
    out.summary += f.message[38] ? "ALTITUDE NOT REACHED shown; " : "target altitude reached; ";
    out.summary += f.released ? "orbiter released" : "orbiter kept in the bay";
    return out;
}

}  // namespace

// The carrier from the hangar to the zoom master. Returns false if the
// aircraft never got that far.
bool carrier_departure(Runner& r, Outcome& out)
{
    Timeline& tl = r.timeline;
    tl.set_aircraft(Timeline::Aircraft::Carrier);
    tl.heading("Skyhoist carrier: orbiter in the bay, JATO pack on station 1");

    Store stores[3];
    stores[kJatoStation] = Store{kJatoType, 0, kJatoMass};
    stores[kBayStation] = Store{kOrbiterType, 0, kOrbiterMass};
    r.load_aircraft(carrier_airframe(), kCarrierDescription, stores, 3, true);
    tl.event(std::string("carrier loaded at the airport: \"") + kCarrierDescription + "\"");

    // Cockpit preparation: orbiter switch on, water injection automatic.
    set_switch("sim/cockpit/switches/puffers_on", 1);
    set_switch("sim/cockpit/weapons/firing_mode", 1);
    r.run_for(6.0);
    if (r.options.verbose)
        tl.event(fmt("plug-in running: %.0f flight loops, %.0f panel drawing callback(s), %.0f windows",
                     xphost::flight_loops().size(), xphost::draw_callbacks().size(), xphost::windows().size()));
    r.moment("loaded");
    r.run_for(4.0);

    tl.event("pilot: throttles full, parking brake off");
    r.model.pilot.throttle = 1.0f;
    r.model.pilot.hand_flying = true;
    r.model.pilot.pitch_deg = 9.0f;
    set_switch("sim/flightmodel/controls/parkbrake", 0);
    if (!r.run_until([&] { return !r.model.observed().on_ground; }, 120)) {
        out.missing.push_back("the carrier never left the runway");
        return false;
    }
    tl.event(fmt("lift-off at %.0f kt", r.model.observed().ias_kt));
    r.run_until([&] { return r.model.observed().altitude_ft > 400; }, 60);
    set_switch("sim/cockpit/switches/gear_handle_status", 0);
    tl.event("pilot: gear up");
    r.model.pilot.pitch_deg = 12.0f;
    if (!r.run_until([&] { return r.model.observed().altitude_ft > 8000; }, 300)) {
        out.missing.push_back("the carrier never climbed to 8,000 ft");
        return false;
    }
    set_switch("sim/cockpit/switches/prop_sync_on", 1);
    r.model.pilot.hand_flying = false;
    tl.event("pilot: zoom master on (prop sync switch), hands off");
    return true;
}

void check_phases(const Facts& f, Outcome& out)
{
    for (int i = 0; i < 7; ++i)
        if (!f.phase[i])
            out.missing.push_back("zoom phase " + std::to_string(i) + " was not seen");
}

// The release counts in tenths of simulated seconds from the doors: "Orbiter
// out" 2 s later, "Launch successful" 6.5 s later, each within a frame.
void check_release_timing(Runner& r, Outcome& out)
{
    const Facts& f = r.timeline.facts;
    if (f.doors_open_time < 0)
        return;
    const double slack = r.longest_frame() + 1e-6;
    for (const auto& [text, after] : {std::pair<const char*, double>{"Orbiter out", 2.0}, {"Launch successful", 6.5}}) {
        const double t = f.said_at(text);
        if (t >= 0 && std::fabs(t - f.doors_open_time - after) > slack)
            out.missing.push_back(std::string("\"") + text + "\"" +
                                  fmt(" came %.3f s after the bay doors opened, not %.1f s", t - f.doors_open_time, after));
    }
}

void need_speech(const Facts& f, const char* text, Outcome& out)
{
    if (!f.said(text))
        out.missing.push_back(std::string("\"") + text + "\" was not spoken");
}

const std::vector<Scenario>& scenarios()
{
    static const std::vector<Scenario> all = {
        {"carrier", "take-off with JATO, the whole zoom, the orbiter's release, then the orbiter to orbit", fly_carrier},
        {"lowzoom", "the intakes unstart in the pull-up: the zoom falls short and the launch is called off", fly_lowzoom},
        {"twin", "the light twin's cameras: the yoke camera, the overlay, night vision, mouse and zoom", fly_twin},
        {"fighter", "a jet fighter's JATO take-off, its drop tanks used and dropped, a bomb measured by the data box",
         fly_fighter},
        {"hyperjet", "the hypersonic jet climbs beyond Mach 3 with water injection and its wing schedule", fly_hyperjet},
        {"glider", "the motor glider climbs, stows its engine and glides, then unfolds it again", fly_glider},
        {"campaign", "two carrier missions from two airports with X-Plane restarted between them; each orbiter "
                     "starts from its own release, a third from the record chosen in the dialog",
         fly_campaign},
    };
    return all;
}

const Scenario* find_scenario(const std::string& name)
{
    for (const Scenario& s : scenarios())
        if (name == s.name)
            return &s;
    return nullptr;
}

}  // namespace sim
