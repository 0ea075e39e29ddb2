// The model families' systems fed readings at the ends of their types: INT_MIN,
// INT_MAX, 0, negative, NaN and both infinities. Nothing may be undefined (the
// sanitizer build turns any such step into a failure), every figure drawn and
// every value written stays a number, and realistic readings afterwards give
// the usual results again.
#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>
#include "support/finite_writes.h"
#include "support/slot_fixture.h"
#include "support/stores_fixture.h"
#include "support/write_log.h"
#include "carrier/camera.h"
#include "common/keys.h"
#include "systems/glider.h"
#include "systems/korva.h"

namespace {

using namespace stores_paths;

const float BadFloats[] = {kNaN, kInf, -kInf, FLT_MAX, -FLT_MAX, -1.0f, 0.0f};
const int BadInts[] = {INT_MIN, INT_MIN + 1, -1, 0, INT_MAX - 1, INT_MAX};

// Every number drawn in the last frame is one, and lies on a bounded canvas.
::testing::AssertionResult DrawnNumbers()
{
    for (const auto& op : xphost::display_list()) {
        if (op.kind == xphost::DrawOp::Number && !std::isfinite(op.value))
            return ::testing::AssertionFailure() << "drew " << op.value << " at " << op.x << " " << op.y;
        for (int v : {op.x, op.y, op.left, op.top, op.right, op.bottom})
            if (v < -(1 << 22) || v > (1 << 22))
                return ::testing::AssertionFailure() << "drew at " << v << " (" << op.source << ")";
    }
    return ::testing::AssertionSuccess();
}

using StoresExtremes = StoresTest;

// The fighters' and bombers' stores and the custom data window: weapon types
// and statuses of any int, masses, flows, positions and speeds of any float.
TEST_F(StoresExtremes, StationsFlowsAndPositionsAtTheEnds)
{
    Load(13, {Jato(), TstoffTank(), DropTank(243.0f, 20.41f), DropTank(243.0f, 20.41f), Station{9, 0, 0, 250}});
    xphost::click(10, 600);                        // the custom data box shown
    Seconds(2);
    for (int bad : BadInts) {
        SCOPED_TRACE(bad);
        xphost::set_vi(Type, {bad, 23, bad, 23, bad, 21, 22, 9, bad, bad});
        xphost::set_vi(Status, {bad, 0, 1, bad, 2, 1, 0, bad});
        EXPECT_TRUE(Numbers(Seconds(2)));
        xphost::draw_now();
        EXPECT_TRUE(DrawnNumbers());
    }
    xphost::set_vi(Type, {19, 23, 23, 23, 9});
    xphost::set_vi(Status, {0, 0, 0, 0, 1});
    for (float bad : BadFloats) {
        SCOPED_TRACE(bad);
        xphost::set_vf(FuelFlow, {bad, bad, bad, bad});
        xphost::set_vf(MassNow, {bad, bad, bad, bad, bad, bad});
        xphost::set_vf(Speed, {bad, bad, bad, bad, bad, bad});
        xphost::set_vf(X, {bad, bad, bad, bad, bad});
        xphost::set_vf(Y, {-bad, -bad, -bad, -bad, -bad});
        xphost::set_f(Tas, bad);
        xphost::set_f(JatoLeft, bad);
        EXPECT_TRUE(Numbers(Seconds(2)));
        xphost::draw_now();
        EXPECT_TRUE(DrawnNumbers());
    }

    // Realistic readings again: two 300 l tanks of which 100 kg of fuel are
    // left, at 1 kg/s on each engine, show 100 / 0.81 litres.
    xphost::set_vi(Status, {0, 0, 0, 0, 0});
    xphost::set_vf(FuelFlow, {1.0f, 1.0f, 0.0f, 0.0f});
    xphost::set_vf(MassNow, {kJatoUnit, kTstoffTank, 20.41f + 50.0f, 20.41f + 50.0f, 250.0f});
    xphost::set_f(Tas, 100.0f);
    xphost::set_f(JatoLeft, 30.0f);
    Seconds(2);
    EXPECT_NEAR(DTANKfuel, 100.0f, 1e-3f);
    xphost::draw_now();
    EXPECT_NEAR(DTANKliter, 100.0f / 0.81f, 1e-3f);
}

using HostileTwin = SlotTest;

// The light twin's overlay and camera: climb rate, yoke and attitude of any
// float, a screen and a mouse of any int.
TEST_F(HostileTwin, OverlayAndCameraAtTheEnds)
{
    xphost::set_screen_size(1000, 800);
    LoadSlot(52);
    PressQZT();                                    // camera 0 takes the view, the overlay shows
    xphost::run_frame();
    ASSERT_TRUE(xphost::camera_controlled());
    for (float bad : BadFloats) {
        SCOPED_TRACE(bad);
        for (const char* path : {"sim/flightmodel/position/vh_ind", "sim/joystick/yolk_roll_ratio",
                                 "sim/joystick/yolk_pitch_ratio", "sim/flightmodel/position/theta",
                                 "sim/flightmodel/position/psi", "sim/flightmodel/position/phi"})
            xphost::set_f(path, bad);
        xphost::set_vf("sim/weapons/x", {bad, bad, bad});
        xphost::run_frame();
        EXPECT_TRUE(DrawnNumbers());
        const XPLMCameraPosition_t c = xphost::camera();
        for (float v : {c.x, c.y, c.z, c.pitch, c.heading, c.roll, c.zoom})
            EXPECT_TRUE(std::isfinite(v));
    }
    for (int bad : BadInts) {
        SCOPED_TRACE(bad);
        xphost::set_screen_size(bad, bad);
        xphost::set_mouse(bad, -bad - 1);
        xphost::user_changes_view();
        PressQZT();                                // the camera taken again reads the screen
        xphost::run_frame();
        EXPECT_TRUE(DrawnNumbers());
        const XPLMCameraPosition_t c = xphost::camera();
        for (float v : {c.x, c.y, c.z, c.pitch, c.heading, c.roll})
            EXPECT_TRUE(std::isfinite(v));
    }

    // Realistic again: a climb of 5 m/s shows as 984 ft/min.
    xphost::set_f("sim/flightmodel/position/vh_ind", 5.0f);
    xphost::run_frame();
    EXPECT_FLOAT_EQ(sim_vvi, 5.0f * 196.8504f);
}

// The glider's seat and ballast selectors take any int: an unknown seat
// repeats the last one, a ballast selector of 1 or less is no ballast.
TEST_F(HostileTwin, GliderSelectorsAtTheEnds)
{
    LoadSlot(7);
    xphost::advance(6.0);
    for (int bad : BadInts) {
        SCOPED_TRACE(bad);
        xphost::set_i("sim/cockpit/weapons/firing_mode", bad);
        xphost::set_i("sim/cockpit/weapons/firing_rate", bad);
        xphost::clear_writes();
        xphost::advance(1.0);
        EXPECT_TRUE(Numbers(xphost::writes()));
        EXPECT_GE(xphost::get_f("sim/flightmodel/weight/m_fixed"), 0.0f);
        EXPECT_TRUE(std::isfinite(xphost::get_f("sim/flightmodel/weight/m_fixed")));
    }
    xphost::set_i("sim/cockpit/weapons/firing_mode", 2);
    xphost::set_i("sim/cockpit/weapons/firing_rate", 3);
    xphost::advance(1.0);
    EXPECT_FLOAT_EQ(xphost::get_f("sim/aircraft/overflow/acf_mass_shift"), 135.0f);
    EXPECT_FLOAT_EQ(xphost::get_f("sim/flightmodel/weight/m_fixed"), 20.0f);
}

// The key sniffer takes any flags and any key code: only a release without
// modifiers of the QZT key acts, and every key goes on to the simulator.
TEST_F(HostileTwin, KeysOfAnyFlagsAndCode)
{
    LoadSlot(52);
    for (int flags : {INT_MIN, -1, 0, int{xplm_DownFlag}, xplm_UpFlag | xplm_ShiftFlag, INT_MAX, xplm_UpFlag | 64}) {
        for (int code = 0; code < 256; ++code)
            xphost::key_event(static_cast<char>(code), flags, static_cast<char>(code));
        xphost::run_frame();
        EXPECT_FALSE(xphost::camera_controlled()) << flags;
    }
    for (int code = 0; code < 256; ++code)
        if (code != QZTkey && code != 0x26 && code != 0x28)
            xphost::key_event(0, xplm_UpFlag, static_cast<char>(code));
    xphost::run_frame();
    EXPECT_FALSE(xphost::camera_controlled());
    EXPECT_EQ(CAMERAzoom, 1.0f);
    xphost::key_event(0, xplm_UpFlag, static_cast<char>(QZTkey));
    xphost::run_frame();
    EXPECT_TRUE(xphost::camera_controlled());
}

}  // namespace
