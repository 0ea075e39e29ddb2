// The built plug-in file across aircraft changes and disables: what a model
// took goes back to the simulator, and the autopilot is driven through its
// mode buttons.
#include <gtest/gtest.h>
#include <string>
#include "xphost.h"
#include "support/built_file.h"

namespace {

const char* const Stick = "sim/operation/override/override_joystick";
const char* const PitchOverride = "sim/operation/override/override_flightdir_ptch";
const char* const RollOverride = "sim/operation/override/override_flightdir_roll";
const char* const Throttles = "sim/operation/override/override_throttles";
const char* const FireKey = "sim/joystick/fire_key_is_down";
const char* const Bombs = "sim/cockpit/weapons/bombs_armed";
const char* const Missiles = "sim/cockpit/weapons/missiles_armed";
const char* const FuelDump = "sim/cockpit/switches/dumping_fuel";
const char* const ThrottleLimit = "sim/aircraft/engine/acf_throtmax_FWD";
const char* const NightVision = "sim/cockpit/electrical/night_vision_on";
const char* const LocalX = "sim/flightmodel/position/local_x";
const char* const FdPitch = "sim/cockpit/autopilot/flight_director_pitch";
const char* const ApState = "sim/cockpit/autopilot/autopilot_state";
const char* const ZoomSwitch = "sim/cockpit/switches/prop_sync_on";
const char* const NavLights = "sim/cockpit/electrical/nav_lights_on";
const char* const Carrier = "QZTdesign QZT Skyhoist orbital carrier";
const char* const Orbiter = "QZTdesign QZT Ascender orbiter";

class BuiltFileHandBack : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartBuiltFile(10));
    }

    // The carrier with its orbiter switch in the normal position; the pilot
    // puts the zoom switch on once the loop runs.
    static void StartZoom(int autopilotState)
    {
        xphost::set_i("sim/cockpit/switches/puffers_on", 1);
        xphost::set_i(ApState, autopilotState);
        xphost::load_aircraft(Carrier);
        xphost::advance(5.0);
        xphost::set_i(ZoomSwitch, 1);
        xphost::advance(2.0);
    }

    // The orbiter on the ground, its brake let go once its loop runs: it is
    // placed at the release and flies its ascent on the drive.
    static void StartAscent()
    {
        xphost::set_f("sim/flightmodel/controls/parkbrake", 1.0f);
        xphost::set_f("sim/flightmodel/weight/m_fuel2", 5000.0f);
        xphost::load_aircraft(Orbiter);
        xphost::advance(6.0);
        xphost::set_i(ZoomSwitch, 1);                  // the drive
        xphost::set_f("sim/flightmodel/controls/parkbrake", 0.0f);
        xphost::advance(2.0);
    }

    static void ExpectNothingHeld()
    {
        for (const char* path : {Stick, PitchOverride, RollOverride, Throttles, FireKey, Bombs, Missiles, FuelDump})
            EXPECT_EQ(xphost::get_i(path), 0) << path;
        EXPECT_FALSE(xphost::camera_controlled());
    }

    // The simulator calls nothing of a disabled plug-in: what it held at the
    // disable would stay held the whole time.
    static void DisableForHalfAMinute()
    {
        xphost::disable();
        xphost::clear_writes();
        xphost::advance(30.0);
        EXPECT_TRUE(xphost::writes().empty());
        ExpectNothingHeld();
    }
};

TEST_F(BuiltFileHandBack, TheZoomsOverridesEndWithTheCarrier)
{
    StartZoom(0);
    ASSERT_EQ(xphost::get_i(Stick), 1);
    ASSERT_EQ(xphost::get_i(PitchOverride), 1);
    xphost::load_aircraft("QZTdesign QZT Stormfalk SF-1");
    EXPECT_EQ(xphost::get_i(Stick), 0);
    EXPECT_EQ(xphost::get_i(PitchOverride), 0);
}

TEST_F(BuiltFileHandBack, TheOrbitersThrottlesEndWithTheOrbiter)
{
    StartAscent();
    ASSERT_EQ(xphost::get_i(Throttles), 1);
    xphost::load_aircraft("Another maker's aircraft");
    EXPECT_EQ(xphost::get_i(Throttles), 0);
}

TEST_F(BuiltFileHandBack, ACarrierLoadedAgainMidZoomFliesNothing)
{
    StartZoom(0);
    xphost::set_i(ZoomSwitch, 0);
    xphost::load_aircraft(Carrier);
    xphost::clear_writes();
    xphost::advance(10.0);
    EXPECT_TRUE(xphost::writes_to(PitchOverride).empty());
    EXPECT_TRUE(xphost::writes_to(FdPitch).empty());
}

TEST_F(BuiltFileHandBack, TheFirstActionWaitsForTheAircraftThatScheduledIt)
{
    xphost::load_aircraft(Carrier);
    xphost::advance(2.0);
    xphost::load_aircraft("Another maker's aircraft");
    xphost::advance(6.0);
    EXPECT_TRUE(xphost::writes_to(NavLights).empty());
}

// A zoom engaged from the heading mode keeps it: the plug-in presses only the
// buttons of the modes that are not on yet.
TEST_F(BuiltFileHandBack, TheZoomPressesOnlyTheModesNotYetEngaged)
{
    StartZoom(2 | 1);                                   // heading and autothrottle
    EXPECT_EQ(xphost::get_i(ApState), 163);
    const auto presses = xphost::writes_to(ApState);
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].values.at(0), 163 & ~3);
}

// ---- disabled in the middle of it

// The zoom cannot go on without the plug-in: the stick, the flight director
// and the throttle range go back, and the zoom stays off once enabled until
// the pilot switches it on again.
TEST_F(BuiltFileHandBack, ADisableInTheZoomHandsTheAircraftBack)
{
    StartZoom(0);
    xphost::set_f("sim/flightmodel/weight/m_fuel1", 20000.0f);  // too much fuel for the zoom: it dumps
    xphost::advance(2.0);
    ASSERT_EQ(xphost::get_i(FuelDump), 1);
    xphost::set_f("sim/flightmodel/misc/h_ind", 71500.0f);      // in the zoom's window
    xphost::set_f("sim/flightmodel/misc/machno", 6.4f);
    xphost::advance(2.0);
    ASSERT_EQ(xphost::get_i(Stick), 1);
    ASSERT_EQ(xphost::get_i(PitchOverride), 1);
    ASSERT_NE(xphost::get_f(ThrottleLimit), 1.0f);
    DisableForHalfAMinute();
    EXPECT_EQ(xphost::get_f(ThrottleLimit), 1.0f);
    EXPECT_EQ(xphost::get_i(ZoomSwitch), 0);

    ASSERT_EQ(xphost::enable(), 1);
    xphost::advance(10.0);
    ExpectNothingHeld();
    xphost::set_i(ZoomSwitch, 1);                      // the pilot engages it again
    xphost::advance(2.0);
    EXPECT_EQ(xphost::get_i(Stick), 1);
}

// The ascent ends with a disable; enabled again, the orbiter is not put back
// at the release.
TEST_F(BuiltFileHandBack, ADisableInTheAscentHandsTheAircraftBack)
{
    StartAscent();
    ASSERT_EQ(xphost::get_i(Throttles), 1);
    ASSERT_EQ(xphost::get_i(RollOverride), 1);
    DisableForHalfAMinute();
    EXPECT_EQ(xphost::get_i(ZoomSwitch), 0);
    ASSERT_EQ(xphost::enable(), 1);
    xphost::clear_writes();
    xphost::advance(10.0);
    ExpectNothingHeld();
    EXPECT_TRUE(xphost::writes_to(LocalX).empty());
}

// Above Mach 1 the Halvik's key holds the throttles while its engine changes over.
TEST_F(BuiltFileHandBack, ADisableLetsGoOfTheHalviksThrottles)
{
    xphost::load_aircraft("QZTdesign QZT Halvik VTOL transport");
    xphost::set_f("sim/flightmodel/misc/machno", 3.0f);
    xphost::set_f("sim/flightmodel/misc/h_ind", 50000.0f);
    xphost::press_key(static_cast<char>(XPLM_VK_F4));
    ASSERT_EQ(xphost::get_i(Throttles), 1);
    DisableForHalfAMinute();
}

// Each model's camera gives the view back, and the twin's night vision is as
// it was before its camera.
TEST_F(BuiltFileHandBack, ADisableGivesEachCameraBack)
{
    for (const char* model : {Carrier, "QZTdesign QZT Solace HX hypersonic business jet",
                              "QZTdesign QZT Korva K-3 utility twin", "QZTdesign QZT Korva K-2 light twin"}) {
        SCOPED_TRACE(model);
        ASSERT_NO_FATAL_FAILURE(StartBuiltFile(10));
        xphost::set_i("sim/cockpit/electrical/cockpit_lights_on", 1);
        xphost::load_aircraft(model);
        xphost::advance(5.0);
        xphost::press_key(static_cast<char>(XPLM_VK_F4));
        xphost::advance(1.0);
        ASSERT_TRUE(xphost::camera_controlled());
        DisableForHalfAMinute();
        EXPECT_EQ(xphost::get_i(NightVision), 0);
    }
}

// Another aircraft's load in the middle of the ascent never moves the user's
// orbiter, even when the pilot then opens the handbook.
TEST_F(BuiltFileHandBack, AnotherAircraftsLoadNeverPlacesTheOrbiterAgain)
{
    StartAscent();
    ASSERT_FALSE(xphost::writes_to(LocalX).empty());
    xphost::load_ai_aircraft(1);
    xphost::clear_writes();
    for (const auto& w : xphost::windows())
        if (w.right - w.left == 50 && w.left > 0)       // the handbook's strip at the right edge
            xphost::click((w.left + w.right) / 2, (w.top + w.bottom) / 2);
    xphost::advance(10.0);
    EXPECT_TRUE(xphost::writes_to(LocalX).empty());
    EXPECT_EQ(xphost::get_i(Throttles), 1);             // the ascent goes on
}

}  // namespace
