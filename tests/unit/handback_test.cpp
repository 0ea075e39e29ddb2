// Changing aircraft: whatever a model took from the simulator goes back, its
// state is reset, and nothing of it reaches the next aircraft.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "support/plugin_fixture.h"
#include "aircraft/models.h"
#include "carrier/carrier.h"
#include "carrier/orbiter.h"
#include "carrier/panel.h"
#include "carrier/zoom.h"
#include "common/first_action.h"
#include "common/timers.h"
#include "display/handbook.h"
#include "systems/korva.h"
#include "systems/stores.h"
#include "systems/glider.h"
#include "systems/hyper.h"
#include "systems/metric.h"

namespace {

const char* const Overrides[] = {
    "sim/operation/override/override_joystick",
    "sim/operation/override/override_flightdir_ptch",
    "sim/operation/override/override_flightdir_roll",
    "sim/operation/override/override_throttles",
    "sim/joystick/fire_key_is_down",
};
const char* const ZoomSwitch = "sim/cockpit/switches/prop_sync_on";
const char* const OrbiterSwitch = "sim/cockpit/switches/puffers_on";
const char* const ParkBrake = "sim/flightmodel/controls/parkbrake";
const char* const NavLights = "sim/cockpit/electrical/nav_lights_on";
const char* const NightVision = "sim/cockpit/electrical/night_vision_on";
const char* const Unrecognised = "Another maker's aircraft";

class HandBack : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        SHOISTactive = SHOISTfromLOC = SHOISTdone = 0;
        zoom_on = schalt1 = 0;
        go_initial = 0;
        sectimer = 0;
        xphost::set_frame_rate(10);
    }

    static void Load(int slot)
    {
        // The pilot of a freshly loaded aircraft: brake set, zoom switch off,
        // the carrier's orbiter switch in its normal position.
        xphost::set_i(ZoomSwitch, 0);
        xphost::set_i(OrbiterSwitch, 1);
        xphost::set_f(ParkBrake, 1.0f);
        xphost::set_i("sim/cockpit/autopilot/autopilot_state", 0);
        xphost::set_i("sim/cockpit/electrical/cockpit_lights_on", 1);
        xphost::load_aircraft(slot > 0 && slot < IdPlaneRows && std::string(IdPlane[slot].descrip) != "no"
                                  ? std::string("QZTdesign ") + IdPlane[slot].descrip
                                  : Unrecognised);
    }

    // Takes whatever the model offers to take: the carrier's zoom switch
    // disconnects the stick and overrides the flight director, a brake release
    // places the orbiter and gives it the throttles; the QZT key at Mach 3 and
    // 50,000 ft takes the view for a camera (night vision for the twin's
    // camera 0) and switches the Halvik's engine to ram with the throttles held.
    static void FlyIt()
    {
        xphost::set_f("sim/flightmodel/weight/m_fuel2", 5000.0f);
        xphost::set_i(ZoomSwitch, 1);
        xphost::set_f(ParkBrake, 0.0f);
        xphost::advance(2.0);
        xphost::set_f("sim/flightmodel/misc/machno", 3.0f);
        xphost::set_f("sim/flightmodel/misc/h_ind", 50000.0f);
        xphost::press_key(XPLM_VK_F4);
        xphost::set_f("sim/flightmodel/misc/machno", 0.0f);
        xphost::set_f("sim/flightmodel/misc/h_ind", 0.0f);
        xphost::run_frame();                         // a camera takes the view with the next frame
    }

    static std::vector<std::string> Held()
    {
        std::vector<std::string> held;
        for (const char* path : Overrides)
            if (xphost::get_i(path) != 0)
                held.push_back(path);
        return held;
    }
};

TEST_F(HandBack, OverridesGoBackWhenAnotherAircraftIsLoaded)
{
    Load(37);
    xphost::advance(5.0);
    FlyIt();
    ASSERT_TRUE(SHOISTactive);
    ASSERT_EQ(xphost::get_i(Overrides[0]), 1);       // the stick is disconnected
    ASSERT_EQ(xphost::get_i(Overrides[1]), 1);       // the pitch command is the zoom's

    Load(9);
    EXPECT_TRUE(Held().empty());
    EXPECT_FALSE(SHOISTactive);
    EXPECT_EQ(zoom_on, 0);

    // the orbiter left before its engine cut gives the throttles back
    Load(45);
    xphost::advance(6.0);
    FlyIt();
    ASSERT_EQ(xphost::get_i(Overrides[3]), 1);
    Load(0);
    EXPECT_TRUE(Held().empty());
}

// The simulator keeps an override after it drops a plug-in, so a stop (the
// user reloading the plug-ins) mid-flight must hand back what the model holds.
TEST_F(HandBack, AStopHandsBackWhatTheModelHolds)
{
    Load(45);
    xphost::advance(6.0);
    FlyIt();
    ASSERT_EQ(xphost::get_i(Overrides[3]), 1);     // the orbiter has the throttles
    xphost::disable();
    xphost::stop();
    EXPECT_TRUE(Held().empty());

    xphost::start();
    xphost::enable();
    Load(37);
    xphost::advance(5.0);
    FlyIt();
    ASSERT_EQ(xphost::get_i(Overrides[0]), 1);     // the zoom has the stick
    ASSERT_TRUE(xphost::camera_controlled());
    xphost::disable();
    xphost::stop();
    EXPECT_TRUE(Held().empty());
    EXPECT_FALSE(xphost::camera_controlled());
    EXPECT_TRUE(xphost::windows().empty());
}

TEST_F(HandBack, ACarrierLoadedAgainMidZoomStartsAsTheFirstOne)
{
    Load(37);
    xphost::advance(5.0);
    FlyIt();
    ASSERT_EQ(zoom_on, 1);

    Load(37);
    xphost::clear_writes();
    xphost::advance(10.0);
    EXPECT_FALSE(SHOISTactive);
    EXPECT_EQ(zoom_on, 0);
    EXPECT_TRUE(xphost::writes_to(Overrides[1]).empty());
    EXPECT_TRUE(xphost::writes_to("sim/cockpit/autopilot/flight_director_pitch").empty());
    EXPECT_TRUE(Held().empty());
}

// The same carrier flight after a first load and after a reload mid-zoom
// writes the same values at the same moments.
TEST_F(HandBack, ReloadedCarrierWritesWhatAFirstLoadWrites)
{
    auto flight = [] {
        xphost::clear_writes();
        const double start = xphost::now();
        Load(37);
        xphost::advance(5.0);
        FlyIt();
        std::vector<std::string> log;
        for (const auto& w : xphost::writes())
            if (w.time > start || w.path.find("override") == std::string::npos)   // not the hand-back
                log.push_back(std::to_string(w.time - start) + " " + w.path + " " + std::to_string(w.values.at(0)));
        return log;
    };
    const auto first = flight();
    while (sectimer != 0)                             // the same tick phase as at the first load
        xphost::advance(0.1);
    const auto again = flight();
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(again, first);
}

TEST_F(HandBack, APendingFirstActionBelongsToTheAircraftThatScheduledIt)
{
    Load(37);
    xphost::advance(2.0);
    Load(0);
    xphost::clear_writes();
    xphost::advance(6.0);
    EXPECT_TRUE(xphost::writes_to(NavLights).empty());
    EXPECT_FALSE(FirstActReg);

    Load(37);
    xphost::advance(2.0);
    Load(9);
    const double loaded = xphost::now();
    xphost::clear_writes();
    xphost::advance(6.0);
    const auto lights = xphost::writes_to(NavLights);
    ASSERT_EQ(lights.size(), 1u);
    EXPECT_NEAR(lights[0].time - loaded, 5.0, 0.11);  // five seconds after its own load
}

// What the slot should run while loaded, by the model families' roles.
XPLMFlightLoop_f ExpectedLoop(int slot)
{
    if (slot == 7) return CheckGlider;
    if (slot == 28) return CheckHyper;
    if (slot == 37) return CheckSkyhoist;
    if (slot == 45) return CheckOrbiter;
    if (slot >= 50 && slot <= 53) return CheckKorva;
    if ((slot >= 9 && slot <= 15) || (slot >= 18 && slot <= 27)) return CheckDROP;
    return nullptr;
}

XPLMDrawCallback_f ExpectedPanelDrawing(int slot)
{
    if ((slot >= 9 && slot <= 15) || (slot >= 22 && slot <= 27))
        return MetricAUTODrawCallback;             // the metric panels
    return slot == 28 || slot == 37 ? SCAMPanelDrawCallback : nullptr;
}

bool Recognised(int slot) { return slot != 48 && std::string(IdPlane[slot].descrip) != "no"; }

bool HasCameraWindow(int slot) { return slot >= 50 && slot <= 53; }

// Every slot loaded after every other: afterwards only the model loaded last
// runs, holds nothing it did not take itself, and gets its own first action.
TEST_F(HandBack, EverySlotAfterEveryOther)
{
    int failures = 0;
    for (int a = 0; a < IdPlaneRows && failures < 5; ++a) {
        for (int b = 0; b < IdPlaneRows && failures < 5; ++b) {
            Load(a);
            xphost::advance(5.0);
            FlyIt();
            Load(b);
            xphost::clear_writes();
            xphost::advance(5.5);

            std::vector<std::string> wrong;
            for (const std::string& held : Held())
                wrong.push_back(held + " still held");
            // the model's loop and the brake watch of every recognised model
            int active = 0;
            for (const auto& loop : xphost::flight_loops()) {
                if (!loop.active)
                    continue;
                ++active;
                if (loop.callback != ExpectedLoop(b) && loop.callback != CheckBrake)
                    wrong.push_back("a loop that is not the model's runs");
            }
            if (active != (ExpectedLoop(b) ? 1 : 0) + (Recognised(b) ? 1 : 0))
                wrong.push_back(std::to_string(active) + " loops active");
            const auto draws = xphost::draw_callbacks();
            const size_t panelDraws = ExpectedPanelDrawing(b) ? 1 : 0;
            if (draws.size() != panelDraws || (panelDraws && draws[0].callback != ExpectedPanelDrawing(b)))
                wrong.push_back(std::to_string(draws.size()) + " drawing callbacks");
            // the custom data strip for every recognised model, the handbook where the row
            // has one, the camera overlay for the light twin
            const size_t windowsWanted =
                Recognised(b) ? 1 + (IdPlane[b].infoFirst > 0 ? 1 : 0) + (HasCameraWindow(b) ? 1 : 0) : 0;
            if (xphost::windows().size() != windowsWanted)
                wrong.push_back(std::to_string(xphost::windows().size()) + " windows");
            if (xphost::camera_controlled())
                wrong.push_back("a camera still holds the view");
            if (xphost::get_i(NightVision) != 0)
                wrong.push_back("night vision left on");
            const size_t firstActions = xphost::writes_to(NavLights).size();
            if (firstActions != (Recognised(b) ? 1u : 0u))
                wrong.push_back(std::to_string(firstActions) + " first actions");

            if (!wrong.empty()) {
                ++failures;
                std::string all;
                for (const auto& w : wrong)
                    all += "; " + w;
                ADD_FAILURE() << "slot " << b << " after slot " << a << all;
            }
        }
    }
}

}  // namespace
