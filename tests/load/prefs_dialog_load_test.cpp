// The built plug-in file: the carrier's release, stored in memory, reaches the
// preferences file through the dialog's "  Save and close", and a fresh load of
// the file places the orbiter there; a stop with the dialog open leaves the
// simulator nothing of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include "XPLMGraphics.h"
#include "XPStandardWidgets.h"
#include "xphost.h"

namespace {

const char* const kRecord1 =
    "28.472100 -80.531200 92345.500000 1712.500000 48.250000 -655.000000 0.800000 0.200000 -0.400000 "
    "0.400000 0.000000 0.000000 0.000000 0.000000 ";

std::string PrefsFile() { return xphost::system_path() + "Resources/plugins/QZTgov_Preferences.txt"; }

std::string Line(int index)
{
    std::ifstream in(PrefsFile());
    std::string line;
    for (int i = 0; std::getline(in, line); ++i)
        if (i == index)
            return line;
    return "<no line " + std::to_string(index) + ">";
}

bool Said(const std::string& text)
{
    const auto all = xphost::spoken_texts();
    return std::find(all.begin(), all.end(), text) != all.end();
}

void LoadAndStart()
{
    std::string error;
    ASSERT_TRUE(xphost::load_plugin(QZT_PLUGIN_FILE, &error)) << error;
    ASSERT_EQ(xphost::start(), 1);
    ASSERT_EQ(xphost::enable(), 1);
}

// The carrier over the top of its zoom, from the instruments' side.
void FlyTheCarriersRelease()
{
    xphost::set_f("sim/flightmodel/controls/parkbrake", 1.0f);
    xphost::set_i("sim/cockpit/switches/puffers_on", 1);
    xphost::load_aircraft("QZTdesign QZT Skyhoist orbital carrier");
    xphost::advance(6.0);
    xphost::set_f("sim/flightmodel/controls/parkbrake", 0.0f);
    xphost::set_f("sim/flightmodel/misc/h_ind", 71500.0f);
    xphost::set_f("sim/flightmodel/misc/machno", 6.4f);
    xphost::set_f("sim/flightmodel/position/indicated_airspeed", 400.0f);
    xphost::set_i("sim/cockpit/switches/prop_sync_on", 1);
    xphost::advance(5.0);
    xphost::set_f("sim/flightmodel/position/indicated_airspeed", 10.0f);
    xphost::set_f("sim/cockpit/gyros/the_ind_deg3", 20.0f);
    xphost::set_f("sim/flightmodel/misc/h_ind", 300000.0f);
    xphost::set_f("sim/flightmodel/position/vh_ind", 200.0f);
    xphost::set_d("sim/flightmodel/position/latitude", 28.4721);
    xphost::set_d("sim/flightmodel/position/longitude", -80.5312);
    xphost::set_d("sim/flightmodel/position/elevation", 92345.5);
    xphost::set_f("sim/flightmodel/position/local_vx", 1712.5f);
    xphost::set_f("sim/flightmodel/position/local_vy", 48.25f);
    xphost::set_f("sim/flightmodel/position/local_vz", -655.0f);
    xphost::set_vf("sim/flightmodel/position/q", {0.8f, 0.2f, -0.4f, 0.4f});
    for (int i = 0; i < 300 && !Said("Launch successful"); ++i)
        xphost::advance(0.1);
}

TEST(BuiltFilePreferences, TheCarriersReleaseReachesTheFileThroughSaveAndClose)
{
    xphost::reset();
    LoadAndStart();
    FlyTheCarriersRelease();
    ASSERT_TRUE(Said("Launch successful"));
    std::string empty;
    for (int i = 0; i < 14; ++i)
        empty += "0.000000 ";
    EXPECT_EQ(Line(4), empty);                       // in memory only so far

    ASSERT_TRUE(xphost::select_menu_item("QZTgov", "Preferences"));
    const XPWidgetID save = xphost::find_widget("  Save and close", xpWidgetClass_Button);
    ASSERT_NE(save, nullptr);
    ASSERT_TRUE(xphost::press_button(save));
    xphost::run_frame();                             // a closed dialog goes with the next frame
    EXPECT_TRUE(xphost::widgets().empty());
    EXPECT_EQ(Line(4), kRecord1);
    EXPECT_EQ(Line(14), "1 ");                       // the record this run stored into
    EXPECT_TRUE(xphost::stale_widget_calls().empty());

    // X-Plane restarted: a fresh load of the file reads the release back and
    // the orbiter's first brake release puts it there.
    std::ifstream in(PrefsFile());
    std::stringstream saved;
    saved << in.rdbuf();
    xphost::disable();
    xphost::stop();
    xphost::reset();                                 // closes the file
    std::ofstream(PrefsFile()) << saved.str();
    LoadAndStart();
    xphost::set_f("sim/flightmodel/controls/parkbrake", 1.0f);
    xphost::load_aircraft("QZTdesign QZT Ascender orbiter");
    xphost::set_f("sim/flightmodel/weight/m_fuel2", 5000.0f);
    xphost::advance(9.0);
    xphost::set_f("sim/flightmodel/controls/parkbrake", 0.0f);
    xphost::advance(1.1);
    double x = 0, y = 0, z = 0;
    XPLMWorldToLocal(28.4721, -80.5312, 92345.5, &x, &y, &z);
    EXPECT_NEAR(xphost::get_d("sim/flightmodel/position/local_x"), x, 0.5);
    EXPECT_NEAR(xphost::get_d("sim/flightmodel/position/local_y"), y, 0.01);
    EXPECT_NEAR(xphost::get_d("sim/flightmodel/position/local_z"), z, 0.5);
    EXPECT_FLOAT_EQ(xphost::get_f("sim/flightmodel/position/local_vz"), -655.0f);
    EXPECT_FLOAT_EQ(xphost::get_vf("sim/flightmodel/position/q").at(2), -0.4f);
    xphost::reset();
}

// At 45 frames a second a loop that always asked for 0.1 s would tick every
// 0.111 s: the release's steps keep their tenths of simulated seconds
// instead. The doors open, "Orbiter out" 2 s later, the release pressed at
// 6.0 and 6.1 s, "Launch successful" at 6.5 s.
TEST(BuiltFileRelease, TheReleaseKeepsItsStepsInSimulatedTimeAt45FramesASecond)
{
    xphost::reset();
    xphost::set_frame_rate(45);
    LoadAndStart();
    FlyTheCarriersRelease();
    ASSERT_TRUE(Said("Launch successful"));
    const auto doors = xphost::writes_to("sim/cockpit/switches/water_scoop");
    ASSERT_FALSE(doors.empty());
    double opened = -1;
    for (const auto& w : doors)
        if (w.values.at(0) == 1.0 && opened < 0)
            opened = w.time;
    auto spoken = [&](const std::string& text) {
        for (const auto& s : xphost::speech())
            if (s.text == text)
                return s.time - opened;
        return -1.0;
    };
    const double frame = 1.0 / 45;
    EXPECT_NEAR(spoken("Orbiter out"), 2.0, frame);
    EXPECT_NEAR(spoken("Launch successful"), 6.5, frame);
    std::vector<double> presses;
    for (const auto& w : xphost::writes_to("sim/joystick/fire_key_is_down"))
        if (w.values.at(0) == 1.0 && w.time > opened)
            presses.push_back(w.time - opened);
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_NEAR(presses[0], 6.0, frame);
    EXPECT_NEAR(presses[1], 6.1, frame);
    xphost::reset();
}

// The simulator keeps whatever a stopped plug-in leaves behind, its callbacks
// pointing into a file it then unloads: a stop with the dialog open, waiting
// for a key or closed from its own close box in this very frame, with a
// model flying, leaves nothing.
TEST(BuiltFilePreferences, AStopWithTheDialogInAnyStateLeavesNothingBehind)
{
    for (int state = 0; state < 3; ++state) {
        SCOPED_TRACE(state);
        xphost::reset();
        LoadAndStart();
        xphost::load_aircraft("QZTdesign QZT Korva K-3 utility twin");
        xphost::advance(6.0);
        xphost::press_key(static_cast<char>(XPLM_VK_F4));   // its camera
        ASSERT_TRUE(xphost::select_menu_item("QZTgov", "Preferences"));
        XPWidgetID root = nullptr;
        for (const auto& w : xphost::widgets())
            if (w.root)
                root = w.id;
        ASSERT_NE(root, nullptr);
        if (state == 1) {
            ASSERT_TRUE(xphost::press_button(xphost::find_widget(" Redefine QZT key", xpWidgetClass_Button)));
        } else if (state == 2) {
            ASSERT_TRUE(xphost::press_close_box(root));
        }
        xphost::stop();
        xphost::unload_plugin();
        EXPECT_TRUE(xphost::faults().empty()) << ::testing::PrintToString(xphost::faults());
        EXPECT_TRUE(xphost::widgets().empty());
        EXPECT_TRUE(xphost::windows().empty());
        EXPECT_EQ(xphost::find_menu("QZTgov"), nullptr);
        EXPECT_FALSE(xphost::camera_controlled());
        EXPECT_TRUE(xphost::stale_widget_calls().empty());
    }
    xphost::reset();
}

}  // namespace
