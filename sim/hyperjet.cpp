// sim/hyperjet.cpp: the Solace HX hypersonic business jet. The pilot takes
// off and lets the host's autopilot climb and cruise beyond Mach 3; the
// plug-in injects water above 10,000 ft, sets the thrust factor and schedules
// dihedral and sweep. On the way down the injection ends at 9,750 ft and the
// pilot dumps the rest of the water. Everything is judged from what the
// plug-in writes and draws on the panel page.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "scenarios.h"
#include "xphost.h"

namespace sim {

namespace {

const char* const kJetDescription = "QZT Solace HX hypersonic business jet";
constexpr float kRatedLbf = 45000.0f;

// Two turbo-ramjets whose rated thrust the plug-in scales with its thrust
// factor, three tanks and the water tank on the jettison load, and a wing
// whose sweep halves the supersonic wave drag.
Airframe jet_airframe()
{
    Airframe s;
    s.name = "Solace HX hypersonic jet";
    s.empty_mass = 21000;
    s.wing_area = 140;
    s.alpha_max = 18;
    s.max_load = 2.5;
    s.rotate_kt = 165;
    s.pitch_rate = 4;
    s.trim_alpha0 = 2;
    s.trim_alpha = 20;
    s.engines = 2;
    s.engine[0] = s.engine[1] = EngineKind::TurboRamjet;
    s.tmax_lbf = kRatedLbf;
    s.tsfc = 0.08;
    s.fuel[0] = s.fuel[1] = s.fuel[2] = 5000;   // the plug-in fills them five seconds after the load
    s.water = 0;
    s.sweep_rate = 0.2;
    s.swept_wave_drag = 0.6;
    return s;
}

const char* const Dihedral = "sim/flightmodel/controls/dihed_rqst";
const char* const Sweep = "sim/flightmodel/controls/swdirqst";
const char* const Tmax = "sim/aircraft/engine/acf_tmax";
const char* const Water = "sim/flightmodel/weight/m_jettison";
const char* const Selector = "sim/cockpit/weapons/firing_mode";
const char* const LandingLights = "sim/cockpit/electrical/landing_lights_on";

// What the jet's panel page shows in this frame.
struct JetPage {
    bool   thrust_line = false, water_line = false;
    double factor = 0, use = 0;          // "TMAX  ...  H2O  ...  KG/S"
    double water = 0, hours = -1;        // "  WATER:  ...  KG  ...  H"; no hours without use
};

JetPage read_page()
{
    JetPage page;
    int thrustY = 1 << 30, waterY = 1 << 30, thrustX = 0, waterX = 0;
    const auto& ops = xphost::display_list();
    for (const auto& op : ops) {
        if (op.kind != xphost::DrawOp::String || op.source != "phase 40")
            continue;
        if (op.text.rfind("TMAX ", 0) == 0) {
            page.thrust_line = true;
            thrustY = op.y;
            thrustX = op.x;
        } else if (op.text.rfind("  WATER: ", 0) == 0) {
            page.water_line = true;
            waterY = op.y;
            waterX = op.x;
        }
    }
    std::vector<const xphost::DrawOp*> thrust, water;
    for (const auto& op : ops) {
        if (op.kind != xphost::DrawOp::Number || op.source != "phase 40")
            continue;
        if (op.y == thrustY && op.x > thrustX)
            thrust.push_back(&op);
        if (op.y == waterY && op.x > waterX)
            water.push_back(&op);
    }
    auto byX = [](const xphost::DrawOp* a, const xphost::DrawOp* b) { return a->x < b->x; };
    std::sort(thrust.begin(), thrust.end(), byX);
    std::sort(water.begin(), water.end(), byX);
    if (thrust.size() >= 2) {
        page.factor = thrust[0]->value;
        page.use = thrust[1]->value;
    } else {
        page.thrust_line = false;
    }
    if (!water.empty())
        page.water = water[0]->value;
    else
        page.water_line = false;
    if (water.size() >= 2)
        page.hours = water[1]->value;
    return page;
}

std::string fmt(const char* format, double a = 0, double b = 0, double c = 0, double d = 0)
{
    char buf[240];
    std::snprintf(buf, sizeof buf, format, a, b, c, d);
    return buf;
}

// The plug-in's writes with the flight's state at that moment.
class JetWatch : public WriteObserver {
public:
    explicit JetWatch(Runner& r) : r_(r) {}

    struct Written {
        double value, mach, ft, ias;
    };
    std::vector<Written> dihedral, sweep, tmax, water;
    bool water_grew = false, water_negative = false;
    double first_use_ft = -1;            // where the injection first took water
    int selector = 0;                    // as the pilot last set it

    void on_write(const xphost::Write& w) override
    {
        if (!w.accepted || w.values.empty())
            return;
        const Observed& o = r_.model.observed();
        const Written x{w.values[0], o.mach, o.altitude_ft, o.ias_kt};
        Timeline& tl = r_.timeline;
        if (w.path == Dihedral) {
            dihedral.push_back(x);
            tl.event(fmt("dihedral request %.0f at Mach %.2f", x.value, x.mach));
        } else if (w.path == Sweep) {
            sweep.push_back(x);
            tl.event(fmt("sweep request %.1f at Mach %.2f, %.0f kt indicated", x.value, x.mach, x.ias));
        } else if (w.path == Tmax) {
            tmax.push_back(x);
        } else if (w.path == Water) {
            const double before = water.empty() ? last_loaded_ : water.back().value;
            if (x.value > before && !water.empty())
                water_grew = true;
            if (x.value < 0)
                water_negative = true;
            if (selector != 3 && x.value < before - 1e-4 && first_use_ft < 0) {
                first_use_ft = x.ft;
                tl.event(fmt("water injection on: it takes its first %.4f kg", before - x.value));
                r_.moment("water");
            }
            water.push_back(x);
        }
    }
    void loaded(double kg) { last_loaded_ = kg; }

private:
    Runner& r_;
    double last_loaded_ = 0;
};

void need(bool ok, const std::string& what, Outcome& out)
{
    if (!ok)
        out.missing.push_back(what);
}

}  // namespace

Outcome fly_hyperjet(Runner& r)
{
    Outcome out;
    Timeline& tl = r.timeline;
    tl.set_aircraft(Timeline::Aircraft::None);
    tl.heading("Solace HX hypersonic business jet: water injection, thrust factor and wing schedule");
    JetWatch watch(r);
    tl.on_any_write = [&watch](const xphost::Write& w) { watch.on_write(w); };
    FlightModel& m = r.model;

    r.load_aircraft(jet_airframe(), kJetDescription, nullptr, 0, true);
    tl.event(std::string("jet loaded at the airport: \"") + kJetDescription + "\"");
    // The pilot's panel: the 2-D cockpit view (the page shows only there),
    // ECAM page 0, the sweep switch (puffers) on, landing lights on.
    xphost::set_i("sim/graphics/view/view_type", 1000);
    xphost::set_i("sim/cockpit/switches/ECAM_mode", 0);
    HostBridge::pilot_set("sim/cockpit/switches/puffers_on", 1);
    HostBridge::pilot_set(LandingLights, 1);
    r.run_for(6.0);
    const float loadedWater = xphost::get_f(Water);
    watch.loaded(loadedWater);
    watch.selector = xphost::get_i(Selector);
    tl.event(fmt("first action: %.1f kg of water for the injection, selector %.0f (automatic)", loadedWater,
                 watch.selector));
    need(std::fabs(loadedWater - 1360.64) < 0.1, fmt("the first action loaded %.1f kg of water, not 1360.6", loadedWater),
         out);
    r.moment("loaded");

    tl.event("pilot: throttles full, parking brake off");
    m.pilot.throttle = 1.0f;
    m.pilot.hand_flying = true;
    m.pilot.pitch_deg = 10.0f;
    HostBridge::pilot_set("sim/flightmodel/controls/parkbrake", 0);
    if (!r.run_until([&] { return !m.observed().on_ground; }, 120)) {
        out.missing.push_back("the jet never left the runway");
        return out;
    }
    tl.event(fmt("lift-off at %.0f kt", m.observed().ias_kt));
    r.run_until([&] { return m.observed().altitude_ft > 500; }, 60);
    HostBridge::pilot_set("sim/cockpit/switches/gear_handle_status", 0);
    tl.event("pilot: gear up");
    const bool lightsOff = r.run_until([] { return xphost::get_i(LandingLights) == 0; }, 2.0);
    if (lightsOff)
        tl.event("landing lights off with the gear");
    need(lightsOff, "the landing lights did not go off with the gear", out);

    // The host's autopilot climbs at a vertical speed and its autothrottle
    // holds a Mach number.
    auto autopilot = [&](float feet, float fpm, float mach) {
        xphost::set_i("sim/cockpit/autopilot/autopilot_mode", 2);
        xphost::set_i("sim/cockpit/autopilot/autopilot_state", 16 | 1);
        xphost::set_i("sim/cockpit/autopilot/airspeed_is_mach", 1);
        xphost::set_f("sim/cockpit/autopilot/airspeed", mach);
        xphost::set_f("sim/cockpit/autopilot/altitude", feet);
        // (the model's vertical speed mode takes the dialled rate as a limit either way)
        xphost::set_f("sim/cockpit/autopilot/vertical_velocity", std::fabs(fpm));
        m.pilot.hand_flying = false;
        tl.event(fmt("pilot: autopilot to %.0f ft at %+.0f ft/min, Mach %.2f", feet, fpm, mach));
    };
    struct Leg {
        float feet, fpm, mach;
    };
    for (const Leg& leg : {Leg{30000, 4000, 0.9f}, Leg{45000, 3000, 2.0f}, Leg{62000, 2500, 3.0f}}) {
        autopilot(leg.feet, leg.fpm, leg.mach);
        if (!r.run_until([&] { return m.observed().altitude_ft > leg.feet - 100; }, 900)) {
            out.missing.push_back(fmt("the jet never climbed to %.0f ft", leg.feet));
            return out;
        }
    }
    autopilot(62000, 2500, 3.8f);

    // Cruise: the speed settles where the falling thrust factor meets the drag.
    double topMach = 0, topFactor = 1;
    JetPage cruise;
    r.run_until([&] {
        topMach = std::max(topMach, static_cast<double>(m.observed().mach));
        return false;
    }, 600);
    cruise = read_page();
    topFactor = cruise.factor;
    tl.event(fmt("cruise: the page shows TMAX %.4f and %.3f kg/s of water", cruise.factor, cruise.use));
    r.moment("cruise");
    xphost::set_i("sim/cockpit/switches/ECAM_mode", 1);
    r.run_for(1.0);
    const JetPage cruiseWater = read_page();
    tl.event(fmt("pilot: ECAM page 1: %.1f kg of water left, %.2f h at this rate", cruiseWater.water, cruiseWater.hours));
    r.moment("cruise-water");
    xphost::set_i("sim/cockpit/switches/ECAM_mode", 0);

    const double rated = kRatedLbf;
    const double writtenFactor = watch.tmax.empty() ? -1 : watch.tmax.back().value / rated;
    need(cruise.thrust_line, "the panel page showed no thrust line at cruise", out);
    need(std::fabs(cruise.factor - writtenFactor) < 1e-3,
         fmt("the page's thrust factor %.4f is not the %.4f written to the engines", cruise.factor, writtenFactor), out);
    // With water the factor falls only beyond Mach 2: 1 - 0.85 ((M - 2) / 2)^2.
    const double mach = m.observed().mach, offDesign = (mach - 2.0) / 2.0;
    const double withWater = std::max(0.0, 1.0 - 0.85 * offDesign * offDesign);
    need(mach > 2.5 && std::fabs(cruise.factor - withWater) < 0.01,
         fmt("at Mach %.2f with water the page shows a thrust factor of %.4f, not %.4f", mach, cruise.factor, withWater),
         out);
    need(cruise.use > 0, "the page showed no water used at cruise", out);
    need(cruiseWater.water_line && cruiseWater.hours > 0, "ECAM page 1 showed no water and endurance", out);

    // Down to 8,000 ft; the last 3,000 ft slowly, so the injection is still
    // on for a while below 10,000 ft.
    autopilot(11000, -5000, 0.85f);
    r.run_until([&] { return m.observed().altitude_ft < 11100; }, 1200);
    autopilot(8000, -800, 0.7f);
    const double waterAt11k = watch.water.empty() ? loadedWater : watch.water.back().value;
    // The page shows the figure of the last once-a-second step: judge it
    // once two steps have passed below 10,000 ft.
    bool sawZeroUseLow = false, sawUseBelow10k = false;
    double below10k = -1;
    r.run_until([&] {
        const double ft = m.observed().altitude_ft;
        if (ft < 10000 && below10k < 0)
            below10k = m.time();
        if (ft > 9760 && below10k >= 0 && m.time() - below10k > 2.2) {
            const JetPage p = read_page();
            if (p.thrust_line && p.use == 0.0 && !sawZeroUseLow) {
                sawZeroUseLow = true;
                tl.event("below 10,000 ft the page shows 0.000 kg/s of water: none used, none added");
            }
            if (p.thrust_line && p.use != 0.0)
                sawUseBelow10k = true;
        }
        return ft < 8100;
    }, 900);
    const double waterLow = watch.water.empty() ? loadedWater : watch.water.back().value;
    tl.event(fmt("below 9,750 ft: %.1f kg of water left (%.1f kg at 11,100 ft)", waterLow, waterAt11k));
    need(sawZeroUseLow && !sawUseBelow10k, "the page showed water used or added between 9,750 and 10,000 ft", out);
    need(waterLow <= waterAt11k, "the water grew on the way down", out);

    // Dump what is left: 30 kg a second down to an empty tank.
    HostBridge::pilot_set(Selector, 3);
    watch.selector = 3;
    tl.event("pilot: water selector to dump");
    const float beforeDump = xphost::get_f(Water);
    const double dumpStart = r.now();
    r.run_until([&] { return xphost::get_f(Water) <= beforeDump / 2; }, 120);
    r.moment("dump", fmt("dumping the water: %.0f kg left", xphost::get_f(Water)));
    r.run_until([&] { return xphost::get_f(Water) <= 0.0f; }, 120);
    // 30 kg a simulated second, taken once a second from the first check on.
    const double dumped = r.now() - dumpStart, wanted = std::ceil(beforeDump / 30.0);
    need(dumped >= wanted - 1.0 - r.longest_frame() && dumped <= wanted + r.longest_frame(),
         fmt("%.0f kg were dumped in %.1f s, not at 30 kg a second", beforeDump, dumped), out);
    r.run_for(5.0);
    const float end = xphost::get_f(Water);
    tl.event(fmt("water tank: %.1f kg", end));
    need(end == 0.0f, fmt("the dump left %.1f kg", end), out);
    r.moment("end");

    // The wing schedule.
    const auto& d = watch.dihedral;
    need(!d.empty() && d.front().value == 1.0 && d.front().mach <= 0.45, "dihedral was not requested at low speed", out);
    bool dihedralOff = false;
    for (const auto& w : d)
        dihedralOff = dihedralOff || (w.value == 0.0 && w.mach >= 0.49);
    need(dihedralOff, "dihedral was not taken off beyond Mach 0.5", out);
    bool swept = false, high = false, highOk = true;
    for (const auto& w : watch.sweep) {
        if (w.ft < 50000 && w.value == 1.0 && w.mach >= 0.94)
            swept = true;
        if (w.ft >= 50000 && w.mach >= 0.95) {
            // by airspeed up there; the reading may be a frame older than ours
            high = true;
            const bool ok = (w.value == 0.0 && w.ias < 580) || (w.value == 0.5 && w.ias > 570 && w.ias < 625)
                            || (w.value == 1.0 && w.ias > 625);
            if (!ok) {
                highOk = false;
                out.missing.push_back(fmt("sweep %.1f at %.0f kt above 50,000 ft", w.value, w.ias));
            }
        }
    }
    need(swept, "the wing was not swept beyond Mach 0.95", out);
    need(high && highOk, "the sweep was not scheduled by airspeed above 50,000 ft", out);

    // The water's own record.
    need(watch.first_use_ft >= 9990, fmt("water was first used at %.0f ft, below 10,000 ft", watch.first_use_ft), out);
    need(!watch.water_grew, "the plug-in added water to the tank", out);
    need(!watch.water_negative, "the plug-in wrote a negative water load", out);

    const double used = loadedWater - waterLow;
    out.summary = fmt("top Mach %.2f at 62,000 ft with thrust factor %.4f; %.1f kg of water injected; ", topMach, topFactor,
                      used);
    out.summary += fmt("%.0f dihedral and %.0f sweep requests; water dumped to %.1f kg", static_cast<double>(d.size()),
                       static_cast<double>(watch.sweep.size()), end);
    tl.on_any_write = nullptr;
    return out;
}

}  // namespace sim
