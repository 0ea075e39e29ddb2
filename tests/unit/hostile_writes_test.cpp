// Whatever the host reads out, what the plug-in writes into the simulator is
// a number: a NaN or an infinity written into a control, a thrust or a
// position stays in the simulator and wrecks the flight. And a model writes
// only the stations and engines it means to change, never what another
// aircraft left in the plug-in's copies.
#include <cfloat>
#include <cmath>
#include <limits>
#include "support/finite_writes.h"
#include "support/carrier_fixture.h"
#include "common/first_action.h"
#include "display/handbook.h"
#include "systems/halvik.h"
#include "systems/hyper.h"

using namespace carrier_paths;

namespace {

const float Bad[] = {kNaN, kInf, -kInf, FLT_MAX, -FLT_MAX};

void ReadingsGoBad(float bad)
{
    for (const char* path : {Alt, Mach, G, Trim, Ias, Vvi, Pitch, Alpha, Fuel1, Fuel2, Fuel3})
        xphost::set_f(path, bad);
    xphost::set_vf(FuelFlow, {bad, bad, bad, bad});
}

using HostileCarrier = CarrierTest;

// Each phase of the zoom with every reading gone bad, then the readings good
// again: nothing but numbers reaches the simulator, and the zoom flies on.
TEST_F(HostileCarrier, TheZoomWritesNumbersWhateverItReads)
{
    OrbiterAboard();
    xphost::set_i(ZoomSwitch, 1);
    xphost::set_i(ApFlags, 0);
    Ticks(20);
    ASSERT_TRUE(SHOISTactive);
    for (float bad : Bad) {
        SCOPED_TRACE(bad);
        for (int phase = 1; phase <= 6; ++phase) {
            SHOISTactive = 1;                      // the hand-over of the last round ended it
            zoom_on = phase;
            schalt1 = phase == 1 ? 6 : 0;
            ReadingsGoBad(bad);
            EXPECT_TRUE(Numbers(Ticks(20))) << "phase " << phase;
        }
        // into the pull-up with the tanks read out as nonsense: the throttle limit
        SHOISTactive = 1;
        zoom_on = 1;
        schalt1 = 6;
        xphost::set_f(Alt, 71500.0f);
        xphost::set_f(Mach, 6.4f);
        xphost::set_f(Alpha, 2.0f);
        EXPECT_TRUE(Numbers(Ticks(10)));
        ASSERT_EQ(zoom_on, 2);
    }
    // sane readings: the climb command is the zoom's own again
    SHOISTactive = 1;
    zoom_on = 1;
    schalt1 = 1;
    override_flightdir_pitch = 1;
    xphost::set_f(Alt, 60000.0f);
    xphost::set_f(Mach, 3.0f);
    xphost::set_f(Alpha, 2.0f);
    Ticks(10);
    EXPECT_FLOAT_EQ(LastWritten(FdPitch), (72000.0f + 2100.0f - 60000.0f) / 2250.0f + 2.0f);
}

// Water and thrust once a second: a fuel flow or a water load that is no
// number uses no water; a rated thrust that is no number is not written, and
// is read again until the host gives one.
TEST_F(HostileCarrier, WaterAndThrustStayNumbers)
{
    xphost::set_f(Alt, 65000.0f);
    xphost::set_f(Mach, 4.0f);
    xphost::set_i(WaterSelector, 1);
    for (float bad : Bad) {
        SCOPED_TRACE(bad);
        xphost::set_f(Water, 2000.0f);
        xphost::set_vf(FuelFlow, {bad, 1.0f, 1.0f, 1.0f});
        EXPECT_TRUE(Numbers(RunStep(7)));
        xphost::set_f(Water, bad);
        EXPECT_TRUE(Numbers(RunStep(7)));
    }

    xphost::set_f(Tmax, kNaN);
    LoadCarrier();                                 // a new load reads the rated thrust again
    xphost::set_f(Mach, 1.0f);
    auto ws = RunStep(7);
    EXPECT_TRUE(Numbers(ws));
    EXPECT_FALSE(WroteAny(ws, Tmax));
    xphost::set_f(Tmax, 300000.0f);
    ws = RunStep(7);
    EXPECT_TRUE(Wrote(ws, Tmax, 300000.0));
}

// The carrier's bay is station 2: its load, its drop and the orbiter's
// lowering change station 2 alone, whatever another aircraft left in the
// plug-in's copies of the stations.
TEST_F(HostileCarrier, OnlyTheBayStationIsWritten)
{
    xphost::set_vf(StationMassMax, {100, 200, 0, 400, 500, 600});
    xphost::set_vf(StationMassNow, {10, 20, 0, 40, 50, 60});
    xphost::set_vf(StationYAtt, {1, 2, 0, 4, 5, 6});
    for (float& m : total_weapon_mass_max) m = kNaN;   // a fighter's stations, read earlier
    for (float& m : total_weapon_mass_now) m = kNaN;
    for (float& y : WeaponsY_wpn_att) y = kNaN;
    WeaponsY_wpn_att[2] = 0.0f;
    LoadCarrier();
    EXPECT_EQ(xphost::get_vf(StationMassMax, 0, 4), (std::vector<float>{100, 200, 8000, 400}));

    // the fuel dump, then the abandon through the bay
    OrbiterAboard();
    RunStep(9);
    xphost::set_i(EmergencySelector, 1);
    xphost::set_i(OrbiterSwitch, 0);
    EXPECT_TRUE(Numbers(RunStep(8)));
    EXPECT_EQ(xphost::get_vf(StationMassMax, 0, 4), (std::vector<float>{100, 200, 3000, 400}));
    EXPECT_EQ(xphost::get_vf(StationMassNow, 0, 4), (std::vector<float>{10, 20, 3000, 40}));

    ResetCarrierGlobals();
    for (float& y : WeaponsY_wpn_att) y = kNaN;
    WeaponsY_wpn_att[2] = 0.0f;
    xphost::set_i(OrbiterSwitch, 1);
    LoadCarrier();
    OrbiterAboard();
    RunStep(9);
    xphost::set_i(EmergencySelector, 2);
    xphost::set_i(OrbiterSwitch, 0);
    EXPECT_TRUE(Numbers(Ticks(60)));
    EXPECT_EQ(xphost::get_vf(StationYAtt, 0, 6), (std::vector<float>{1, 2, -5, 4, 5, 6}));
}

using HostileHost = PluginTest;

// The orbiter: its placement, its ascent and its engine cut write numbers
// whatever the record and the readings hold, and only the mixtures of its
// own two engines.
TEST_F(HostileHost, TheOrbiterWritesNumbersAndOnlyItsOwnEngines)
{
    xphost::set_vf(Mixture, {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f});
    for (float& m : engine_Mix) m = kNaN;          // what another aircraft left in the copy
    orb_latitude[1] = 1.0e300;                     // a release record edited beyond any globe
    orb_longitude[1] = DBL_MAX;
    orb_elevation[1] = -DBL_MAX;
    orb_local_vx[1] = kNaN;                        // and one stored from a reading that was no number
    xphost::set_f("sim/flightmodel/weight/m_fuel2", 2000.0f);
    xphost::set_i("sim/cockpit/engine/fuel_tank_selector", 2);
    xphost::set_f("sim/flightmodel/controls/parkbrake", 1.0f);
    xphost::load_aircraft("QZTdesign QZT Ascender orbiter");
    ASSERT_EQ(Ident, 45);
    xphost::clear_writes();
    go_initial = 1;
    sectimer = 9;
    CheckOrbiter(0.1f, 0.1f, 0, nullptr);          // placed
    ASSERT_EQ(go_initial, 0);
    EXPECT_TRUE(Numbers(xphost::writes()));
    EXPECT_EQ(xphost::get_d("sim/flightmodel/position/local_y"), 100000.0);   // record 0's height
    EXPECT_EQ(xphost::get_vf(Mixture, 2, 6), std::vector<float>(6, 0.5f));

    for (float bad : Bad) {
        SCOPED_TRACE(bad);
        for (const char* path : {Alt, Vvi, Pitch, Trim, "sim/flightmodel/position/groundspeed"})
            xphost::set_f(path, bad);
        for (int step = 0; step <= 2; ++step) {
            schalt1 = step;
            xphost::clear_writes();
            for (int i = 0; i < 10; ++i)
                CheckOrbiter(0.1f, 0.1f, 0, nullptr);
            EXPECT_TRUE(Numbers(xphost::writes())) << "step " << step;
        }
    }
    // the drive on again with an empty tank: the engine cut
    xphost::set_i("sim/cockpit/engine/fuel_tank_selector", 2);
    xphost::set_i("sim/cockpit/switches/prop_sync_on", 1);
    xphost::set_f("sim/flightmodel/weight/m_fuel2", 0.0f);
    xphost::set_vf(Mixture, {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f});
    for (float& m : engine_Mix) m = kNaN;
    schalt1 = 2;
    xphost::clear_writes();
    CheckOrbiter(0.1f, 0.1f, 0, nullptr);
    ASSERT_EQ(ORBcut, 1);
    EXPECT_TRUE(Numbers(xphost::writes()));
    EXPECT_EQ(xphost::get_vf(Mixture, 0, 8), (std::vector<float>{1.0f, 0.0f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f}));
}

// A release stored from readings that are no numbers is stored as the file
// would keep it: as 0, so the orbiter never flies to a position of NaN.
TEST_F(HostileCarrier, AReleaseStoresNumbers)
{
    INDEXtostore = 3;
    xphost::set_d(Latitude, std::numeric_limits<double>::quiet_NaN());
    xphost::set_d(Longitude, std::numeric_limits<double>::infinity());
    xphost::set_d(Elevation, 90000.0);
    xphost::set_f(LocalVx, kNaN);
    xphost::set_vf(Quaternion, {kNaN, 0.5f, 0.5f, 0.5f});
    OrbiterAboard();
    xphost::set_i(ZoomSwitch, 1);
    Ticks(20);
    zoom_on = 3;
    schalt1 = 1;
    TARGETalt = 1;
    xphost::set_f(Vvi, 100.0f);
    Ticks(70);
    ASSERT_EQ(schalt1, 2);                         // released
    for (double v : {orb_latitude[3], orb_longitude[3], orb_elevation[3]})
        EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(orb_latitude[3], 0.0);
    EXPECT_EQ(orb_elevation[3], 90000.0);
    EXPECT_EQ(orb_local_vx[3], 0.0f);
    EXPECT_EQ(orb_quaternion[3][0], 0.0f);
    EXPECT_EQ(orb_quaternion[3][1], 0.5f);
    for (float v : {orb_head[3], orb_pitch[3], orb_roll[3], orb_speed[3]})
        EXPECT_TRUE(std::isfinite(v));
}

// The Halvik's turbo engine is its aircraft file's, read at the first action:
// a reading that is no number is not taken, so the turbo mode never writes one.
TEST_F(HostileHost, TheHalviksTurboFiguresAreNumbers)
{
    xphost::set_f("sim/aircraft/engine/acf_critalt", 30000.0f);
    xphost::set_f("sim/aircraft/engine/acf_max_mach_eff", 2.5f);
    xphost::load_aircraft("QZTdesign QZT Halvik VTOL transport");
    xphost::advance(5.5);                          // the first action reads them
    xphost::set_f("sim/aircraft/engine/acf_critalt", kNaN);
    xphost::set_f("sim/aircraft/engine/acf_max_mach_eff", -kInf);
    xphost::crash();
    xphost::advance(5.5);                          // and again after the crash
    xphost::set_f("sim/aircraft/engine/acf_critalt", 0.0f);
    xphost::set_f("sim/aircraft/engine/acf_max_mach_eff", 7.8f);
    xphost::clear_writes();
    xphost::set_f("sim/flightmodel/misc/machno", 1.5f);
    RamEngine(RamTurbo, 100.0f);
    EXPECT_TRUE(Numbers(xphost::writes()));
    EXPECT_EQ(LastWritten("sim/aircraft/engine/acf_critalt"), 30000.0);
    EXPECT_EQ(LastWritten("sim/aircraft/engine/acf_max_mach_eff"), 2.5);
}

// The jet's rated thrust read as no number at the load is read again at the
// next airport change, where the thrust factor then applies to it.
TEST_F(HostileHost, TheJetsRatedThrustIsReadAgainUntilItIsANumber)
{
    tmax_acf = tmax_curr = 0.0f;                     // as the last model's hand-back leaves them
    xphost::set_f(Tmax, kNaN);
    xphost::set_i(WaterSelector, 0);
    xphost::load_aircraft("QZTdesign QZT Solace HX hypersonic business jet");
    ASSERT_EQ(Ident, 28);
    xphost::set_f(Tmax, 40000.0f);
    xphost::load_airport();
    xphost::set_f(Alt, 5000.0f);
    xphost::set_f(Mach, 3.0f);
    xphost::clear_writes();
    for (int i = 0; i < 20; ++i)
        CheckHyper(0.1f, 0.1f, 0, nullptr);
    EXPECT_TRUE(Numbers(xphost::writes()));
    EXPECT_FLOAT_EQ(LastWritten(Tmax), 40000.0f);   // below 10,000 ft the factor is 1
}

}  // namespace
