// The demo's side of the host: what it reads from the plug-in's writes and
// drawing. The test plays the plug-in by calling the host interface itself.
#include <gtest/gtest.h>

#include <cmath>

#include "XPLMDataAccess.h"
#include "XPLMDisplay.h"
#include "XPLMGraphics.h"
#include "XPLMUtilities.h"
#include "aircraft.h"
#include "bridge.h"
#include "messages.h"
#include "timeline.h"
#include "xphost.h"

using namespace sim;

namespace {

void plugin_seti(const char* path, int v) { XPLMSetDatai(XPLMFindDataRef(path), v); }
void plugin_setf(const char* path, float v) { XPLMSetDataf(XPLMFindDataRef(path), v); }
void plugin_setd(const char* path, double v) { XPLMSetDatad(XPLMFindDataRef(path), v); }

class Bridge : public ::testing::Test {
protected:
    void SetUp() override
    {
        xphost::reset();
        xphost::set_frame_rate(10);
        model.load(carrier_airframe(), 0, 0, 3, 90);
        Store stores[3];
        stores[kJatoStation] = Store{kJatoType, 0, kJatoMass};
        stores[kBayStation] = Store{kOrbiterType, 0, kOrbiterMass};
        bridge.load_aircraft_file(carrier_airframe(), stores, 3, 90);
        model.place(0, 100000, 0);
        model.set_velocity(1500, 200, 0);
        model.refresh();
    }

    // One frame as the demo runs it, the plug-in's writes in between.
    template <class PluginSide>
    void frame(PluginSide plugin)
    {
        bridge.publish();
        xphost::run_frame();
        plugin();
        bridge.read_controls();
        bridge.scan_writes(&timeline);
        model.step(xphost::frame_period());
    }

    void TearDown() override { std::fclose(sink); }

    std::FILE* sink = std::fopen("/dev/null", "w");
    FlightModel model;
    HostBridge bridge{model};
    Timeline timeline{model, sink};
};

}  // namespace

TEST_F(Bridge, FireKeyReleasesTheOrbiterAndRecordsWhereThePluginStoredIt)
{
    frame([] {
        plugin_seti("sim/cockpit/switches/water_scoop", 1);
        plugin_seti("sim/cockpit/weapons/missiles_armed", 1);
    });
    const Observed before = model.observed();
    frame([] { plugin_seti("sim/joystick/fire_key_is_down", 1); });
    EXPECT_EQ(model.stores[kBayStation].status, 1);
    EXPECT_EQ(model.stores[kJatoStation].status, 0) << "missiles armed leave the JATO pack";
    ASSERT_TRUE(bridge.release_seen());
    EXPECT_DOUBLE_EQ(bridge.release_x(), before.x) << "the position the plug-in read in that frame";

    // The second press a tick later is stored again; a later one is not.
    const Observed second = model.observed();
    frame([] { plugin_seti("sim/joystick/fire_key_is_down", 1); });
    EXPECT_DOUBLE_EQ(bridge.release_x(), second.x);
    frame([] {});
    frame([] { plugin_seti("sim/joystick/fire_key_is_down", 1); });
    EXPECT_DOUBLE_EQ(bridge.release_x(), second.x);

    bridge.publish();
    EXPECT_EQ(xphost::get_vi("sim/weapons/action_mode", kBayStation, 1)[0], 1);
    EXPECT_EQ(xphost::get_vf("sim/weapons/total_weapon_mass_now", kBayStation, 1)[0], 0.0f);
}

TEST_F(Bridge, HeldFireKeyAndClosedDoorsReleaseNothing)
{
    frame([] {
        plugin_seti("sim/cockpit/weapons/missiles_armed", 1);
        plugin_seti("sim/joystick/fire_key_is_down", 1);
    });
    EXPECT_EQ(model.stores[kBayStation].status, 0) << "the bay doors are shut";
    frame([] { plugin_seti("sim/cockpit/switches/water_scoop", 1); });
    frame([] { plugin_seti("sim/joystick/fire_key_is_down", 1); });
    EXPECT_EQ(model.stores[kBayStation].status, 0) << "a key held down is not a new press";

    // Arming within the same frame as the press counts, in write order.
    frame([] {
        plugin_seti("sim/joystick/fire_key_is_down", 0);
        plugin_seti("sim/cockpit/weapons/bombs_armed", 1);
        plugin_seti("sim/joystick/fire_key_is_down", 1);
        plugin_seti("sim/cockpit/weapons/bombs_armed", 0);
    });
    EXPECT_EQ(model.stores[kJatoStation].status, 1);
}

TEST_F(Bridge, PlacementMovesTheAircraftAndTheGearButtonRaisesTheGear)
{
    double x = 0, y = 0, z = 0;
    XPLMWorldToLocal(1.0, 2.0, 91000.0, &x, &y, &z);
    frame([&] {
        plugin_setd("sim/flightmodel/position/local_x", x);
        plugin_setd("sim/flightmodel/position/local_y", y);
        plugin_setd("sim/flightmodel/position/local_z", z);
        plugin_setf("sim/flightmodel/position/local_vx", 0);
        plugin_setf("sim/flightmodel/position/local_vy", 100);
        plugin_setf("sim/flightmodel/position/local_vz", -1200);   // due north
        XPLMCommandButtonPress(xplm_joy_gear_up);
        XPLMCommandButtonRelease(xplm_joy_gear_up);
    });
    ASSERT_TRUE(bridge.placed());
    const Observed& o = model.observed();
    EXPECT_NEAR(o.x, x, 1.0);
    EXPECT_NEAR(o.z, z - 1200 * 0.1, 1.0);
    EXPECT_NEAR(o.elevation_m, 91000 + 10, 1.0);
    EXPECT_NEAR(o.heading, 0.0, 0.01);
    EXPECT_EQ(xphost::get_i("sim/cockpit/switches/gear_handle_status"), 0);

    bridge.publish();
    EXPECT_NEAR(xphost::get_d("sim/flightmodel/position/latitude"), 1.0, 0.01);
    EXPECT_NEAR(xphost::get_d("sim/flightmodel/position/longitude"), 2.0, 1e-6);
}

TEST_F(Bridge, TimelineTellsTheZoomPhasesFromThePluginsWrites)
{
    timeline.set_aircraft(Timeline::Aircraft::Carrier);
    const Facts& f = timeline.facts;
    frame([] { plugin_setf("sim/cockpit/autopilot/altitude", 72000); });
    EXPECT_TRUE(f.phase[0] && f.phase[1]);
    frame([] { plugin_setf("sim/cockpit/autopilot/airspeed", 6.5f); });
    EXPECT_FALSE(f.phase[2]);
    frame([] { plugin_setf("sim/cockpit/autopilot/airspeed", 9.0f); });
    EXPECT_TRUE(f.phase[2]);
    frame([] { plugin_setf("sim/aircraft/engine/acf_throtmax_FWD", 1.0f); });
    EXPECT_FALSE(f.phase[3]) << "the limit goes back to 1.0 only after the top";
    frame([] { plugin_setf("sim/aircraft/engine/acf_throtmax_FWD", 0.1f); });
    frame([] { plugin_setf("sim/aircraft/engine/acf_throtmax_FWD", 1.0f); });
    EXPECT_TRUE(f.phase[3]);
    frame([] { plugin_setf("sim/cockpit/autopilot/flight_director_pitch", 6.05f); });
    EXPECT_FALSE(f.phase[4]);
    frame([] { plugin_setf("sim/cockpit/autopilot/flight_director_pitch", 5.0f); });
    EXPECT_TRUE(f.phase[4]);
    frame([] { plugin_seti("sim/cockpit/switches/prop_sync_on", 0); });
    EXPECT_FALSE(f.phase[6]) << "no hand-over before the descent";
    frame([] {
        plugin_seti("sim/cockpit/weapons/missiles_armed", 0);
        plugin_seti("sim/joystick/fire_key_is_down", 0);
    });
    EXPECT_TRUE(f.phase[5]);
    frame([] { plugin_seti("sim/cockpit/switches/prop_sync_on", 0); });
    EXPECT_TRUE(f.phase[6]);
}

namespace {
int DrawPage(XPLMDrawingPhase, int, void*)
{
    float yellow[3] = {0.9f, 0.9f, 0.2f}, red[3] = {0.9f, 0.1f, 0.1f}, white[3] = {0.85f, 0.85f, 0.85f};
    char zoom[] = "ZOOM TO 6 G", doors[] = "BAYDOORS OPEN", index[] = "INDEX NO.", label[] = "    AMBC";
    XPLMDrawString(yellow, 31, 447, zoom, nullptr, xplmFont_Basic);
    XPLMDrawString(red, 31, 432, doors, nullptr, xplmFont_Basic);
    XPLMDrawString(yellow, 31, 417, index, nullptr, xplmFont_Basic);
    XPLMDrawNumber(yellow, 91, 417, 3, 2, 0, 1, xplmFont_Basic);
    XPLMDrawString(white, 159, 447, label, nullptr, xplmFont_Basic);
    XPLMSpeakString("Baydoors open");
    return 1;
}
}  // namespace

TEST_F(Bridge, TimelineReadsPanelLinesAndSpeech)
{
    timeline.set_aircraft(Timeline::Aircraft::Carrier);
    XPLMRegisterDrawCallback(DrawPage, xplm_Phase_Panel, 0, nullptr);
    frame([] {});
    timeline.after_frame();
    const Facts& f = timeline.facts;
    EXPECT_TRUE(f.message[35]);
    EXPECT_TRUE(f.message[32]) << "BAYDOORS OPEN in the zoom's red is line 32, not the emergency's 52";
    EXPECT_FALSE(f.message[52]);
    EXPECT_EQ(f.stored_record, 3);
    EXPECT_TRUE(f.said("Baydoors open"));
    XPLMUnregisterDrawCallback(DrawPage, xplm_Phase_Panel, 0, nullptr);
}

TEST(PanelMessages, TextAndColourNameTheLine)
{
    const float zoomRed[3] = {0.9f, 0.1f, 0.1f}, emergencyRed[3] = {0.9f, 0.2f, 0.2f}, green[3] = {0.2f, 0.9f, 0.2f};
    EXPECT_EQ(panel_message("BAYDOORS OPEN", zoomRed), 32);
    EXPECT_EQ(panel_message("BAYDOORS OPEN", emergencyRed), 52);
    EXPECT_EQ(panel_message("BAYDOORS OPEN", green), -1);
    EXPECT_EQ(panel_message("    AMBC", green), -1);
    EXPECT_EQ(panel_message("", green), 0);
    EXPECT_STREQ(panel_message_text(38), "ALTITUDE NOT REACHED");
}

// The cameras sit at the stations: the carrier heads east, so its nose
// points along +x and its right wing south (+z).
TEST_F(Bridge, StationsRideWithTheAirframe)
{
    bridge.publish();
    const Observed& o = model.observed();
    const auto x = xphost::get_vf("sim/weapons/x", 0, 7);
    const auto y = xphost::get_vf("sim/weapons/y", 0, 7);
    const auto z = xphost::get_vf("sim/weapons/z", 0, 7);
    EXPECT_NEAR(x[6], o.x - 28, 0.02);                 // the tail
    EXPECT_NEAR(y[6], o.y + 5, 0.02);
    EXPECT_NEAR(z[6], o.z, 0.02);
    EXPECT_NEAR(x[5], o.x - 6, 0.02);                  // the right wing tip
    EXPECT_NEAR(z[5], o.z + 16, 0.02);
}

