// The flight model's fighter parts and what the host shows of them: plain
// turbojets fed from the drop tanks first, the host's own JATO, and released
// stores that fly on, each by itself, until they lie on the ground.
#include <gtest/gtest.h>

#include <cmath>

#include "XPLMDataAccess.h"
#include "atmosphere.h"
#include "bridge.h"
#include "model.h"
#include "xphost.h"

using namespace sim;

namespace {

constexpr double kLbf = 4.448222;

// Full thrust of both turbojets at an elevation (the field lies at 3 m).
double full_thrust(double elevation_m)
{
    return 2 * 2000 * kLbf * std::pow(atmosphere(elevation_m).density / kSeaLevelDensity, 0.7);
}

Airframe jet()
{
    Airframe a;
    a.name = "test jet";
    a.empty_mass = 4000;
    a.wing_area = 26;
    a.engines = 2;
    a.engine[0] = a.engine[1] = EngineKind::Turbojet;
    a.tmax_lbf = 2000;
    a.tsfc = 0.14;
    a.jato_thrust = 10000;
    a.fuel[0] = 700;
    a.fuel[1] = 300;
    a.store_cd_area = 0.3;
    return a;
}

// Stations: 0 a JATO unit, 2 and 3 drop tanks with 100 kg each, 4 a bomb.
void load_stores(FlightModel& m)
{
    m.stores[0] = Store{19, 0, 124.7f};
    m.stores[2] = m.stores[3] = Store{23, 0, 120.0f, 100.0f, 100.0f};
    m.stores[4] = Store{22, 0, 250.0f, 0, 0, 0.04f};
}

FlightModel jet_at(double altitude_m, double speed)
{
    FlightModel m;
    m.load(jet(), 0, 0, 3, 90);
    load_stores(m);
    m.controls.num_engines = 2;
    m.controls.mixture[0] = m.controls.mixture[1] = 1;
    m.controls.tmax_lbf = 2000;
    m.controls.gear_down = altitude_m < 10;
    if (altitude_m > 10) {
        m.place(0, altitude_m, 0);
        m.set_velocity(speed, 0, 0);
    }
    m.pilot.throttle = 1;
    m.refresh();
    return m;
}

}  // namespace

TEST(FighterModel, TurbojetsDrawOnTheDropTanksFirstAndLoseThrustWithHeight)
{
    FlightModel m = jet_at(0, 0);
    const double mass = m.mass();
    m.step(1.0);
    const double thrust = full_thrust(3);
    EXPECT_NEAR(m.observed().thrust, thrust, 1.0);
    const double burnt = thrust * 0.14 / 3600.0;      // kg in the second
    EXPECT_NEAR(m.observed().fuel_flow[0] + m.observed().fuel_flow[1], burnt, 1e-5);
    EXPECT_NEAR(m.drop_fuel(), 200.0 - burnt, 1e-3);   // kept in single precision
    EXPECT_NEAR(m.stores[2].fuel, m.stores[3].fuel, 1e-5);  // both tanks alike
    EXPECT_DOUBLE_EQ(m.fuel_total(), 1000.0);
    EXPECT_NEAR(m.mass(), mass - burnt, 1e-3);
    EXPECT_NEAR(m.stores[2].mass_now(), 120.0f - burnt / 2, 1e-3);

    // Dry tanks: the engines go on with the aircraft's own fuel.
    m.stores[2].fuel = m.stores[3].fuel = 0;
    m.step(1.0);
    EXPECT_LT(m.fuel_total(), 1000.0);

    FlightModel high = jet_at(6000, 200);
    high.step(0.02);
    EXPECT_NEAR(high.observed().thrust, full_thrust(6000), 10.0);
    EXPECT_LT(full_thrust(6000), 0.7 * thrust);
}

TEST(FighterModel, TheHostsJatoBurnsItsTimeOnceFired)
{
    FlightModel m = jet_at(0, 0);
    m.set_jato_left(3.0);
    m.step(1.0);
    EXPECT_NEAR(m.observed().jato_left, 3.0f, 1e-6);   // not fired yet
    m.fire_jato();
    m.step(1.0);
    EXPECT_NEAR(m.observed().jato_left, 2.0f, 1e-4);
    EXPECT_NEAR(m.observed().thrust, full_thrust(3) + 10000, 1.0);
    m.step(3.0);
    EXPECT_EQ(m.observed().jato_left, 0.0f);
    EXPECT_NEAR(m.observed().thrust, full_thrust(3), 1.0);

    // Filled again, it waits for the next firing.
    m.set_jato_left(30.0);
    m.step(1.0);
    EXPECT_NEAR(m.observed().jato_left, 30.0f, 1e-6);
    m.set_jato_left(-5.0);
    EXPECT_EQ(m.observed().jato_left, 30.0f);
    m.refresh();
    EXPECT_EQ(m.observed().jato_left, 0.0f);
}

TEST(FighterModel, ReleasedStoresFlyEachOnTheirOwnUntilTheyLieOnTheGround)
{
    FlightModel m = jet_at(1000, 200);
    EXPECT_EQ(m.fire(false, true), -1);                // missiles armed leave them all
    EXPECT_EQ(m.fire(true, false), 0);                 // in station order: the JATO unit,
    EXPECT_EQ(m.fire(true, false), 2);                 // the tanks,
    EXPECT_EQ(m.fire(true, false), 3);
    m.step(2.0);
    EXPECT_EQ(m.fire(true, false), 4);                 // the bomb
    EXPECT_EQ(m.fire(true, false), -1);
    const FreeBody tankBefore = m.body(2);
    m.step(5.0);

    // The earlier bodies flew on while the bomb left; the light tank slows
    // far more than the heavy, slender bomb.
    EXPECT_GT(std::fabs(m.body(2).x - tankBefore.x), 10.0);
    const auto speed = [](const FreeBody& b) { return std::sqrt(b.vx * b.vx + b.vy * b.vy + b.vz * b.vz); };
    EXPECT_LT(speed(m.body(2)), speed(m.body(4)) - 50);
    EXPECT_EQ(&m.released(), &m.body(4));

    m.step(60.0);
    for (int s : {0, 2, 3, 4}) {
        EXPECT_TRUE(m.body(s).landed) << s;
        EXPECT_DOUBLE_EQ(m.body(s).y, 3.0);
        EXPECT_EQ(speed(m.body(s)), 0.0);
    }
    EXPECT_FALSE(m.body(1).active);
    EXPECT_FALSE(m.body(-1).active);
    EXPECT_FALSE(m.body(Stations).active);
}

TEST(FighterModel, TheHostShowsTheStoresAndTakesThePluginsJatoTime)
{
    xphost::reset();
    FlightModel m;
    m.load(jet(), 0, 0, 3, 90);
    HostBridge bridge(m);
    Store stores[5];
    stores[0] = Store{19, 0, 124.7f};
    stores[2] = Store{23, 0, 263.41f, 243.0f, 243.0f};
    bridge.load_aircraft_file(jet(), stores, 5, 90);
    EXPECT_FLOAT_EQ(xphost::get_vf("sim/weapons/fuel_warhead_mass_max", 2, 1).at(0), 243.0f);
    EXPECT_EQ(xphost::get_i("sim/aircraft/engine/acf_num_engines"), 2);
    EXPECT_EQ(xphost::get_vf("sim/flightmodel/engine/ENGN_mixt", 0, 2), (std::vector<float>{1, 1}));

    m.place(0, 1000, 0);
    m.set_velocity(150, 0, 0);
    m.stores[2].fuel = 100.0f;
    m.refresh();
    bridge.publish();
    EXPECT_FLOAT_EQ(xphost::get_vf("sim/weapons/total_weapon_mass_now", 2, 1).at(0), 120.41f);
    EXPECT_FLOAT_EQ(xphost::get_vf("sim/weapons/y", 2, 1).at(0), 1000.0f);   // aboard: with the aircraft
    EXPECT_FLOAT_EQ(xphost::get_vf("sim/weapons/V_msc", 2, 1).at(0), 150.0f);

    // The plug-in fills the JATO; the pilot drops the tank.
    XPLMSetDataf(XPLMFindDataRef("sim/flightmodel/misc/jato_left"), 30.0f);
    bridge.scan_writes(nullptr);
    EXPECT_EQ(bridge.pilot_fire(true, false), 0);
    EXPECT_EQ(xphost::get_i("sim/cockpit/weapons/bombs_armed"), 1);
    EXPECT_EQ(bridge.pilot_fire(true, false), 2);
    m.step(3.0);
    bridge.publish();
    EXPECT_FLOAT_EQ(xphost::get_f("sim/flightmodel/misc/jato_left"), 30.0f);
    const FreeBody& tank = m.body(2);
    EXPECT_EQ(xphost::get_vi("sim/weapons/action_mode", 2, 1).at(0), 1);
    EXPECT_FLOAT_EQ(xphost::get_vf("sim/weapons/total_weapon_mass_now", 2, 1).at(0), 0.0f);
    EXPECT_FLOAT_EQ(xphost::get_vf("sim/weapons/x", 2, 1).at(0), static_cast<float>(tank.x));
    EXPECT_FLOAT_EQ(xphost::get_vf("sim/weapons/y", 2, 1).at(0), static_cast<float>(tank.y));
    EXPECT_FLOAT_EQ(xphost::get_vf("sim/weapons/V_msc", 2, 1).at(0),
                    static_cast<float>(std::sqrt(tank.vx * tank.vx + tank.vy * tank.vy + tank.vz * tank.vz)));
}
