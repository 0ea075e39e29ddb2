// sim/fighter.cpp: the Stormfalk flight. The pilot loads JATO, drop tanks and
// a bomb, opens the custom data box, takes off on the JATO and later drops the
// tanks and the bomb; the plug-in drops the spent JATO unit, raises the gear,
// tracks the drop-tank fuel and measures the bomb's flight. The outcome is
// judged from what the plug-in writes and draws, against the flight model.
#include "fighter.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <string>

#include "xphost.h"

namespace sim {

const char* const kFighterDescription = "QZT Stormfalk SF-1";

Airframe fighter_airframe()
{
    Airframe s;
    s.name = "Stormfalk SF-1";
    s.empty_mass = 4000;
    s.wing_area = 26;
    s.alpha_max = 14;
    s.max_load = 6;
    s.rotate_kt = 100;
    s.pitch_rate = 8;
    s.trim_alpha0 = 1;
    s.trim_alpha = 20;
    s.engines = 2;
    s.engine[0] = s.engine[1] = EngineKind::Turbojet;
    s.tmax_lbf = 2000;
    s.tsfc = 0.14;
    s.jato_thrust = 10000;      // the host's JATO, filled by the plug-in
    s.fuel[0] = 729;
    s.fuel[1] = 365;
    s.fuel[2] = 200;
    s.store_cd_area = 0.3;      // tanks and the JATO unit tumble
    return s;
}

namespace {

// Stores the plug-in knows by their full mass and fuel capacity.
constexpr int   kJatoUnitStation = 0, kFirstTank = 2, kSecondTank = 3, kBombStation = 4;
constexpr int   kJatoType = 19, kTankType = 23, kBombType = 22;
constexpr float kJatoUnitMass = 124.7f;
constexpr float kTankFuel = 243.0f, kTankEmpty = 20.41f;   // 300 l
constexpr float kBombMass = 250.0f, kBombDragArea = 0.04f;

constexpr int kStripX = 25, kStripY = 600;   // inside the custom data strip
constexpr double kCruiseFt = 10000;

std::string fmt(const char* format, double a = 0, double b = 0, double c = 0, double d = 0)
{
    char buf[240];
    std::snprintf(buf, sizeof buf, format, a, b, c, d);
    return buf;
}

// ---- the custom data box, read from the plug-in's drawing

struct WeaponRow {
    bool   listed = false;      // " WEAPON KIND": still on its station
    bool   figures = false;     // speed, speed over the launch speed, distance
    double kind = 0;
    double speed = 0, over = 0, distance = 0;   // km/h, km/h, km
};

struct DataBox {
    bool   shown = false;
    double true_kmh = 0;
    bool   tanks = false;
    double tank_count = 0, litres = 0, hours = 0, range_km = 0;
    bool   jato = false;
    double jato_s = 0;
    WeaponRow rows[8];
};

// The box's rows are 15 pixels apart around the " TRUE" row (row 5); labels
// start at the box's left edge, figures in three columns (the drop tanks'
// range further right).
constexpr int kCol1 = 5, kCol2 = 41, kCol3 = 82, kRange = 108, kBoxWidth = 150;

DataBox read_box()
{
    DataBox box;
    int row5 = INT_MIN;
    const auto& ops = xphost::display_list();
    for (const auto& op : ops) {
        if (op.source.rfind("window", 0) != 0)
            continue;
        if (op.kind == xphost::DrawOp::Box && op.left == 0)
            box.shown = true;
        if (op.kind == xphost::DrawOp::String && op.x == 0 && op.text.rfind(" TRUE:", 0) == 0)
            row5 = op.y;
    }
    if (!box.shown || row5 == INT_MIN)
        return DataBox{};

    double col3[8] = {};
    for (const auto& op : ops) {
        if (op.source.rfind("window", 0) != 0 || op.kind == xphost::DrawOp::Box || op.x > kBoxWidth
            || (row5 - op.y) % 15 != 0)
            continue;
        const int row = 5 + (row5 - op.y) / 15;
        WeaponRow* w = row >= 7 && row < 15 ? &box.rows[row - 7] : nullptr;
        if (op.kind == xphost::DrawOp::String) {
            if (op.text == "  DROP TANKS       l")
                box.tanks = true;
            else if (op.text == " JATO:      sec")
                box.jato = true;
            else if (w && op.text == " WEAPON KIND")
                w->listed = true;
            continue;
        }
        if (row == 5 && op.x == kCol2) box.true_kmh = op.value;
        if (row == 3 && op.x == kCol1) box.tank_count = op.value;
        if (row == 3 && op.x == kCol3) box.litres = op.value;
        if (row == 4 && op.x == kCol2) box.hours = op.value;
        if (row == 4 && op.x == kRange) box.range_km = op.value;
        if (row == 2 && op.x == kCol2) box.jato_s = op.value;
        if (w && op.x == kCol1) {
            w->figures = true;
            w->speed = op.value;
        }
        if (w && op.x == kCol2) w->over = op.value;
        if (w && op.x == kCol3) col3[row - 7] = op.value;
    }
    for (int i = 0; i < 8; ++i) {
        if (box.rows[i].listed)
            box.rows[i].kind = col3[i];
        else
            box.rows[i].distance = col3[i];
    }
    return box;
}

// The box lists, one row each from row 7, the stations whose store the
// plug-in counts as a weapon, in station order: the two tanks and the bomb.
constexpr int kListedStations[] = {kFirstTank, kSecondTank, kBombStation};

// What the box's kind number means, for a person reading the timeline.
const char* kind_name(double kind)
{
    switch (static_cast<int>(kind)) {
    case 9: return "a glide bomb";
    case 21: return "a missile";
    case 22: return "a bomb";
    case 23: return "a drop tank";
    default: return "a store";
    }
}

std::string box_text(const DataBox& b)
{
    if (!b.shown)
        return "the custom data box is not shown";
    std::string s = fmt("data box: TRUE %.0f km/h", b.true_kmh);
    if (b.jato)
        s += fmt("; JATO %.1f s", b.jato_s);
    if (b.tanks && b.hours < 100)
        s += fmt("; %.0f drop tanks, %.0f l for %.2f h, %.0f km", b.tank_count, b.litres, b.hours, b.range_km);
    else if (b.tanks)
        s += fmt("; %.0f drop tanks, %.0f l (engines idle: no time or range yet)", b.tank_count, b.litres);
    for (int i = 0; i < 3; ++i) {
        const WeaponRow& w = b.rows[i];
        const double station = kListedStations[i];
        if (w.listed)
            s += std::string("; station ") + fmt("%.0f", station) + ": " + kind_name(w.kind) + fmt(" aboard (kind %.0f)", w.kind);
        else if (w.figures)
            s += fmt("; station %.0f: %.0f km/h, %+.0f over launch, %.2f km", station, w.speed, w.over, w.distance);
    }
    return s;
}

// ---- what the plug-in writes

struct Watch {
    double jato_filled = -1;    // the plug-in gave the host's JATO 30 s
    bool   fired = false;       // the pilot fired the JATO
    double burnout = -1, burnout_tas = 0;
    double pressed = -1, pressed_tas = 0;
    bool   armed_at_press = false;
    double let_go = -1;
    double gear_up = -1;
    double dry = -1;            // the puffers light out: drop tanks dry
    double low = -1;            // the drop tanks first held 2 kg or less
    bool   bombs = false;
};

double distance(const FreeBody& a, double x, double y, double z)
{
    return std::sqrt((a.x - x) * (a.x - x) + (a.y - y) * (a.y - y) + (a.z - z) * (a.z - z));
}

}  // namespace

Outcome fly_fighter(Runner& r)
{
    Outcome out;
    Timeline& tl = r.timeline;
    FlightModel& m = r.model;
    tl.set_aircraft(Timeline::Aircraft::None);
    tl.heading("Stormfalk SF-1 jet fighter: JATO unit on station 0, 300 l drop tanks on 2 and 3, a bomb on 4");

    Watch w;
    tl.on_any_write = [&](const xphost::Write& wr) {
        if (!wr.accepted || wr.values.empty())
            return;
        const double v = wr.values[0];
        const double t = m.time();
        if (wr.path == "sim/flightmodel/misc/jato_left" && v > 29.9 && w.jato_filled < 0) {
            w.jato_filled = t;
            tl.event("the plug-in finds the JATO unit and gives the JATO 30 s");
        } else if (wr.path == "sim/cockpit/weapons/bombs_armed") {
            w.bombs = v != 0;
        } else if (wr.path == "sim/joystick/fire_key_is_down" && v != 0 && w.pressed < 0) {
            w.pressed = t;
            w.pressed_tas = m.observed().tas;
            w.armed_at_press = w.bombs;
            tl.event(fmt("the plug-in arms the bombs and presses the release, %.1f s after burn-out",
                         w.burnout >= 0 ? t - w.burnout : -1.0));
        } else if (wr.path == "sim/joystick/fire_key_is_down" && v == 0 && w.pressed >= 0 && w.let_go < 0) {
            w.let_go = t;
            tl.event(w.bombs ? "the plug-in lets go of the release" : "the plug-in lets go of the release and disarms");
        } else if (wr.path == "sim/cockpit/switches/gear_handle_status" && v == 0 && w.gear_up < 0) {
            w.gear_up = t;
            tl.event("the plug-in raises the gear");
        } else if (wr.path == "sim/cockpit/switches/puffers_on" && v == 0 && w.dry < 0) {
            w.dry = t;
            tl.event(fmt("the plug-in puts the puffers light out: drop tanks dry (%.1f kg left in them)", m.drop_fuel()));
        }
    };
    // Runs until cond holds, noticing the JATO's burn-out on the way.
    auto fly_until = [&](const std::function<bool()>& cond, double timeout) {
        return r.run_until(
            [&] {
                if (w.fired && w.burnout < 0 && m.observed().jato_left <= 0.0f) {
                    w.burnout = m.time();
                    w.burnout_tas = m.observed().tas;
                    tl.event(fmt("JATO burnt out at %.0f m/s true airspeed", w.burnout_tas));
                }
                if (w.low < 0 && w.jato_filled >= 0 && m.drop_fuel() <= 2.0)
                    w.low = m.time();
                return cond();
            },
            timeout);
    };

    Store stores[5];
    stores[kJatoUnitStation] = Store{kJatoType, 0, kJatoUnitMass};
    stores[kFirstTank] = stores[kSecondTank] = Store{kTankType, 0, kTankFuel + kTankEmpty, kTankFuel, kTankFuel};
    stores[kBombStation] = Store{kBombType, 0, kBombMass, 0, 0, kBombDragArea};
    r.load_aircraft(fighter_airframe(), kFighterDescription, stores, 5, true);
    tl.event(std::string("fighter loaded at the airport: \"") + kFighterDescription + "\"");
    r.run_for(6.0);
    int loops = 0;
    for (const auto& loop : xphost::flight_loops())
        loops += loop.active;
    if (r.options.verbose)
        tl.event(fmt("plug-in running: %.0f flight loop, %.0f windows (handbook and custom data strips)", loops,
                     xphost::windows().size()));
    if (w.jato_filled < 0)
        out.missing.push_back("the plug-in did not fit the JATO unit (no 30 s of JATO)");

    tl.event("pilot: clicks the far left of the screen for the custom data");
    if (!xphost::click(kStripX, kStripY))
        out.missing.push_back("no click strip at the left edge of the screen");
    r.run_for(0.5);
    DataBox box = read_box();
    tl.event(box_text(box));
    if (!box.shown || !box.tanks || std::fabs(box.litres - 600) > 1 || !box.jato || !box.rows[2].listed)
        out.missing.push_back("the data box did not show the drop tanks (600 l), the JATO and the listed stores");
    r.moment("loaded");

    tl.event("pilot: throttles full, parking brake off, JATO fired");
    m.pilot.throttle = 1.0f;
    m.pilot.hand_flying = true;
    m.pilot.pitch_deg = 12.0f;
    HostBridge::pilot_set("sim/flightmodel/controls/parkbrake", 0);
    m.fire_jato();
    w.fired = true;
    r.moment("jato");
    if (!fly_until([&] { return !m.observed().on_ground; }, 60)) {
        out.missing.push_back("the fighter never left the runway");
        return out;
    }
    tl.event(fmt("lift-off at %.0f kt", m.observed().ias_kt));
    m.pilot.pitch_deg = 8.0f;
    fly_until([&] { return m.stores[kJatoUnitStation].status != 0; }, 60);
    fly_until([&] { return w.let_go >= 0 && w.gear_up >= 0; }, 15);
    r.run_for(2.0);
    box = read_box();
    tl.event(box_text(box));

    if (w.burnout < 0)
        out.missing.push_back("the JATO never burnt out");
    if (m.stores[kJatoUnitStation].status == 0 || w.pressed < 0)
        out.missing.push_back("the plug-in did not drop the spent JATO unit");
    // The once-a-second check sees the burn-out within a second and presses the
    // release 2 s later, in simulated seconds.
    else if (w.burnout >= 0 && (w.pressed - w.burnout < 2.0 - r.longest_frame() ||
                                w.pressed - w.burnout > 3.0 + r.longest_frame() || w.pressed_tas <= 40))
        out.missing.push_back(fmt("the JATO unit was dropped %.1f s after burn-out at %.0f m/s", w.pressed - w.burnout,
                                  w.pressed_tas));
    if (w.let_go < 0 || w.bombs)
        out.missing.push_back("the plug-in kept the release pressed or the bombs armed");
    if (w.gear_up < 0)
        out.missing.push_back("the plug-in did not raise the gear after the JATO");
    if (box.jato)
        out.missing.push_back("the data box still shows the JATO after the unit left");

    tl.event("pilot: autopilot on, altitude hold 10,000 ft, 350 kt");
    m.pilot.hand_flying = false;
    HostBridge::pilot_set("sim/cockpit/autopilot/altitude", static_cast<float>(kCruiseFt));
    HostBridge::pilot_set("sim/cockpit/autopilot/airspeed", 350);
    HostBridge::pilot_set("sim/cockpit/autopilot/airspeed_is_mach", 0);
    HostBridge::pilot_set("sim/cockpit/autopilot/autopilot_state", 16384 | 1);
    HostBridge::pilot_set("sim/cockpit/autopilot/autopilot_mode", 2);

    // Cruise on the drop tanks, with a look at the box now and then.
    double first_litres = -1, last_litres = -1;
    double next_look = m.time() + 60;
    const bool dry = fly_until(
        [&] {
            if (m.time() >= next_look) {
                next_look += 240;
                const DataBox b = read_box();
                tl.event(box_text(b));
                if (b.tanks) {
                    if (first_litres < 0)
                        first_litres = b.litres;
                    last_litres = b.litres;
                }
            }
            return w.dry >= 0;
        },
        3600);
    if (!dry)
        out.missing.push_back("the plug-in never showed the drop tanks dry (puffers light)");
    if (first_litres < 0 || !(last_litres < first_litres))
        out.missing.push_back("the data box did not show the drop-tank fuel going down");
    if (m.drop_fuel() > 5.0)
        out.missing.push_back(fmt("the tanks were called dry with %.0f kg in them", m.drop_fuel()));
    // ... within the once-a-second check of their last 2 kg, in simulated seconds.
    if (dry && (w.low < 0 || w.dry < w.low - r.longest_frame() || w.dry > w.low + 1.0 + r.longest_frame()))
        out.missing.push_back(fmt("the tanks were called dry %.1f s after they fell to 2 kg", w.dry - w.low));

    tl.event("pilot: bombs armed, release pressed twice: the drop tanks go");
    r.bridge.pilot_fire(true, false);
    r.run_for(1.0);
    r.bridge.pilot_fire(true, false);
    HostBridge::pilot_set("sim/cockpit/weapons/bombs_armed", 0);
    r.run_for(3.0);
    box = read_box();
    tl.event(box_text(box));
    r.moment("tanks");
    if (m.stores[kFirstTank].status == 0 || m.stores[kSecondTank].status == 0)
        out.missing.push_back("the drop tanks did not leave the aircraft");
    if (box.tanks)
        out.missing.push_back("the data box still shows drop tanks after they were dropped");
    if (!box.rows[0].figures || !box.rows[1].figures)
        out.missing.push_back("the data box shows no figures for the dropped tanks");

    // The tanks come down; then the bomb.
    fly_until([&] { return m.body(kFirstTank).landed && m.body(kSecondTank).landed; }, 120);
    r.run_for(5.0);
    const DataBox before = read_box();
    tl.event(fmt("the drop tanks lie %.2f and %.2f km from where they left the aircraft", before.rows[0].distance,
                 before.rows[1].distance));

    tl.event("pilot: bombs armed, bomb released");
    const int bomb = r.bridge.pilot_fire(true, false);
    HostBridge::pilot_set("sim/cockpit/weapons/bombs_armed", 0);
    if (bomb != kBombStation) {
        out.missing.push_back("the bomb did not leave the aircraft");
        return out;
    }
    const FreeBody start = m.body(kBombStation);
    r.run_for(12.0);
    box = read_box();
    r.moment("launch");
    const FreeBody& b = m.body(kBombStation);
    const double model_kmh = std::sqrt(b.vx * b.vx + b.vy * b.vy + b.vz * b.vz) * 3.6;
    const double model_km = distance(b, start.x, start.y, start.z) / 1000.0;
    tl.event(box_text(box));
    tl.event(fmt("flight model: the bomb flies at %.0f km/h, %.2f km from where it left, %.0f ft up", model_kmh,
                 model_km, b.y / 0.3048));
    const WeaponRow& row = box.rows[2];
    if (!row.figures)
        out.missing.push_back("the data box shows no figures for the bomb");
    else if (std::fabs(row.speed - model_kmh) > 2.0 || std::fabs(row.distance - model_km) > 0.01 + 0.01 * model_km)
        out.missing.push_back(fmt("the data box shows the bomb at %.0f km/h and %.2f km, the flight model %.0f km/h and %.2f km",
                                  row.speed, row.distance, model_kmh, model_km));
    for (int i = 0; i < 2; ++i)
        if (std::fabs(box.rows[i].distance - before.rows[i].distance) > 0.001)
            out.missing.push_back(fmt("the bomb's launch moved drop tank %.0f's distance from %.2f to %.2f km", i + 1.0,
                                      before.rows[i].distance, box.rows[i].distance));

    fly_until([&] { return m.body(kBombStation).landed; }, 120);
    r.run_for(2.0);
    const DataBox last = read_box();
    tl.event(fmt("the bomb is down %.2f km from where it left the aircraft (data box)", last.rows[2].distance));
    r.moment("end");

    out.summary = w.pressed >= 0 && w.burnout >= 0
                      ? fmt("JATO burnt out at %.0f m/s, unit dropped %.1f s later; ", w.burnout_tas, w.pressed - w.burnout)
                      : std::string("JATO unit not dropped; ");
    out.summary += w.dry >= 0 ? "drop tanks dry at " + clock_text(w.dry) + " and dropped; " : "drop tanks never dry; ";
    out.summary += fmt("bomb after 12 s: data box %.0f km/h, %.2f km; flight model %.0f km/h, %.2f km", row.speed,
                       row.distance, model_kmh, model_km);
    return out;
}

}  // namespace sim
