// The demo's flight model on its own: the physics the scenarios lean on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "aircraft.h"
#include "atmosphere.h"
#include "model.h"

using namespace sim;

namespace {

constexpr double kFt = 0.3048;

// A carrier in flight with its engines connected as the plug-in leaves them.
FlightModel carrier_at(double altitude_m, double mach, double pitch_deg = 0)
{
    FlightModel m;
    m.load(carrier_airframe(), 0, 0, 3, 90);
    m.controls.num_engines = 4;
    for (int i = 0; i < 4; ++i)
        m.controls.mixture[i] = 1;
    m.controls.tmax_lbf = 70000;
    m.controls.gear_down = false;
    m.place(0, altitude_m, 0);
    m.set_velocity(mach * atmosphere(altitude_m).sound, 0, 0);
    const double h = 0.5 * pitch_deg * M_PI / 180;
    const float q[4] = {static_cast<float>(std::cos(h) * std::cos(M_PI / 4)), static_cast<float>(-std::sin(M_PI / 4) * std::sin(h)),
                        static_cast<float>(std::cos(M_PI / 4) * std::sin(h)), static_cast<float>(std::sin(M_PI / 4) * std::cos(h))};
    m.set_attitude(q);
    m.refresh();
    return m;
}

// An engineless body coasting from a point with a velocity.
FlightModel coasting(double altitude_m, double vh, double vz)
{
    FlightModel m;
    m.load(orbiter_airframe(), 0, 0, 3, 90);
    m.controls.num_engines = 0;
    m.controls.gear_down = false;
    m.place(0, altitude_m, 0);
    m.set_velocity(vh, vz, 0);
    m.refresh();
    return m;
}

}  // namespace

TEST(Atmosphere, StandardValuesAndThinningToNothing)
{
    const Air sl = atmosphere(0);
    EXPECT_NEAR(sl.temperature, 288.15, 0.01);
    EXPECT_NEAR(sl.pressure, 101325, 1);
    EXPECT_NEAR(sl.density, 1.225, 0.001);
    EXPECT_NEAR(sl.sound, 340.3, 0.2);
    EXPECT_NEAR(atmosphere(11019).temperature, 216.65, 0.05);
    EXPECT_NEAR(atmosphere(20000).density, 0.0889, 0.001);
    double previous = sl.density;
    for (double h = 1000; h <= 400000; h += 1000) {
        const double d = atmosphere(h).density;
        ASSERT_GT(d, 0.0) << h;
        ASSERT_LT(d, previous) << h;
        previous = d;
    }
    EXPECT_LT(atmosphere(120000).density, 1e-7);
}

TEST(FlightModel, BallisticArcAboveTheAirReachesTheEnergyApex)
{
    // 1 km/s straight up from 120 km: apex where the kinetic energy is spent
    // against gravity falling off with height.
    FlightModel m = coasting(120000, 0, 1000);
    const double r0 = kEarthRadius + 120000;
    const double rApex = 1.0 / (1.0 / r0 - 1000.0 * 1000.0 / (2 * kEarthGM));
    double top = 0, topTime = 0;
    for (int i = 0; i < 4000; ++i) {
        m.step(0.05);
        if (m.observed().elevation_m > top) {
            top = m.observed().elevation_m;
            topTime = m.time();
        }
    }
    EXPECT_NEAR(top, rApex - kEarthRadius, 100.0);
    EXPECT_NEAR(topTime, 1000.0 / (kEarthGM / (r0 * r0)), 4.0);
    EXPECT_LT(m.observed().elevation_m, top - 10000) << "it comes down again";
    EXPECT_NEAR(m.observed().g_nrml, 0.0, 1e-3) << "free fall reads no load";
}

TEST(FlightModel, OrbitalSpeedHoldsTheAltitude)
{
    const double h = 250000;
    FlightModel m = coasting(h, orbital_speed(h), 0);
    double lo = h, hi = h;
    for (int i = 0; i < 12000; ++i) {   // ten minutes
        m.step(0.05);
        lo = std::min(lo, m.observed().elevation_m);
        hi = std::max(hi, m.observed().elevation_m);
    }
    EXPECT_GT(lo, h - 1000);
    EXPECT_LT(hi, h + 1000);

    FlightModel slow = coasting(h, 0.9 * orbital_speed(h), 0);
    slow.step(300);
    EXPECT_LT(slow.observed().elevation_m, h - 50000) << "a tenth short of orbital speed falls";
}

TEST(FlightModel, SameInputsGiveTheSameFlight)
{
    FlightModel a = carrier_at(15000, 1.5, 5), b = carrier_at(15000, 1.5, 5);
    a.pilot.throttle = b.pilot.throttle = 0.8f;
    a.controls.ap_mode = b.controls.ap_mode = 2;
    a.controls.fd_pitch_override = b.controls.fd_pitch_override = true;
    a.controls.fd_pitch = b.controls.fd_pitch = 8;
    for (int i = 0; i < 200; ++i)
        a.step(0.1);
    for (int i = 0; i < 1000; ++i)
        b.step(0.02);
    EXPECT_EQ(a.observed().altitude_ft, b.observed().altitude_ft);
    EXPECT_EQ(a.observed().mach, b.observed().mach);
    EXPECT_EQ(a.observed().pitch, b.observed().pitch);
    EXPECT_EQ(a.fuel_total(), b.fuel_total());
}

TEST(FlightModel, CarrierOutrunsItsDragAtMach63And72000Feet)
{
    // Water injection cuts the rated thrust to 68 % at Mach 6.3; the carrier
    // must still accelerate there, and the drag must win with the engines off.
    FlightModel m = carrier_at(72000 * kFt, 6.3, 1.5);
    m.controls.tmax_lbf = 70000 * 0.68f;
    m.pilot.throttle = 1;
    const double v0 = m.observed().tas;
    m.step(2.0);
    EXPECT_GT(m.observed().tas - v0, 2.0 * 5.0) << "at least 5 m/s^2";

    FlightModel idle = carrier_at(72000 * kFt, 6.3, 1.5);
    idle.pilot.throttle = 0;
    idle.step(2.0);
    EXPECT_LT(idle.observed().tas, v0 - 2.0);
}

TEST(FlightModel, TakeOffRollLiftsOffAfterRotation)
{
    FlightModel m;
    m.load(carrier_airframe(), 0, 0, 3, 90);
    m.controls.num_engines = 4;
    for (int i = 0; i < 4; ++i)
        m.controls.mixture[i] = 1;
    m.controls.tmax_lbf = 70000;
    m.controls.parkbrake = 1;
    m.pilot.throttle = 0.3f;
    m.pilot.hand_flying = true;
    m.pilot.pitch_deg = 9;
    m.step(5);
    EXPECT_LT(m.observed().groundspeed, 0.5f) << "the parking brake holds part power";
    EXPECT_TRUE(m.observed().on_ground);

    m.controls.parkbrake = 0;
    m.pilot.throttle = 1;
    double rotated = -1;
    for (int i = 0; i < 1200 && m.observed().on_ground; ++i) {
        m.step(0.05);
        if (rotated < 0 && m.observed().pitch > 1)
            rotated = m.observed().ias_kt;
    }
    EXPECT_FALSE(m.observed().on_ground);
    EXPECT_GE(rotated, carrier_airframe().rotate_kt) << "no rotation before the rotate speed";
    EXPECT_LT(std::hypot(m.observed().x, m.observed().z), 4000.0);
}

TEST(FlightModel, ServosFlyTheOverriddenPitchWithinTheLoadLimit)
{
    FlightModel m = carrier_at(30000 * kFt, 2.0, 2);
    m.pilot.throttle = 0.7f;
    m.controls.ap_mode = 2;
    m.controls.fd_pitch_override = true;
    m.controls.fd_pitch = 10;
    float peak = 0;
    for (int i = 0; i < 400; ++i) {
        m.step(0.05);
        peak = std::max(peak, m.observed().g_nrml);
    }
    EXPECT_NEAR(m.observed().pitch, 10.0, 0.1);
    EXPECT_LE(peak, carrier_airframe().max_load + 0.05);

    // Flight director only: the servos leave the pitch alone.
    m.controls.ap_mode = 1;
    m.controls.fd_pitch = 0;
    m.controls.joystick_override = true;
    m.controls.elevator_trim = 0;
    m.step(0.5);
    EXPECT_GT(m.observed().pitch, 5.0);
}

TEST(FlightModel, BankTurnsTheFlightPath)
{
    // Heading hold rolls towards the bug and levels the wings on it.
    FlightModel m = carrier_at(30000 * kFt, 0.9, 3);
    m.controls.ap_mode = 2;
    m.controls.ap_state = 2 | 1;      // heading hold, autothrottle
    m.controls.ap_is_mach = true;
    m.controls.ap_speed = 0.9f;
    m.controls.fd_pitch_override = true;
    m.controls.fd_pitch = 3;
    m.controls.ap_heading = 120;
    m.step(2);
    EXPECT_GT(m.observed().roll, 10.0f);
    m.step(120);
    EXPECT_NEAR(m.observed().heading, 120.0, 1.0);
    EXPECT_NEAR(m.observed().roll, 0.0, 1.0);

    // An overridden roll command is flown as given: left bank, heading falls.
    m.controls.fd_roll_override = true;
    m.controls.fd_roll = -20;
    m.step(10);
    EXPECT_NEAR(m.observed().roll, -20.0, 0.5);
    EXPECT_LT(m.observed().heading, 115.0f);
}

TEST(FlightModel, AutothrottleHoldsTheMachTarget)
{
    FlightModel m = carrier_at(40000 * kFt, 2.0, 2);
    m.pilot.throttle = 0.5f;
    m.controls.ap_mode = 2;
    m.controls.ap_state = 163;
    m.controls.ap_is_mach = true;
    m.controls.ap_speed = 2.5f;
    m.controls.fd_pitch_override = true;
    m.controls.fd_pitch = 2;
    m.step(120);
    EXPECT_NEAR(m.observed().mach, 2.5, 0.05);

    // The throttle limit scales what the lever gives.
    const float lever = m.pilot.throttle;
    m.controls.ap_state = 0;
    m.controls.throttle_max_fwd = 0.1f;
    m.step(0.1);
    EXPECT_EQ(m.pilot.throttle, lever);
    EXPECT_LT(m.observed().thrust, 0.2 * 4 * 70000 * 4.448 * 3);
}

TEST(FlightModel, ElevatorTrimPullsWhenTheStickIsDisconnected)
{
    FlightModel m = carrier_at(72000 * kFt, 6.3, 1.2);
    m.pilot.throttle = 1;
    m.controls.ap_mode = 1;
    m.controls.joystick_override = true;
    m.controls.elevator_trim = 0;
    m.step(3);
    const float level = m.observed().g_nrml;
    m.controls.elevator_trim = 0.12f;
    m.step(3);
    EXPECT_GT(m.observed().g_nrml, level + 2.0f);
    EXPECT_GT(m.observed().vvi, 50.0f);
}

TEST(FlightModel, FireKeyReleasesWhatTheArmedSwitchCovers)
{
    FlightModel m = carrier_at(10000 * kFt, 0.8, 2);
    m.stores[kJatoStation] = Store{kJatoType, 0, kJatoMass};
    m.stores[kBayStation] = Store{kOrbiterType, 0, kOrbiterMass};
    const double full = m.mass();

    EXPECT_EQ(m.fire(false, false), -1);
    EXPECT_EQ(m.fire(true, false), kJatoStation);
    EXPECT_EQ(m.stores[kJatoStation].status, 1);
    EXPECT_NEAR(m.mass(), full - kJatoMass, 1e-6);
    EXPECT_EQ(m.fire(true, false), -1) << "bombs armed never drop the orbiter";

    m.controls.bay_doors = false;
    EXPECT_EQ(m.fire(false, true), -1) << "not through closed doors";
    m.controls.bay_doors = true;
    EXPECT_EQ(m.fire(false, true), kBayStation);
    EXPECT_NEAR(m.mass(), full - kJatoMass - kOrbiterMass, 1e-6);

    // The store flies on by itself and falls behind and below.
    m.pilot.throttle = 0.8f;
    m.step(10);
    const FreeBody& b = m.released();
    EXPECT_TRUE(b.active);
    EXPECT_LT(b.y, m.observed().y - 20);
}

TEST(FlightModel, FuelDumpTransferAndEngineTanks)
{
    FlightModel m = carrier_at(30000 * kFt, 1.0);
    m.controls.num_engines = 0;
    m.fuel[0] = 1000;
    m.fuel[1] = 2000;
    m.fuel[2] = 1000;
    m.controls.dumping_fuel = true;
    m.step(10);
    EXPECT_NEAR(m.fuel_total(), 4000 - 800, 1.0);
    m.controls.dumping_fuel = false;

    // Out of tank 2 into the others, as after the orbiter has left.
    m.controls.transfer_from = 2;
    m.controls.transfer_to = 0;
    const double before = m.fuel[1];
    m.step(4);
    EXPECT_NEAR(m.fuel[1], before - 100, 1.0);
    EXPECT_NEAR(m.fuel_total(), 3200, 1.0);

    // The orbiter's rocket drinks from tank 2 only, and only with its mixture.
    FlightModel o = coasting(100000, 1500, 200);
    o.controls.num_engines = 2;
    o.controls.tmax_lbf = 52000;
    o.controls.throttle_override = true;
    o.controls.throttle_use[1] = 1;
    o.step(1);
    EXPECT_EQ(o.fuel[1], orbiter_airframe().fuel[1]) << "mixture closed";
    o.controls.mixture[1] = 1;
    o.step(10);
    const double burn = 52000 * 4.448222 / (orbiter_airframe().rocket_isp * kG0) * 10;
    EXPECT_NEAR(orbiter_airframe().fuel[1] - o.fuel[1], burn, burn * 0.02);
    EXPECT_EQ(o.fuel[0], orbiter_airframe().fuel[0]);
}

TEST(FlightModel, AttitudeQuaternionRoundTrip)
{
    FlightModel m = carrier_at(20000, 2.0, 20);
    EXPECT_NEAR(m.observed().pitch, 20.0, 1e-3);
    float q[4];
    std::memcpy(q, m.observed().q, sizeof q);
    FlightModel n = coasting(20000, 600, 0);
    n.set_attitude(q);
    n.refresh();
    EXPECT_NEAR(n.observed().pitch, 20.0, 1e-3);
}

namespace {

// A motor glider whose engine mast folds with the sweep control.
Airframe folding_glider()
{
    Airframe s;
    s.empty_mass = 200;
    s.wing_area = 15;
    s.engines = 1;
    s.engine[0] = EngineKind::Propeller;
    s.prop_power_kw = 20;
    s.fuel[0] = 10;
    s.sweep_rate = 0.1;
    s.mast_drag_area = 0.5;
    return s;
}

FlightModel glider_at(double tas, float mixture, float sweepRequest)
{
    FlightModel m;
    m.load(folding_glider(), 0, 0, 3, 90);
    m.controls.num_engines = 1;
    m.controls.mixture[0] = mixture;
    m.controls.gear_down = false;
    m.controls.sweep_request = sweepRequest;
    m.pilot.throttle = 1;
    m.place(0, 1000, 0);
    m.set_velocity(tas, 0, 0);
    m.refresh();
    return m;
}

}  // namespace

TEST(FlightModel, TheSweepMechanismFollowsItsRequestAtItsRate)
{
    FlightModel m = glider_at(25, 0, 2.0f);          // beyond the end: stops at 1
    m.step(5.0);
    EXPECT_NEAR(m.observed().sweep, 0.5, 1e-6);
    m.step(7.0);
    EXPECT_EQ(m.observed().sweep, 1.0f);
    m.controls.sweep_request = 0.0f;
    m.step(2.5);
    EXPECT_NEAR(m.observed().sweep, 0.75, 1e-6);
}

TEST(FlightModel, AFoldedOutMastDragsAndThePropellerPullsOnlyWithItsMixture)
{
    // Stowed, without the engine: lift over drag is the wing's alone.
    FlightModel stowed = glider_at(25, 0, 1.0f), out = glider_at(25, 0, 0.0f);
    stowed.step(12.0);
    out.step(12.0);
    EXPECT_EQ(stowed.observed().thrust, 0.0f);
    EXPECT_EQ(out.observed().thrust, 0.0f);
    EXPECT_GT(stowed.observed().lift_over_drag, out.observed().lift_over_drag * 1.1);

    // Running: fixed power, so the thrust falls with speed.
    FlightModel slow = glider_at(20, 1, 0.0f), fast = glider_at(40, 1, 0.0f);
    slow.step(0.1);
    fast.step(0.1);
    EXPECT_GT(slow.observed().thrust, 0.0f);
    EXPECT_NEAR(slow.observed().thrust / fast.observed().thrust, 2.0, 0.1);
    EXPECT_GT(slow.observed().fuel_flow[0], 0.0f);
}
