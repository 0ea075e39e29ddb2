// The built plug-in file over several runs of the simulator with one
// preferences folder: each carrier's release, stored in memory, reaches the
// preferences file through the dialog's "  Save and close", each orbiter starts
// where and how its own mission let it go, and a record chosen in the dialog
// is where the orbiter starts after a restart; the release keeps its steps in
// simulated time, and a stop with the dialog open leaves the simulator nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "XPLMGraphics.h"
#include "XPStandardWidgets.h"
#include "xphost.h"

namespace {

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

std::vector<double> Numbers(const std::string& text)
{
    std::istringstream in(text);
    std::vector<double> v;
    for (double d; in >> d;)
        v.push_back(d);
    return v;
}

int TimesSaid(const std::string& text)
{
    const auto all = xphost::spoken_texts();
    return static_cast<int>(std::count(all.begin(), all.end(), text));
}

void LoadAndStart()
{
    std::string error;
    ASSERT_TRUE(xphost::load_plugin(QZT_PLUGIN_FILE, &error)) << error;
    ASSERT_EQ(xphost::start(), 1);
    ASSERT_EQ(xphost::enable(), 1);
}

// X-Plane quits and starts again: the plug-in's file is closed and opened
// anew, the preferences folder stays.
void Restart()
{
    xphost::disable();
    xphost::stop();
    xphost::unload_plugin();
    EXPECT_TRUE(xphost::faults().empty()) << ::testing::PrintToString(xphost::faults());
    LoadAndStart();
}

struct Release {
    double lat, lon, elev;
    float  vx, vy, vz;
    double head, pitch, roll;            // degrees
};

// The carrier's attitude as the host gives it.
std::vector<float> Attitude(const Release& r)
{
    const double d = M_PI / 180.0, h = r.head * d / 2, p = r.pitch * d / 2, o = r.roll * d / 2;
    return {float(std::cos(h) * std::cos(p) * std::cos(o) + std::sin(h) * std::sin(p) * std::sin(o)),
            float(std::cos(h) * std::cos(p) * std::sin(o) - std::sin(h) * std::sin(p) * std::cos(o)),
            float(std::cos(h) * std::sin(p) * std::cos(o) + std::sin(h) * std::cos(p) * std::sin(o)),
            float(-std::cos(h) * std::sin(p) * std::sin(o) + std::sin(h) * std::cos(p) * std::cos(o))};
}

double Speed(const Release& r) { return std::sqrt(double(r.vx) * r.vx + double(r.vy) * r.vy + double(r.vz) * r.vz); }

// Two missions from two places.
const Release kFirst{28.4721, -80.5312, 92345.5, 1712.5f, 48.25f, -655.0f, 69.0, 23.0, -4.0};
const Release kSecond{34.9012, -117.8834, 95210.25, -1100.5f, 60.5f, 1320.75f, 220.0, 18.0, 3.0};

// The carrier over the top of its zoom, from the instruments' side.
void FlyTheCarriersRelease(const Release& r)
{
    const int launches = TimesSaid("Launch successful");
    xphost::set_f("sim/flightmodel/controls/parkbrake", 1.0f);
    xphost::set_i("sim/cockpit/switches/puffers_on", 1);
    xphost::set_i("sim/cockpit/switches/prop_sync_on", 0);
    xphost::set_f("sim/cockpit/gyros/the_ind_deg3", 10.0f);
    xphost::set_f("sim/flightmodel/position/vh_ind", 50.0f);
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
    xphost::set_d("sim/flightmodel/position/latitude", r.lat);
    xphost::set_d("sim/flightmodel/position/longitude", r.lon);
    xphost::set_d("sim/flightmodel/position/elevation", r.elev);
    xphost::set_f("sim/flightmodel/position/local_vx", r.vx);
    xphost::set_f("sim/flightmodel/position/local_vy", r.vy);
    xphost::set_f("sim/flightmodel/position/local_vz", r.vz);
    xphost::set_vf("sim/flightmodel/position/q", Attitude(r));
    for (int i = 0; i < 300 && TimesSaid("Launch successful") == launches; ++i)
        xphost::advance(0.1);
    ASSERT_EQ(TimesSaid("Launch successful"), launches + 1);
}

std::string Field(XPWidgetID root, int dx, int dy)
{
    const xphost::Widget* r = xphost::widget(root);
    for (const auto& w : xphost::widgets())
        if (r && w.widget_class == xpWidgetClass_TextField && w.left == r->left + dx && w.top == r->top - dy)
            return w.descriptor;
    return "<no field>";
}

XPWidgetID OpenPreferences()
{
    EXPECT_TRUE(xphost::select_menu_item("QZTgov", "Preferences"));
    for (const auto& w : xphost::widgets())
        if (w.root)
            return w.id;
    ADD_FAILURE() << "no dialog";
    return nullptr;
}

void Press(const char* text)
{
    const XPWidgetID button = xphost::find_widget(text, xpWidgetClass_Button);
    ASSERT_NE(button, nullptr) << text;
    ASSERT_TRUE(xphost::press_button(button)) << text;
}

// The page opens on the record the release just filled, with its heading,
// pitch and speed, and "  Save and close" writes it.
void CheckShownAndSave(const Release& r, int record)
{
    const XPWidgetID root = OpenPreferences();
    EXPECT_EQ(Field(root, 270, 138), std::to_string(record));
    EXPECT_EQ(Field(root, 150, 120).substr(0, 7), std::to_string(r.lat).substr(0, 7));
    EXPECT_NEAR(std::stod(Field(root, 150, 174)), r.head, 1e-3);      // heading
    EXPECT_NEAR(std::stod(Field(root, 210, 174)), r.pitch, 1e-3);     // pitch
    EXPECT_NEAR(std::stod(Field(root, 270, 174)), Speed(r) / 1000.0, 1e-6);   // km/s
    Press("  Save and close");
    xphost::run_frame();                             // a closed dialog goes with the next frame
    EXPECT_TRUE(xphost::widgets().empty());
}

// The record's line in the file: the whole release.
void CheckRecordLine(const Release& r, int record)
{
    const std::vector<double> v = Numbers(Line(3 + record));
    ASSERT_EQ(v.size(), 14u);
    EXPECT_NEAR(v[0], r.lat, 1e-6);
    EXPECT_NEAR(v[1], r.lon, 1e-6);
    EXPECT_NEAR(v[2], r.elev, 1e-6);
    EXPECT_NEAR(v[3], r.vx, 1e-6);
    EXPECT_NEAR(v[4], r.vy, 1e-6);
    EXPECT_NEAR(v[5], r.vz, 1e-6);
    const auto q = Attitude(r);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(v[6 + i], q[i], 1e-6);
    EXPECT_NEAR(v[10], r.pitch, 1e-3);
    EXPECT_NEAR(v[11], r.roll, 1e-3);
    EXPECT_NEAR(v[12], r.head, 1e-3);
    EXPECT_NEAR(v[13], Speed(r) / 1000.0, 1e-6);
}

// The orbiter, brake set, loaded and let go: where and how it is put.
void CheckOrbiterStartsAt(const Release& r)
{
    xphost::set_f("sim/flightmodel/controls/parkbrake", 1.0f);
    xphost::load_aircraft("QZTdesign QZT Ascender orbiter");
    xphost::set_f("sim/flightmodel/weight/m_fuel2", 5000.0f);
    xphost::advance(9.0);
    xphost::clear_writes();
    xphost::set_f("sim/flightmodel/controls/parkbrake", 0.0f);
    xphost::advance(1.1);
    ASSERT_EQ(xphost::writes_to("sim/flightmodel/position/local_x").size(), 1u);
    double x = 0, y = 0, z = 0;
    XPLMWorldToLocal(r.lat, r.lon, r.elev, &x, &y, &z);
    EXPECT_NEAR(xphost::get_d("sim/flightmodel/position/local_x"), x, 0.5);
    EXPECT_NEAR(xphost::get_d("sim/flightmodel/position/local_y"), y, 0.01);
    EXPECT_NEAR(xphost::get_d("sim/flightmodel/position/local_z"), z, 0.5);
    EXPECT_FLOAT_EQ(xphost::get_f("sim/flightmodel/position/local_vx"), r.vx);
    EXPECT_FLOAT_EQ(xphost::get_f("sim/flightmodel/position/local_vy"), r.vy);
    EXPECT_FLOAT_EQ(xphost::get_f("sim/flightmodel/position/local_vz"), r.vz);
    const auto q = xphost::get_vf("sim/flightmodel/position/q");
    const auto want = Attitude(r);
    ASSERT_EQ(q.size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(q[i], want[i], 2e-6) << i;
}

TEST(BuiltFilePreferences, EachMissionsOrbiterStartsFromItsOwnReleaseAndTheChosenOneAfterARestart)
{
    xphost::reset();
    LoadAndStart();

    // First run, first mission: record 1.
    FlyTheCarriersRelease(kFirst);
    EXPECT_EQ(Numbers(Line(4)), std::vector<double>(14, 0.0));      // in memory only so far
    CheckShownAndSave(kFirst, 1);
    CheckRecordLine(kFirst, 1);
    EXPECT_EQ(Line(14), "1 ");                      // the latest release
    EXPECT_EQ(Line(15), "1 ");                      // where the next orbiter starts
    CheckOrbiterStartsAt(kFirst);

    // Second run, from another place: record 2, and its orbiter starts there.
    Restart();
    FlyTheCarriersRelease(kSecond);
    CheckShownAndSave(kSecond, 2);
    CheckRecordLine(kSecond, 2);
    CheckRecordLine(kFirst, 1);                     // record 1 keeps its own attitude
    EXPECT_EQ(Line(14), "2 ");
    EXPECT_EQ(Line(15), "2 ");
    CheckOrbiterStartsAt(kSecond);

    // The pilot chooses the first mission's record; after a restart the
    // orbiter starts there, and the file still names record 2 as the latest
    // release, so the next one goes to record 3.
    const XPWidgetID root = OpenPreferences();
    Press("DOWN");
    EXPECT_EQ(Field(root, 270, 138), "1");
    Press("  Save and close");
    EXPECT_EQ(Line(14), "2 ");
    EXPECT_EQ(Line(15), "1 ");
    Restart();
    CheckOrbiterStartsAt(kFirst);
    FlyTheCarriersRelease(kSecond);
    OpenPreferences();
    Press("  Save and close");
    EXPECT_EQ(Line(14), "3 ");
    CheckRecordLine(kSecond, 3);
    EXPECT_TRUE(xphost::stale_widget_calls().empty());
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
    FlyTheCarriersRelease(kFirst);
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
