// The orbiter: orbital speed, placement at the stored release, the ascent
// program, the engine cut and what follows it. The loop is called directly,
// one call per 0.1 s tick, over a fresh host.
#include "support/plugin_fixture.h"

#include <cmath>
#include <fstream>
#include <string>
#include <vector>
#include "XPLMGraphics.h"
#include "carrier/carrier.h"
#include "carrier/orbiter.h"
#include "carrier/zoom.h"
#include "common/timers.h"
#include "display/handbook.h"
#include "frame/datarefs.h"
#include "prefs/prefs.h"

namespace {

const char* const kLocalX = "sim/flightmodel/position/local_x";
const char* const kLocalY = "sim/flightmodel/position/local_y";
const char* const kLocalZ = "sim/flightmodel/position/local_z";
const char* const kLocalVx = "sim/flightmodel/position/local_vx";
const char* const kLocalVy = "sim/flightmodel/position/local_vy";
const char* const kLocalVz = "sim/flightmodel/position/local_vz";
const char* const kQ = "sim/flightmodel/position/q";
const char* const kTrim = "sim/flightmodel/controls/elv_trim";
const char* const kThrottles = "sim/flightmodel/engine/ENGN_thro_use";
const char* const kMixtures = "sim/flightmodel/engine/ENGN_mixt";
const char* const kDrive = "sim/cockpit/switches/prop_sync_on";
const char* const kSelector = "sim/cockpit/engine/fuel_tank_selector";
const char* const kTank2 = "sim/flightmodel/weight/m_fuel2";
const char* const kBombs = "sim/cockpit/weapons/bombs_armed";
const char* const kFire = "sim/joystick/fire_key_is_down";
const char* const kClutch = "sim/cockpit/engine/clutch_engage";
const char* const kFdPitch = "sim/cockpit/autopilot/flight_director_pitch";
const char* const kFdPitchOverride = "sim/operation/override/override_flightdir_ptch";
const char* const kFdRollOverride = "sim/operation/override/override_flightdir_roll";
const char* const kApMode = "sim/cockpit/autopilot/autopilot_mode";
const char* const kAltitude = "sim/flightmodel/misc/h_ind";
const char* const kGroundspeed = "sim/flightmodel/position/groundspeed";
const char* const kPitch = "sim/cockpit/gyros/the_ind_deg3";
const char* const kVvi = "sim/flightmodel/position/vh_ind";

constexpr double kFeetPerKm = 1.0 / 0.0003048;

class Orbiter : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        // Globals outlive a test when the file runs whole.
        for (int r = 1; r < OrbRecords; ++r) {
            orb_latitude[r] = orb_longitude[r] = orb_elevation[r] = 0.0;
            orb_local_vx[r] = orb_local_vy[r] = orb_local_vz[r] = 0.0f;
            for (float& q : orb_quaternion[r]) q = 0.0f;
        }
        go_initial = 0;
        schalt1 = 0;
        ORBcut = 0;
        mis_time_hold1 = 0;
        fuel_2full = 0.0f;
        override_flightdir_pitch = override_flightdir_roll = 0;
        for (float& m : engine_Mix) m = 0.0f;
        sectimer = 0;
        xphost::set_f(kTank2, 2000.0f);
        xphost::clear_writes();
    }

    static void Tick() { CheckOrbiter(0.1f, 0.1f, 0, nullptr); }
    static void Ticks(int n) { for (int i = 0; i < n; ++i) Tick(); }

    // The brake has been released and the next call starts a second.
    void Place()
    {
        go_initial = 1;
        sectimer = 9;
        Tick();
        ASSERT_EQ(go_initial, 0);
    }

    // Flies the program through steps 0 and 1 into step 2, well short of
    // orbital speed.
    void ToStep2()
    {
        Place();
        xphost::set_f(kVvi, 400.0f);
        xphost::set_f(kPitch, 60.0f);
        Ticks(201);
        ASSERT_EQ(schalt1, 1);
        xphost::set_f(kPitch, 20.0f);
        Tick();
        ASSERT_EQ(schalt1, 2);
    }

    static std::vector<double> LastValues(const char* path)
    {
        auto w = xphost::writes_to(path);
        return w.empty() ? std::vector<double>{} : w.back().values;
    }
    static size_t IndexOf(const char* path)
    {
        const auto& all = xphost::writes();
        for (size_t i = 0; i < all.size(); ++i)
            if (all[i].path == path) return i;
        return all.size();
    }
};

TEST_F(Orbiter, OrbitalSpeedAtSeaLevelAndAtTheTargetOrbit)
{
    xphost::set_f(kAltitude, 0.0f);
    Tick();
    EXPECT_NEAR(orbspeedKMS, 7.908f, 0.0005f);

    xphost::set_f(kAltitude, static_cast<float>(250.0 * kFeetPerKm));
    Tick();
    EXPECT_NEAR(CurrentAltKM, 250.0f, 0.01f);
    EXPECT_NEAR(orbspeedKMS, 7.758f, 0.0005f);
}

TEST_F(Orbiter, PlacementWaitsForTheNextSecondAndHappensOncePerBrakeRelease)
{
    Ticks(30);                                    // brake still set
    EXPECT_TRUE(xphost::writes_to(kLocalX).empty());
    EXPECT_TRUE(xphost::commands().empty());

    go_initial = 1;
    sectimer = 2;
    Ticks(7);                                     // ticks 3 to 9
    EXPECT_TRUE(xphost::writes_to(kLocalX).empty());
    EXPECT_EQ(go_initial, 1);
    Tick();                                       // tick 0
    EXPECT_EQ(go_initial, 0);
    EXPECT_EQ(xphost::writes_to(kLocalX).size(), 1u);

    Ticks(40);
    EXPECT_EQ(xphost::writes_to(kLocalX).size(), 1u);

    // A new load arms the brake rule again, which places the orbiter anew.
    go_initial = 1;
    Ticks(10);
    EXPECT_EQ(xphost::writes_to(kLocalX).size(), 2u);
}

// The orbiter starts from the record the dialog shows (the latest release
// unless the pilot chose another), position, speed and attitude all from it.
TEST_F(Orbiter, StartsFromTheChosenRecordWithItsOwnAttitude)
{
    orb_latitude[1] = 30.5; orb_longitude[1] = 1.25; orb_elevation[1] = 91000.0;
    orb_local_vx[1] = 9.0f;
    orb_quaternion[1][0] = 1.0f;
    orb_latitude[5] = -12.0; orb_longitude[5] = 40.0; orb_elevation[5] = 95000.0;
    orb_local_vx[5] = 1500.0f; orb_local_vy[5] = 20.0f; orb_local_vz[5] = -300.0f;
    const float q5[4] = {0.9f, 0.1f, 0.3f, 0.2f};
    for (int i = 0; i < 4; ++i) orb_quaternion[5][i] = q5[i];
    orbindex_active = 5;

    Place();

    double x, y, z;
    XPLMWorldToLocal(-12.0, 40.0, 95000.0, &x, &y, &z);
    EXPECT_DOUBLE_EQ(LastValues(kLocalX).at(0), x);
    EXPECT_DOUBLE_EQ(LastValues(kLocalY).at(0), 95000.0);
    EXPECT_DOUBLE_EQ(LastValues(kLocalY).at(0), y);
    EXPECT_DOUBLE_EQ(LastValues(kLocalZ).at(0), z);
    EXPECT_FLOAT_EQ(LastValues(kLocalVx).at(0), 1500.0f);
    EXPECT_FLOAT_EQ(LastValues(kLocalVy).at(0), 20.0f);
    EXPECT_FLOAT_EQ(LastValues(kLocalVz).at(0), -300.0f);
    const auto q = LastValues(kQ);
    ASSERT_EQ(q.size(), 4u);
    const double n = std::sqrt(0.81 + 0.01 + 0.09 + 0.04);   // written as a unit quaternion
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(q[i], q5[i] / n, 1e-6);

    // Position, then velocity, then attitude.
    EXPECT_LT(IndexOf(kLocalX), IndexOf(kLocalY));
    EXPECT_LT(IndexOf(kLocalY), IndexOf(kLocalZ));
    EXPECT_LT(IndexOf(kLocalZ), IndexOf(kLocalVx));
    EXPECT_LT(IndexOf(kLocalVz), IndexOf(kQ));
}

TEST_F(Orbiter, DefaultRecordWhileTheChosenRecordHasNoLatitude)
{
    // Record 1 holds an attitude and speed but no position: it is still empty.
    orb_longitude[1] = 5.0;
    orb_local_vx[1] = 1234.0f;
    orb_quaternion[1][0] = 0.7f;
    orb_local_vx[0] = 11.0f;
    orb_quaternion[0][0] = 1.0f;
    orbindex_active = 1;

    Place();

    double x, y, z;
    XPLMWorldToLocal(30.0, 0.0, 100000.0, &x, &y, &z);
    EXPECT_DOUBLE_EQ(LastValues(kLocalX).at(0), x);
    EXPECT_DOUBLE_EQ(LastValues(kLocalY).at(0), 100000.0);
    EXPECT_DOUBLE_EQ(LastValues(kLocalZ).at(0), z);
    EXPECT_NE(z, 0.0);                            // 30 degrees north is well off the reference
    EXPECT_FLOAT_EQ(LastValues(kLocalVx).at(0), 11.0f);
    EXPECT_EQ(LastValues(kQ), (std::vector<double>{1.0, 0.0, 0.0, 0.0}));
}

// Heading, pitch and roll in degrees of a quaternion in the host's order.
std::vector<double> Angles(const std::vector<double>& q)
{
    const double d = 180.0 / M_PI;
    double head = std::atan2(2 * (q[0] * q[3] + q[1] * q[2]), 1 - 2 * (q[2] * q[2] + q[3] * q[3])) * d;
    return {head < 0 ? head + 360 : head, std::asin(2 * (q[0] * q[2] - q[3] * q[1])) * d,
            std::atan2(2 * (q[0] * q[1] + q[2] * q[3]), 1 - 2 * (q[1] * q[1] + q[2] * q[2])) * d};
}

// Files written before each release kept its own attitude hold a quaternion
// only in record 1. The others put the orbiter in a sound attitude all the
// same (a zero quaternion is none): by their heading, pitch and roll where
// set, as record 0's are, else nose along the velocity, wings level.
TEST_F(Orbiter, RecordsOfOldFilesGiveASoundAttitude)
{
    std::string text = "120 \n115 \n1 0 0 0 0 0 \n"
                       "30.000000 0.000000 100000.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 "
                       "0.000000 15.000000 0.000000 90.000000 0.000000 \n"
                       "28.5 -80.5 91000 1600 40 -500 0.8 0.2 -0.4 0.4 0 0 0 0 \n"
                       "29.5 -75.5 92000 1500 300 -800 0 0 0 0 0 0 0 0 \n"
                       "30.5 -70.5 93000 0 0 0 0 0 0 0 0 0 0 0 \n";
    for (int i = 4; i < 11; ++i) text += "0 0 0 0 0 0 0 0 0 0 0 0 0 0 \n";
    std::ofstream(xphost::system_path() + "Resources/plugins/QZTgov_Preferences.txt") << text << "2 \n";
    PreferencesLoad();
    ASSERT_EQ(orbindex_active, 2);

    const struct { int record; double head, pitch, roll; } cases[] = {
        {2, std::atan2(1500.0, 800.0) * 180 / M_PI, std::atan2(300.0, std::hypot(1500.0, 800.0)) * 180 / M_PI, 0},
        {0, 90, 15, 0},
        {3, 0, 0, 0},                               // standing still: level, to the north
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        orbindex_active = c.record;
        xphost::clear_writes();
        Place();
        const auto q = LastValues(kQ);
        ASSERT_EQ(q.size(), 4u);
        EXPECT_NEAR(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3], 1.0, 1e-6);
        const auto a = Angles(q);
        EXPECT_NEAR(a[0], c.head, 1e-3);
        EXPECT_NEAR(a[1], c.pitch, 1e-3);
        EXPECT_NEAR(a[2], c.roll, 1e-3);
    }
    orbindex_active = 1;                            // record 1 still has its own
    xphost::clear_writes();
    Place();
    EXPECT_EQ(LastValues(kQ), (std::vector<double>{0.8f, 0.2f, -0.4f, 0.4f}));
}

// What a release stores for the dialog: heading, pitch and roll of its
// quaternion and its speed in km/s; without a quaternion from the host, those
// of its velocity, never figures an older release left in the record.
TEST_F(Orbiter, ReleaseFiguresFromTheQuaternionAndTheVelocity)
{
    const double d = M_PI / 180.0, h = 230 * d / 2, p = -12 * d / 2, r = 35 * d / 2;
    const float q[4] = {
        float(std::cos(h) * std::cos(p) * std::cos(r) + std::sin(h) * std::sin(p) * std::sin(r)),
        float(std::cos(h) * std::cos(p) * std::sin(r) - std::sin(h) * std::sin(p) * std::cos(r)),
        float(std::cos(h) * std::sin(p) * std::cos(r) + std::sin(h) * std::cos(p) * std::sin(r)),
        float(-std::cos(h) * std::sin(p) * std::sin(r) + std::sin(h) * std::cos(p) * std::cos(r))};
    for (int i = 0; i < 4; ++i) orb_quaternion[6][i] = q[i];
    orb_local_vx[6] = 1200.0f; orb_local_vy[6] = 500.0f; orb_local_vz[6] = 900.0f;
    ORBreleaseFigures(6);
    EXPECT_NEAR(orb_head[6], 230.0f, 1e-3f);
    EXPECT_NEAR(orb_pitch[6], -12.0f, 1e-3f);
    EXPECT_NEAR(orb_roll[6], 35.0f, 1e-3f);
    EXPECT_NEAR(orb_speed[6], std::sqrt(1200.0f * 1200.0f + 500.0f * 500.0f + 900.0f * 900.0f) / 1000.0f, 1e-6f);

    for (float& v : orb_quaternion[6]) v = 0.0f;
    orb_local_vx[6] = 0.0f; orb_local_vy[6] = -100.0f; orb_local_vz[6] = 100.0f;
    ORBreleaseFigures(6);
    EXPECT_NEAR(orb_head[6], 180.0f, 1e-3f);      // along +z, to the south
    EXPECT_NEAR(orb_pitch[6], -45.0f, 1e-3f);
    EXPECT_NEAR(orb_roll[6], 0.0f, 1e-3f);
    EXPECT_NEAR(orb_speed[6], 0.141421f, 1e-6f);
}

TEST_F(Orbiter, PlacementHandsTheOrbiterToTheAscentProgram)
{
    Place();

    ASSERT_EQ(xphost::commands().size(), 2u);
    EXPECT_EQ(xphost::commands()[0].button, 52);
    EXPECT_TRUE(xphost::commands()[0].press);
    EXPECT_EQ(xphost::commands()[1].button, 52);
    EXPECT_FALSE(xphost::commands()[1].press);

    EXPECT_EQ(xphost::get_i("sim/cockpit/autopilot/autopilot_state"), 164);
    EXPECT_EQ(xphost::get_i(kDrive), 1);
    EXPECT_EQ(xphost::get_i(kSelector), 2);
    EXPECT_EQ(xphost::get_i(kApMode), 2);
    EXPECT_EQ(xphost::get_i("sim/operation/override/override_throttles"), 1);
    EXPECT_EQ(LastValues(kThrottles), (std::vector<double>{0.0, 1.0}));
    const auto mix = LastValues(kMixtures);
    ASSERT_EQ(mix.size(), 2u);                    // the other engines are not the orbiter's
    EXPECT_EQ(mix[0], 0.0);
    EXPECT_EQ(mix[1], 1.0);
    EXPECT_EQ(schalt1, 0);
    EXPECT_EQ(mis_time_hold1, mis_seconds_tenth);
    EXPECT_FLOAT_EQ(fuel_2full, 2000.0f);
    // The nose-up command the first steps fly on reaches the host at placement.
    EXPECT_EQ(xphost::get_i(kFdPitchOverride), 1);
    EXPECT_EQ(xphost::get_f(kFdPitch), 20.0f);
}

TEST_F(Orbiter, StepsTrimThenHoldThenFlyTheFlightDirector)
{
    Place();
    const int placed = mis_time_hold1;

    // Step 0: trim by pitch, wings held level, no pitch command written.
    xphost::set_f(kPitch, 40.0f);
    xphost::clear_writes();
    Tick();
    EXPECT_FLOAT_EQ(LastValues(kTrim).at(0), 0.5f);
    EXPECT_TRUE(xphost::writes_to(kFdPitchOverride).empty());
    EXPECT_EQ(LastValues(kFdRollOverride).at(0), 1.0);

    // Fast climb alone is not enough before 20 s have passed.
    xphost::set_f(kVvi, 360.0f);
    while (mis_seconds_tenth - placed < 200) Tick();
    EXPECT_EQ(schalt1, 0);
    Tick();
    EXPECT_EQ(schalt1, 1);

    // Step 1: the trim eases off by a millionth per call until 20 deg pitch.
    xphost::set_f(kTrim, 0.6f);
    Tick();
    EXPECT_NEAR(LastValues(kTrim).at(0), 0.6 - 0.000001, 1e-7);
    EXPECT_EQ(schalt1, 1);
    xphost::set_f(kPitch, 20.0f);
    Tick();
    EXPECT_EQ(schalt1, 2);
    EXPECT_EQ(LastValues(kTrim).at(0), 0.0);

    // Step 2: climb command from the height and speed gaps, at most 20 deg.
    xphost::set_f(kAltitude, static_cast<float>(100.0 * kFeetPerKm));
    xphost::set_f(kGroundspeed, 5000.0f);
    xphost::clear_writes();
    Tick();
    const double gap = std::sqrt(6.67e-11 * 5.98e24 / 6478.0e3) / 1000.0 - 5.0;   // km/s at 100 km
    EXPECT_NEAR(LastValues(kFdPitch).at(0), 150.0 * 0.2 * gap / 10.0, 0.01);
    EXPECT_EQ(LastValues(kFdPitchOverride).at(0), 1.0);

    xphost::set_f(kAltitude, 0.0f);
    xphost::set_f(kGroundspeed, 0.0f);
    Tick();
    EXPECT_EQ(LastValues(kFdPitch).at(0), 20.0);

    // Above the orbit the command goes negative: there is no lower limit.
    xphost::set_f(kAltitude, static_cast<float>(300.0 * kFeetPerKm));
    xphost::set_f(kGroundspeed, 7000.0f);
    Tick();
    EXPECT_LT(LastValues(kFdPitch).at(0), -0.5);
    EXPECT_EQ(schalt1, 2);
}

TEST_F(Orbiter, ThrottleFallsWithTheTankAndIsHeldAtFortyPercent)
{
    xphost::set_f(kTank2, 1000.0f);
    ToStep2();
    EXPECT_EQ(LastValues(kThrottles), (std::vector<double>{0.0, 1.0}));

    xphost::set_f(kTank2, 600.0f);
    Tick();
    EXPECT_FLOAT_EQ(LastValues(kThrottles).at(1), 0.7f);
    EXPECT_EQ(LastValues(kThrottles).at(0), 0.0);

    double last = 1.0;
    for (float fuel : {500.0f, 400.0f, 300.0f, 250.0f, 200.0f, 100.0f, 10.0f, 2.0f}) {
        xphost::set_f(kTank2, fuel);
        Tick();
        const double t = LastValues(kThrottles).at(1);
        EXPECT_LE(t, last);
        EXPECT_GE(t, 0.4 - 1e-6);
        last = t;
    }
    EXPECT_FLOAT_EQ(last, 0.4f);

    // Once held, more fuel does not open the throttle again.
    xphost::set_f(kTank2, 900.0f);
    Tick();
    EXPECT_FLOAT_EQ(LastValues(kThrottles).at(1), 0.4f);
    EXPECT_EQ(schalt1, 2);
}

TEST_F(Orbiter, TankFilledAboveItsContentAtPlacementNeverAsksForMoreThanFullThrottle)
{
    xphost::set_f(kTank2, 100.0f);
    ToStep2();
    xphost::set_f(kTank2, 5000.0f);
    Tick();
    EXPECT_FLOAT_EQ(LastValues(kThrottles).at(1), 1.0f);
    xphost::set_f(kTank2, 2500.0f);
    Tick();
    EXPECT_FLOAT_EQ(LastValues(kThrottles).at(1), 1.0f - 0.75f * 0.5f);
}

TEST_F(Orbiter, EngineCutsInTheFirstCallOfStepTwoWhenAlreadyAtOrbitalSpeed)
{
    Place();
    xphost::set_f(kVvi, 400.0f);
    xphost::set_f(kPitch, 60.0f);
    Ticks(201);
    ASSERT_EQ(schalt1, 1);
    xphost::set_f(kAltitude, 0.0f);
    xphost::set_f(kGroundspeed, 7890.0f);         // within 20 m/s of 7908
    xphost::set_f(kPitch, 15.0f);
    xphost::clear_writes();
    Tick();

    EXPECT_EQ(schalt1, 3);
    EXPECT_EQ(mis_time_hold1, mis_seconds_tenth);
    EXPECT_EQ(xphost::get_i(kDrive), 0);
    // All modes off is written as the autopilot going off: a 0 written to
    // the state would press no button.
    EXPECT_TRUE(xphost::writes_to("sim/cockpit/autopilot/autopilot_state").empty());
    const auto ap = xphost::writes_to(kApMode);
    ASSERT_EQ(ap.size(), 2u);
    EXPECT_EQ(ap[0].values.at(0), 1.0);
    EXPECT_EQ(ap[1].values.at(0), 0.0);
    EXPECT_EQ(xphost::get_f(kTank2), 0.0f);
    EXPECT_EQ(LastValues(kThrottles), (std::vector<double>{0.0, 0.0}));
    EXPECT_EQ(xphost::get_i("sim/operation/override/override_throttles"), 0);
    EXPECT_FLOAT_EQ(xphost::get_f("sim/aircraft/engine/acf_throtmax_FWD"), 0.05f);
    const auto mix = LastValues(kMixtures);
    EXPECT_EQ(mix.at(0), 1.0);
    EXPECT_EQ(mix.at(1), 0.0);
    EXPECT_EQ(xphost::get_i(kBombs), 1);
    EXPECT_EQ(xphost::get_i(kFire), 1);
    EXPECT_EQ(xphost::get_f(kTrim), 0.0f);
}

TEST_F(Orbiter, EmptyTankAtPlacementCutsAtOnceWithoutScheduling)
{
    xphost::set_f(kTank2, 0.5f);
    Place();
    EXPECT_EQ(schalt1, 3);
    EXPECT_EQ(xphost::get_i(kDrive), 0);
    for (const auto& w : xphost::writes_to(kThrottles))
        for (double v : w.values) EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(LastValues(kThrottles), (std::vector<double>{0.0, 0.0}));
}

TEST_F(Orbiter, AfterTheCutTheBoosterIsDisarmedAndTheClutchReleasedWithTheDriveOff)
{
    xphost::set_f(kTank2, 0.5f);
    Place();
    const int cut = mis_time_hold1;
    ASSERT_EQ(xphost::get_i(kDrive), 0);
    xphost::clear_writes();

    while (mis_seconds_tenth < cut + 29) Tick();
    EXPECT_TRUE(xphost::writes_to(kBombs).empty());
    Tick();                                       // 3 s after the cut
    EXPECT_EQ(LastValues(kBombs), (std::vector<double>{0.0}));
    EXPECT_EQ(LastValues(kFire), (std::vector<double>{0.0}));
    EXPECT_EQ(xphost::get_i(kSelector), 1);
    EXPECT_TRUE(xphost::writes_to(kClutch).empty());

    Ticks(29);
    EXPECT_TRUE(xphost::writes_to(kClutch).empty());
    Tick();                                       // 3 s later again
    EXPECT_EQ(LastValues(kClutch), (std::vector<double>{0.0}));
    EXPECT_EQ(xphost::writes_to(kBombs).size(), 1u);
}

TEST_F(Orbiter, DriveSwitchStopsAndResumesTheProgram)
{
    Place();
    xphost::set_i(kDrive, 0);
    xphost::clear_writes();
    Ticks(5);
    EXPECT_TRUE(xphost::writes_to(kTrim).empty());
    EXPECT_TRUE(xphost::writes_to(kThrottles).empty());

    xphost::set_i(kDrive, 1);
    Tick();
    EXPECT_EQ(xphost::writes_to(kTrim).size(), 1u);
    EXPECT_EQ(schalt1, 0);
}

}  // namespace
