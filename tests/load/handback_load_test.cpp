// The built plug-in file across aircraft changes: what a model took goes back
// to the simulator, and the autopilot is driven through its mode buttons.
#include <gtest/gtest.h>
#include <string>
#include "xphost.h"
#include "support/built_file.h"

namespace {

const char* const Stick = "sim/operation/override/override_joystick";
const char* const PitchOverride = "sim/operation/override/override_flightdir_ptch";
const char* const Throttles = "sim/operation/override/override_throttles";
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
    xphost::set_f("sim/flightmodel/controls/parkbrake", 1.0f);
    xphost::set_f("sim/flightmodel/weight/m_fuel2", 5000.0f);
    xphost::load_aircraft(Orbiter);
    xphost::advance(6.0);
    xphost::set_i(ZoomSwitch, 1);                      // the drive
    xphost::set_f("sim/flightmodel/controls/parkbrake", 0.0f);
    xphost::advance(2.0);
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

}  // namespace
