// sim/campaign.cpp: a pilot's campaign with one preferences folder. Two
// carrier missions from two airports, X-Plane quit and started again between
// them; after each the orbiter is loaded and must start where and how its own
// mission let it go. Then the pilot chooses the first mission's record in the
// dialog, X-Plane starts once more, and a third orbiter must start there.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "aircraft.h"
#include "dialog.h"
#include "scenarios.h"
#include "xphost.h"

namespace sim {

namespace {

// Another airport, far from the home one, with its runway to the south-west.
const Airport kDesertAirport{"the desert airport", 34.90, -117.88, 700.0, 220.0};

constexpr double kPlaceTolerance = 5.0;      // m
constexpr double kSpeedTolerance = 0.01;     // m/s
constexpr double kAttitudeTolerance = 0.1;   // degrees
constexpr double kEarthRadius = 6378137.0;

// A release as the simulator published it at the moment the plug-in stored it.
struct Release {
    int    record = 0;
    double lat = 0, lon = 0, elev = 0;
    float  v[3] = {};
    float  q[4] = {};
};

std::string fmt(const char* format, double a = 0, double b = 0, double c = 0, double d = 0)
{
    char buf[240];
    std::snprintf(buf, sizeof buf, format, a, b, c, d);
    return buf;
}

// How far the orbiter was put from a release: metres, m/s and the angle
// between the two attitudes in degrees.
struct Offsets {
    double place = 0, speed = 0, attitude = 0;
};

Offsets offsets(const Facts& f, const Release& r)
{
    Offsets o;
    const double rad = M_PI / 180.0;
    const double north = (f.placed_lat - r.lat) * rad * kEarthRadius;
    const double east = (f.placed_lon - r.lon) * rad * kEarthRadius * std::cos(r.lat * rad);
    o.place = std::sqrt(north * north + east * east + std::pow(f.placed_elev - r.elev, 2));
    o.speed = std::sqrt(std::pow(double(f.placed_v[0]) - r.v[0], 2) + std::pow(double(f.placed_v[1]) - r.v[1], 2)
                        + std::pow(double(f.placed_v[2]) - r.v[2], 2));
    double dot = 0, a = 0, b = 0;
    for (int i = 0; i < 4; ++i) {
        dot += double(f.placed_q[i]) * r.q[i];
        a += double(f.placed_q[i]) * f.placed_q[i];
        b += double(r.q[i]) * r.q[i];
    }
    const double c = a > 0 && b > 0 ? std::fabs(dot) / std::sqrt(a * b) : 0.0;
    o.attitude = 2.0 * std::acos(std::min(1.0, c)) / rad;
    return o;
}

// One carrier mission from the runner's airport, its release saved through
// the dialog. False, with the reason in out, when it stored no release.
bool fly_mission(Runner& r, int n, int expected_record, Release& release, Outcome& out)
{
    Timeline& tl = r.timeline;
    tl.new_flight();
    const std::string label = "mission " + std::to_string(n);
    const size_t missing = out.missing.size();
    tl.line("\n=== " + label + " from " + r.airport().name + fmt(" (%.2f, %.2f, runway %03.0f)", r.airport().latitude,
                                                                  r.airport().longitude, r.airport().runway_heading)
            + " ===");
    if (!carrier_departure(r, out))
        return false;
    const Facts& f = tl.facts;
    if (!r.run_until([&] { return f.phase[6]; }, 1800))
        out.missing.push_back(label + ": the zoom never handed over (no phase 6 within 30 minutes)");
    r.run_for(30);
    check_phases(f, out);
    need_speech(f, "Launch successful", out);
    check_release_timing(r, out);
    if (!f.released || !r.bridge.release_seen()) {
        out.missing.push_back(label + ": the orbiter never left the bay");
        return false;
    }
    if (f.stored_record != expected_record)
        out.missing.push_back(label + ": the panel shows release record " + std::to_string(f.stored_record)
                              + ", expected " + std::to_string(expected_record));
    release.record = expected_record;
    release.lat = r.bridge.release_latitude();
    release.lon = r.bridge.release_longitude();
    release.elev = r.bridge.release_elevation();
    release.v[0] = r.bridge.release_vx();
    release.v[1] = r.bridge.release_vy();
    release.v[2] = r.bridge.release_vz();
    std::copy(r.bridge.release_q(), r.bridge.release_q() + 4, release.q);
    save_release_through_dialog(r, expected_record, out, false);
    for (size_t i = missing; i < out.missing.size(); ++i)
        if (out.missing[i].rfind("mission", 0) != 0)
            out.missing[i] = label + ": " + out.missing[i];
    return true;
}

// The orbiter loaded at the airport and let go: it must start at `release`.
bool fly_orbiter(Runner& r, const std::string& label, const Release& release, Outcome& out)
{
    Timeline& tl = r.timeline;
    tl.new_flight();
    tl.set_aircraft(Timeline::Aircraft::Orbiter);
    tl.heading("Ascender orbiter, " + label + ": to start from release record " + std::to_string(release.record));
    r.load_aircraft(orbiter_airframe(), kOrbiterDescription, nullptr, 0, false);
    tl.event(std::string("orbiter loaded at ") + r.airport().name);
    r.run_for(8.0);
    tl.event("pilot: parking brake off");
    HostBridge::pilot_set("sim/flightmodel/controls/parkbrake", 0);
    const Facts& f = tl.facts;
    if (!r.run_until([&] { return f.placed; }, 5.0)) {
        out.missing.push_back(label + ": the orbiter was not placed after the brake release");
        return false;
    }
    const Offsets o = offsets(f, release);
    double heading = 0, pitch = 0, roll = 0;
    attitude_angles(f.placed_q, &heading, &pitch, &roll);
    tl.event(fmt("placed at %.6f, %.6f, %.0f m, heading %.2f", f.placed_lat, f.placed_lon, f.placed_elev, heading)
             + fmt(", pitch %.2f, roll %.2f: %.2f m, %.4f m/s", pitch, roll, o.place, o.speed)
             + fmt(" and %.4f deg from release record %.0f", o.attitude, release.record));
    if (o.place > kPlaceTolerance || o.speed > kSpeedTolerance || o.attitude > kAttitudeTolerance)
        out.missing.push_back(label + fmt(": the orbiter started %.2f m, %.4f m/s and %.4f deg from its release",
                                          o.place, o.speed, o.attitude));
    r.run_for(20);
    return true;
}

bool restart(Runner& r, const Airport& airport, Outcome& out)
{
    std::string error;
    if (!r.restart(&error)) {
        out.missing.push_back("X-Plane's restart: " + error);
        return false;
    }
    r.set_airport(airport);
    r.timeline.line("\nX-Plane quits and starts again at " + std::string(airport.name)
                    + fmt(" (%.2f, %.2f): the plug-in is stopped, its file opened anew and started; "
                          "the preferences folder stays", airport.latitude, airport.longitude));
    return true;
}

std::string placed_summary(const Runner& r, const Release& rel)
{
    const Offsets o = offsets(r.timeline.facts, rel);
    return fmt("record %.0f, orbiter %.2f m, %.4f m/s, %.3f deg off", rel.record, o.place, o.speed, o.attitude);
}

}  // namespace

Outcome fly_campaign(Runner& r)
{
    Outcome out;
    Release first, second;

    r.set_airport(kHomeAirport);
    if (!fly_mission(r, 1, 1, first, out) || !fly_orbiter(r, "after mission 1", first, out))
        return out;
    out.summary = "mission 1: " + placed_summary(r, first);

    if (!restart(r, kDesertAirport, out) || !fly_mission(r, 2, 2, second, out)
        || !fly_orbiter(r, "after mission 2", second, out))
        return out;
    out.summary += "; mission 2: " + placed_summary(r, second);

    // The first mission's record, chosen and saved, is where the next
    // orbiter starts after another restart.
    choose_record_through_dialog(r, first.record, out);
    if (!restart(r, kDesertAirport, out) || !fly_orbiter(r, "record 1 chosen in the dialog", first, out))
        return out;
    out.summary += "; chosen: " + placed_summary(r, first);
    r.moment("end");
    return out;
}

}  // namespace sim
