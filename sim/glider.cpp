// sim/glider.cpp: the Windling motor hang glider. The pilot chooses his seat
// and ballast, climbs with the engine, folds it away with the wing-sweep
// control (the folding request), glides, and unfolds it again. The plug-in
// stops the engine, takes the propeller and the trims away and changes the
// undercarriage's shape at fixed points of the folding passage; the demo
// checks each step from its writes, the glide from the flight, and the glide
// figures in the custom data window where the build has one.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "scenarios.h"
#include "xphost.h"

namespace sim {

namespace {

const char* const kGliderDescription = "QZT Windling motor hang glider";

// A rigid-wing motor hang glider: a pusher engine on a mast that folds
// back into the keel, fixed gear, pilot included in the empty mass.
Airframe glider_airframe()
{
    Airframe s;
    s.name = "Windling motor hang glider";
    s.empty_mass = 210;
    s.wing_area = 15;
    s.alpha_max = 14;
    s.max_load = 3;
    s.rotate_kt = 28;
    s.pitch_rate = 60;               // a hang glider's weight shift answers quickly at its low speeds
    s.engines = 1;
    s.engine[0] = EngineKind::Propeller;
    s.prop_power_kw = 24;
    s.fuel[0] = 12;
    s.gear_drag = 0.004;
    s.sweep_rate = 0.08;             // the mast folds in 12.5 s
    s.mast_drag_area = 0.25;
    return s;
}

const char* const Request = "sim/flightmodel/controls/swdirqst";
const char* const Mixture = "sim/flightmodel/engine/ENGN_mixt";
const char* const ThrustPoints = "sim/aircraft/overflow/acf_num_thrustpoints";
const char* const AileronTrim = "sim/flightmodel/controls/ail_trim";
const char* const RudderTrim = "sim/flightmodel/controls/rud_trim";
const char* const Legs = "sim/aircraft/parts/acf_gear_leglen";
const char* const Shift = "sim/aircraft/overflow/acf_mass_shift";
const char* const Payload = "sim/flightmodel/weight/m_fixed";

std::string fmt(const char* format, double a = 0, double b = 0, double c = 0, double d = 0, double e = 0)
{
    char buf[240];
    std::snprintf(buf, sizeof buf, format, a, b, c, d, e);
    return buf;
}

// One step of the folding passage as the plug-in wrote it.
struct Step {
    std::string what;
    double position;                     // where the mechanism stood
    bool accepted;
};

class GliderWatch : public WriteObserver {
public:
    explicit GliderWatch(Runner& r) : r_(r) {}
    std::vector<Step> steps;
    bool folding = false;                // the preset's writes at the load are no passage

    void on_write(const xphost::Write& w) override
    {
        if (!folding || w.values.empty())
            return;
        const double v = w.values[0];
        std::string what;
        if (w.path == Mixture && w.offset == 0)
            what = v == 0.0 ? "mixture cut" : "mixture full";
        else if (w.path == ThrustPoints)
            what = v == 0.0 ? "propeller removed" : "propeller restored";
        else if (w.path == AileronTrim || w.path == RudderTrim)
            what = w.path == AileronTrim ? "aileron trim 0" : "rudder trim 0";
        else if (w.path == Legs && w.offset == 0 && w.values.size() >= 4)
            what = w.values[2] < 0.2 ? "gear stowed shape" : "gear engine-out shape";
        else
            return;
        const double at = r_.model.observed().sweep;
        steps.push_back(Step{what, at, w.accepted});
        std::string text = fmt("folding at %.3f: ", at) + what;
        if (!w.accepted)
            text += " (the simulator's thrust-point count is read-only: write ignored)";
        r_.timeline.event(text);
    }

private:
    Runner& r_;
};

// The passage's steps in order, each inside its window.
void check_passage(const std::vector<Step>& steps, const std::vector<std::string>& order,
                   const std::vector<std::pair<double, double>>& windows, const char* passage, Outcome& out)
{
    std::string seen;
    for (const auto& s : steps)
        seen += (seen.empty() ? "" : ", ") + s.what;
    if (steps.size() != order.size()) {
        out.missing.push_back(std::string(passage) + ": the steps were " + seen);
        return;
    }
    for (size_t i = 0; i < order.size(); ++i) {
        if (steps[i].what != order[i]) {
            out.missing.push_back(std::string(passage) + ": the steps were " + seen);
            return;
        }
        if (!(steps[i].position > windows[i].first && steps[i].position < windows[i].second))
            out.missing.push_back(std::string(passage) + ": " + order[i]
                                  + fmt(" at %.3f, outside %.2f to %.2f", steps[i].position, windows[i].first,
                                        windows[i].second));
    }
}

void need(bool ok, const std::string& what, Outcome& out)
{
    if (!ok)
        out.missing.push_back(what);
}

// The glider's figures in the custom data window: the number drawn over a label.
bool window_figure(const char* label, double* value)
{
    const auto& ops = xphost::display_list();
    for (const auto& op : ops) {
        if (op.kind != xphost::DrawOp::String || op.text != label || op.source.rfind("window", 0) != 0)
            continue;
        for (const auto& n : ops)
            if (n.kind == xphost::DrawOp::Number && n.x == op.x && n.y == op.y && n.source == op.source) {
                *value = n.value;
                return true;
            }
    }
    return false;
}

}  // namespace

Outcome fly_glider(Runner& r)
{
    Outcome out;
    Timeline& tl = r.timeline;
    tl.set_aircraft(Timeline::Aircraft::None);
    tl.heading("Windling motor hang glider: the engine folded away in flight, the glide, the engine back");
    GliderWatch watch(r);
    tl.on_any_write = [&watch](const xphost::Write& w) { watch.on_write(w); };
    FlightModel& m = r.model;

    r.load_aircraft(glider_airframe(), kGliderDescription, nullptr, 0, true);
    tl.event(std::string("glider loaded at the airport: \"") + kGliderDescription + "\"");
    r.run_for(6.0);
    const auto legs = xphost::get_vf(Legs, 0, 4);
    need(legs.size() == 4 && legs[0] == 0.6096f && legs[2] == 0.41f, "the gear was not set to its engine-out shape at load",
         out);
    need(xphost::get_vf(Mixture, 0, 1).at(0) == 1.0f, "the engine's mixture was not full at load", out);
    tl.event(fmt("engine out and running; pilot seat 1: %.0f kg shifted, %.0f kg fixed payload", xphost::get_f(Shift),
                 xphost::get_f(Payload)));
    r.moment("loaded");

    // Seat 2 and two ballast steps, with the weapon selectors.
    HostBridge::pilot_set("sim/cockpit/weapons/firing_mode", 2);
    HostBridge::pilot_set("sim/cockpit/weapons/firing_rate", 3);
    r.run_for(1.5);
    const float shift = xphost::get_f(Shift), payload = xphost::get_f(Payload);
    tl.event(fmt("pilot: seat 2, ballast 3: %.0f kg shifted, %.0f kg fixed payload", shift, payload));
    need(shift == 135.0f, fmt("seat 2 shifted %.0f kg, not 135", shift), out);
    need(payload == 20.0f, fmt("ballast 3 gave %.0f kg, not 20", payload), out);

    // The custom data window, when the build has one: a click on its strip.
    const int h = xphost::get_i("sim/graphics/view/window_height");
    const bool dataWindow = xphost::click(25, h * 3 / 4);
    tl.event(dataWindow ? "pilot: custom data window opened (click at the left edge)"
                        : "(this build has no custom data window: the glide figures are taken from the host)");

    tl.event("pilot: full throttle, parking brake off");
    m.pilot.throttle = 1.0f;
    m.pilot.hand_flying = true;
    m.pilot.pitch_deg = 12.0f;
    HostBridge::pilot_set("sim/flightmodel/controls/parkbrake", 0);
    if (!r.run_until([&] { return !m.observed().on_ground; }, 120)) {
        out.missing.push_back("the glider never left the ground");
        return out;
    }
    tl.event(fmt("lift-off at %.0f km/h", m.observed().tas * 3.6));
    m.pilot.pitch_deg = 8.0f;
    if (!r.run_until([&] { return m.observed().altitude_ft > 3281; }, 1800)) {
        out.missing.push_back("the glider never climbed to 1,000 m");
        return out;
    }
    const double climbRate = m.observed().vvi, stowFt = m.observed().altitude_ft;

    // Fold the engine away: the folding request is the wing-sweep control.
    tl.event("pilot: engine stow (folding request 1), glide attitude");
    HostBridge::pilot_set(Request, 1.0f);
    m.pilot.pitch_deg = -1.0f;
    watch.folding = true;
    r.run_until([&] { return m.observed().sweep >= 1.0f; }, 60);
    r.moment("stowed");
    const std::vector<Step> stowing = watch.steps;
    check_passage(stowing, {"mixture cut", "propeller removed", "aileron trim 0", "rudder trim 0", "gear stowed shape"},
                  {{0.01, 0.1}, {0.25, 0.3}, {0.25, 0.3}, {0.25, 0.3}, {0.75, 0.8}}, "stowing", out);
    need(m.observed().thrust == 0.0f, "the engine still gave thrust once stowed", out);

    // The glide.
    r.run_for(20.0);
    const Observed start = m.observed();
    double lod = 0;
    int samples = 0;
    double shownRange = -1, expectRange = 0, shownSpeed = -1, shownShift = -1, shownPayload = -1;
    r.run_until([&] {
        lod += m.observed().lift_over_drag;
        ++samples;
        return false;
    }, 120.0);
    const Observed end = m.observed();
    const double flown = std::hypot(end.x - start.x, end.z - start.z);
    const double lost = start.elevation_m - end.elevation_m;
    const double ratio = lost > 0 ? flown / lost : 0;
    lod /= std::max(1, samples);
    const double rangeKm = end.altitude_ft * 0.3048 * end.lift_over_drag / 1000.0;
    tl.event(fmt("glide: %.0f m flown for %.0f m lost (%.1f to 1), lift over drag %.1f, sink %.2f m/s", flown, lost,
                 ratio, lod, -end.vvi));
    if (dataWindow) {
        window_figure("       km to seaL", &shownRange);
        window_figure("       kmh true", &shownSpeed);
        window_figure("       kg shifted", &shownShift);
        window_figure("       kg fix payload", &shownPayload);
        expectRange = rangeKm;
        tl.event(fmt("data window: %.0f km to sea level, %.1f km/h true, %.0f kg shifted, %.0f kg payload", shownRange,
                     shownSpeed, shownShift, shownPayload));
        need(shownRange >= 0 && std::fabs(shownRange - expectRange) < 1.5,
             fmt("the window showed %.0f km to sea level, not %.1f", shownRange, expectRange), out);
        need(std::fabs(shownSpeed - end.tas * 3.6) < 2.0, fmt("the window showed %.1f km/h, not %.1f", shownSpeed,
                                                              end.tas * 3.6), out);
        need(shownShift == 135.0 && shownPayload == 20.0, "the window did not show seat 2 and ballast 3", out);
    } else {
        tl.event(fmt("glide figures from the host: %.1f km to sea level, %.1f km/h true, %.2f m/s", rangeKm,
                     end.tas * 3.6, end.vvi));
    }
    r.moment("glide");
    need(lost > 0 && std::fabs(ratio - lod) < 0.1 * lod,
         fmt("the glide (%.1f to 1) does not match the lift over drag of %.1f", ratio, lod), out);

    // Unfold it and climb again.
    tl.event("pilot: engine out (folding request 0), climb attitude");
    HostBridge::pilot_set(Request, 0.0f);
    watch.steps.clear();
    r.run_until([&] { return m.observed().sweep <= 0.0f; }, 60);
    const std::vector<Step> deploying = watch.steps;
    check_passage(deploying, {"gear engine-out shape", "propeller restored", "mixture full"},
                  {{0.75, 0.8}, {0.15, 0.2}, {0.01, 0.1}}, "deploying", out);
    m.pilot.pitch_deg = 8.0f;
    r.run_for(30.0);
    r.moment("deployed");
    const double climbAgain = m.observed().vvi;
    tl.event(fmt("engine running again: %.0f N of thrust, climbing at %.2f m/s", m.observed().thrust, climbAgain));
    need(m.observed().thrust > 0 && climbAgain > 0.3, "the glider did not climb again with its engine out", out);
    r.moment("end");

    out.summary = fmt("engine stowed at %.0f ft after a climb at %.1f m/s; glided %.1f to 1 (lift over drag %.1f); ",
                      stowFt, climbRate, ratio, lod);
    out.summary += dataWindow ? fmt("window shows %.0f km to sea level; ", shownRange)
                              : fmt("%.1f km to sea level (host figures, no data window in this build); ", rangeKm);
    out.summary += fmt("engine back out, climbing at %.1f m/s", climbAgain);
    tl.on_any_write = nullptr;
    return out;
}

}  // namespace sim
