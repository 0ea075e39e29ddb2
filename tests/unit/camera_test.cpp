// The external cameras: where each view rides and looks, the mouse and the
// yoke steering them, night vision, the twin's overlay and its window, and
// the twin's switch loop.
#include <gtest/gtest.h>
#include <climits>
#include <cmath>
#include <set>
#include <string>
#include <vector>
#include "support/slot_fixture.h"
#include "support/write_log.h"
#include "carrier/camera.h"
#include "display/geometry.h"
#include "systems/korva.h"

namespace {

const char* const NightVision = "sim/cockpit/electrical/night_vision_on";
const char* const CockpitLights = "sim/cockpit/electrical/cockpit_lights_on";

class Camera : public SlotTest {
protected:
    void SetUp() override
    {
        SlotTest::SetUp();
        xphost::set_screen_size(1000, 800);          // neutral rectangle 460..540 x 368..432
        std::vector<float> x, y, z;
        for (int i = 0; i < 25; ++i) {
            x.push_back(10.0f * i);
            y.push_back(100.0f + i);
            z.push_back(-1.0f * i);
        }
        xphost::set_vf("sim/weapons/x", x);
        xphost::set_vf("sim/weapons/y", y);
        xphost::set_vf("sim/weapons/z", z);
        Attitude(2.0f, 90.0f, 4.0f);
        xphost::set_mouse(100, 700);
    }

    static void Attitude(float pitch, float heading, float roll)
    {
        xphost::set_f("sim/flightmodel/position/theta", pitch);
        xphost::set_f("sim/flightmodel/position/psi", heading);
        xphost::set_f("sim/flightmodel/position/phi", roll);
    }

    // The camera as the host shows it after one more frame.
    static XPLMCameraPosition_t Frame()
    {
        xphost::run_frame();
        return xphost::camera();
    }

    static int Station(const XPLMCameraPosition_t& c) { return static_cast<int>(std::lround(c.x / 10.0f)); }

    static void ExpectLook(const XPLMCameraPosition_t& c, float heading, float pitch, float roll)
    {
        EXPECT_NEAR(c.heading, heading, 1e-3);
        EXPECT_NEAR(c.pitch, pitch, 1e-3);
        EXPECT_NEAR(c.roll, roll, 1e-3);
    }
};

TEST_F(Camera, CarrierStepsThroughViews2To6EachAtItsStation)
{
    LoadSlot(37);
    PressQZT();
    ASSERT_EQ(xphost::commands().size(), 2u);           // free view: pressed and released
    EXPECT_EQ(xphost::commands()[0].button, 44);
    EXPECT_FALSE(xphost::commands()[1].press);
    // The simulator changes the view with the next frame: the camera is
    // taken then, and is not lost to that change.
    EXPECT_FALSE(xphost::camera_controlled());
    xphost::run_frame();
    EXPECT_EQ(xphost::camera_duration(), xplm_ControlCameraUntilViewChanges);

    struct Look { int station; float heading, pitch, roll; };
    // Views 2 and 3 hang upside down: pitch and roll negated.
    const Look looks[] = {{2, 95, -7, -4}, {3, 85, -7, -4}, {4, 90, 7, 4}, {5, 90, 7, 4}, {6, 270, 7, 4}, {2, 95, -7, -4}};
    for (const Look& l : looks) {
        SCOPED_TRACE(l.station);
        const auto c = Frame();
        EXPECT_EQ(Station(c), l.station);
        EXPECT_EQ(c.y, 100.0f + l.station);
        ExpectLook(c, l.heading, l.pitch, l.roll);
        PressQZT();
    }
    EXPECT_EQ(xphost::commands().size(), 2u);           // only the start takes the view
}

TEST_F(Camera, TheMouseSteersOnceItHasMovedUpOrDownAndOutsideTheNeutralRectangle)
{
    LoadSlot(37);
    PressQZT();                                         // view 2, mouse far from the centre
    ExpectLook(Frame(), 95, -7, -4);
    xphost::set_mouse(900, 700);                        // sideways only
    ExpectLook(Frame(), 95, -7, -4);
    xphost::set_mouse(900, 690);                        // 5 + 360 * 0.9 - 180; -5 + 90 * 0.8625 - 45
    ExpectLook(Frame(), 239, 25.625f, 0);
    xphost::set_mouse(500, 400);                        // inside: the default direction
    ExpectLook(Frame(), 95, -7, -4);
    xphost::set_mouse(460, 400);                        // on the edge: steering
    ExpectLook(Frame(), 80.6f, -7, 0);

    PressQZT();                                         // a new view starts at its default again
    ExpectLook(Frame(), 85, -7, -4);
}

TEST_F(Camera, PitchLimitsHoldEvenWithTheMouseResting)
{
    LoadSlot(37);
    for (int i = 0; i < 5; ++i)
        PressQZT();                                     // view 6, looking back
    xphost::set_mouse(500, 0);                          // bottom edge: 5 - 45 = -40, held at -10
    for (int i = 0; i < 5; ++i)
        ExpectLook(Frame(), 270, 2 - 10, 0);
    xphost::set_mouse(500, 800);                        // top edge: 5 + 45, within +90
    ExpectLook(Frame(), 270, 2 + 50, 0);
}

// The simulator hands the camera an undefined structure every frame: the
// jet's and the carrier's cameras write every field, the zoom the arrows set.
TEST_F(Camera, JetStepsThroughViews0To3AndWritesEveryFieldWithItsZoom)
{
    LoadSlot(28);
    PressQZT();
    xphost::press_key(XPLM_VK_UP);
    EXPECT_EQ(CAMERAzoom, 2.0f);
    for (int station : {0, 1, 2, 3, 0}) {
        const auto c = Frame();
        EXPECT_EQ(Station(c), station);
        EXPECT_EQ(c.zoom, 2.0f);
        PressQZT();
    }
    LoadSlot(37);
    PressQZT();
    EXPECT_EQ(Frame().zoom, 1.0f);
    EXPECT_TRUE(xphost::faults().empty()) << ::testing::PrintToString(xphost::faults());
}

TEST_F(Camera, WhenTheHostTakesTheViewBackTheNextPressStartsAgainAtTheSameView)
{
    LoadSlot(28);
    PressQZT();
    PressQZT();
    xphost::press_key(XPLM_VK_UP);
    Frame();
    xphost::user_changes_view();
    EXPECT_EQ(CAMERAoff, 1);
    EXPECT_FALSE(xphost::camera_controlled());

    PressQZT();
    xphost::run_frame();
    EXPECT_TRUE(xphost::camera_controlled());
    EXPECT_EQ(xphost::commands().size(), 4u);
    EXPECT_EQ(CAMERAzoom, 1.0f);
    EXPECT_EQ(Station(Frame()), 1);
}

TEST_F(Camera, NonsenseFromTheHostGivesAFiniteView)
{
    xphost::set_screen_size(0, -5);
    xphost::set_mouse(INT_MAX, INT_MIN);
    LoadSlot(37);
    Attitude(NAN, INFINITY, -1e30f);
    PressQZT();
    xphost::set_mouse(INT_MIN, INT_MAX);
    const auto c = Frame();
    for (float v : {c.x, c.y, c.z, c.pitch, c.heading, c.roll})
        EXPECT_TRUE(std::isfinite(v));
}

// ---- the light twin

TEST_F(Camera, TwinSequencesAndNightVisionWithCamera0)
{
    xphost::set_i(CockpitLights, 1);
    LoadSlot(50);                                       // cameras 1 and 2 only
    xphost::clear_writes();
    PressQZT();
    for (int station : {1, 2, 1}) {
        EXPECT_EQ(Station(Frame()), station);
        PressQZT();
    }
    EXPECT_EQ(WriteLines(0, {NightVision}), std::vector<std::string>(3, "night_vision_on: 0"));

    LoadSlot(52);                                       // cameras 0, 1, 2
    xphost::clear_writes();
    PressQZT();
    for (int station : {0, 1, 2, 0}) {
        EXPECT_EQ(Station(Frame()), station);
        EXPECT_EQ(xphost::get_i(NightVision), station == 0 ? 1 : 0);
        PressQZT();
    }
    xphost::set_i(CockpitLights, 0);
    PressQZT();
    PressQZT();                                         // camera 0 in daylight
    EXPECT_EQ(xphost::get_i(NightVision), 0);
}

TEST_F(Camera, NightVisionComesBackAsItWasWhenTheHostTakesTheView)
{
    xphost::set_i(CockpitLights, 1);
    LoadSlot(52);
    for (int before : {1, 0}) {
        xphost::set_i(NightVision, before);
        CAMERAid = 0;
        PressQZT();                                     // camera 0 in the dark
        EXPECT_EQ(xphost::get_i(NightVision), 1);
        PressQZT();
        EXPECT_EQ(xphost::get_i(NightVision), 0);
        Frame();
        xphost::user_changes_view();
        EXPECT_EQ(xphost::get_i(NightVision), before);
    }
}

TEST_F(Camera, Camera0FollowsTheYokeLessTheMoreTheAircraftBanks)
{
    LoadSlot(52);                                       // yoke range 90 degrees
    Attitude(2.0f, 90.0f, 30.0f);
    xphost::set_f("sim/joystick/yolk_roll_ratio", 0.5f);
    xphost::set_f("sim/joystick/yolk_pitch_ratio", 0.25f);
    PressQZT();
    auto c = Frame();
    ExpectLook(c, 90 + 0.5f * 90 * 60 / 90, 2 + 5, 30 - 30 * 30.0f / 90);
    EXPECT_EQ(c.zoom, 1.0f);
    xphost::set_f("sim/joystick/yolk_roll_ratio", -0.5f);
    ExpectLook(Frame(), 60, 7, 20);

    PressQZT();                                         // forward, banking with the aircraft
    ExpectLook(Frame(), 90, 2, 30);
    PressQZT();                                         // sideways: the bank is its pitch
    ExpectLook(Frame(), 180, -30, 2);

    LoadSlot(53);                                       // yoke range 45 degrees
    Attitude(0.0f, 90.0f, 0.0f);
    xphost::set_f("sim/joystick/yolk_roll_ratio", 1.0f);
    PressQZT();
    EXPECT_NEAR(Frame().heading, 135.0f, 1e-3);
}

TEST_F(Camera, TheZoomNarrowsTheTwinsMouseSweep)
{
    LoadSlot(50);
    PressQZT();                                         // camera 1
    xphost::set_mouse(1000, 600);                       // right edge: 270 / 2; 90 * 0.75 - 45
    ExpectLook(Frame(), 90 + 135, 2 + 22.5f, 0);
    xphost::press_key(XPLM_VK_UP);
    auto c = Frame();
    ExpectLook(c, 90 + 67.5f, 2 + 11.25f, 0);
    EXPECT_EQ(c.zoom, 2.0f);
    for (int i = 0; i < 3; ++i)
        xphost::press_key(XPLM_VK_DOWN);
    c = Frame();
    ExpectLook(c, 90 + 135, 2 + 22.5f, 0);
    EXPECT_EQ(c.zoom, 1.0f);
}

TEST_F(Camera, TheOverlayShowsClimbRollAndHeadingWhileACameraRuns)
{
    LoadSlot(52);
    Frame();
    EXPECT_TRUE(xphost::find_text("AIRCRAFT ROLL").empty());

    xphost::set_f("sim/flightmodel/position/vh_ind", 5.08f);   // 1000 ft/min
    Attitude(2.0f, 90.0f, -30.0f);
    xphost::set_f("sim/joystick/yolk_roll_ratio", 0.5f);
    PressQZT();
    Frame();
    Frame();                                            // drawn from what the camera last computed

    const auto vvi = xphost::draws_at(CAMinfoDwx1 + 1, CAMinfoDwy1 - 25);
    ASSERT_EQ(vvi.size(), 1u);
    EXPECT_EQ(vvi[0].text, "1000");
    EXPECT_EQ(xphost::draws_at(CAMinfoDwx1 + 7, CAMinfoDwy1 - 12).at(0).text, "VVI");
    EXPECT_EQ(xphost::draws_at(CAMinfoAwx1 + 10, CAMinfoAwy1 - 10).at(0).text, "AIRCRAFT ROLL");
    EXPECT_EQ(xphost::draws_at(CAMinfoAwx1 + 30, CAMinfoAwy1 - 22).at(0).value, -30.0);
    EXPECT_EQ(xphost::draws_at(CAMinfoBwx1 + 5, CAMinfoBwy1 - 10).at(0).text, "CAMERA HEADING");
    EXPECT_NEAR(xphost::draws_at(CAMinfoBwx1 + 30, CAMinfoBwy1 - 22).at(0).value, 0.5 * 90 * 60 / 90, 1e-4);
    const auto help = xphost::find_text("Zoom:arrow keys / Direction:mouse / Default:mouse re-center");
    ASSERT_EQ(help.size(), 1u);
    EXPECT_EQ(help[0].x, CAMinfoCwx1 + 20);
    EXPECT_EQ(help[0].rgb[0], colorSCH[0]);

    // The bars: the climb raises the top of box D, the left roll moves box
    // A's left edge out, the right yoke box B's right edge.
    bool climb = false, roll = false, yoke = false;
    for (const auto& op : xphost::display_list()) {
        if (op.kind != xphost::DrawOp::Box)
            continue;
        climb |= op.left == CAMinfoDwx1 && std::abs(op.top - (CAMinfoDwy1 + CAMinfo_breite / 3)) <= 1 &&
                 op.bottom == CAMinfoDwy2;
        roll |= op.left == CAMinfoAwx1 - CAMinfo_breite / 2 && op.right == CAMinfoAwx2 && op.top == CAMinfoAwy1;
        yoke |= op.left == CAMinfoBwx1 && op.right == CAMinfoBwx2 + CAMinfo_breite / 2 && op.top == CAMinfoBwy1;
    }
    EXPECT_TRUE(climb);
    EXPECT_TRUE(roll);
    EXPECT_TRUE(yoke);

    xphost::user_changes_view();
    Frame();
    EXPECT_TRUE(xphost::find_text("VVI").empty());
}

// Shown only with a camera, so it takes every click while shown and none
// while not: a shown window that lets a click through upsets the simulator.
TEST_F(Camera, TheCamWindowSitsCentredAndIsShownOnlyWithACamera)
{
    LoadSlot(51);
    ASSERT_NE(CAMWindow, nullptr);
    auto shown = [] {
        for (const auto& w : xphost::windows())
            if (w.id == CAMWindow && w.left == 400 && w.top == 480 && w.right == 600 && w.bottom == 320)
                return w.visible;
        return false;
    };
    EXPECT_FALSE(shown());
    EXPECT_FALSE(xphost::click(500, 400));              // the cockpit underneath gets it
    PressQZT();
    xphost::run_frame();
    EXPECT_TRUE(shown());
    EXPECT_TRUE(xphost::click(500, 400));
    xphost::user_changes_view();
    EXPECT_FALSE(shown());
    EXPECT_FALSE(xphost::click(500, 400));
    EXPECT_TRUE(xphost::faults().empty()) << ::testing::PrintToString(xphost::faults());
}

TEST_F(Camera, ALoadEndsTheTwinsCameraAndItsWindowAndLoop)
{
    xphost::set_i(CockpitLights, 1);
    LoadSlot(53);
    const XPLMWindowID window = CAMWindow;
    PressQZT();
    ASSERT_EQ(xphost::get_i(NightVision), 1);
    xphost::advance(5.0);

    xphost::load_aircraft("Another maker's aircraft");
    EXPECT_FALSE(xphost::camera_controlled());
    EXPECT_EQ(xphost::get_i(NightVision), 0);
    EXPECT_FALSE(xphost::window_exists(window));
    EXPECT_EQ(CAMWindow, nullptr);
    EXPECT_FALSE(xphost::loop_active(CheckKorva));
    xphost::clear_writes();
    xphost::set_i("sim/cockpit/electrical/battery_on", 1);
    xphost::set_i("sim/cockpit/electrical/avionics_on", 1);
    xphost::advance(2.0);
    EXPECT_TRUE(xphost::writes().empty());
}

TEST_F(Camera, TheTwinsLoopWritesItsSwitchesOnlyWhenBatteryOrAvionicsChange)
{
    const std::set<std::string> switches = {"sim/cockpit/switches/puffers_on", "sim/cockpit/engine/clutch_engage"};
    LoadSlot(52);
    xphost::advance(5.0);                               // both off, as the loop first saw them
    EXPECT_TRUE(WriteLines(0, switches).empty());

    using Lines = std::vector<std::string>;
    auto after = [&](const char* path, int value) {
        xphost::clear_writes();
        xphost::set_i(path, value);
        xphost::advance(1.0);
        return WriteLines(0, switches);
    };
    EXPECT_EQ(after("sim/cockpit/electrical/battery_on", 1), (Lines{"puffers_on: 0", "clutch_engage: 0"}));
    EXPECT_EQ(after("sim/cockpit/electrical/avionics_on", 1), (Lines{"puffers_on: 1", "clutch_engage: 1"}));
    EXPECT_EQ(after("sim/cockpit/electrical/avionics_on", 1), Lines{});
    EXPECT_EQ(after("sim/cockpit/electrical/battery_on", 0), (Lines{"puffers_on: 0", "clutch_engage: 0"}));
}

}  // namespace
