// The stand-in host's counters: only the plug-in's own calls count, by function
// and by the kind of callback they were made in; look-ups are told apart; the
// tape makes a callback's calls again; one loop or one drawing runs alone.
#include <gtest/gtest.h>

#include "XPLMDataAccess.h"
#include "XPLMDisplay.h"
#include "XPLMGraphics.h"
#include "XPLMProcessing.h"
#include "XPLMUtilities.h"
#include "xphost.h"

namespace {

float g_white[3] = {1, 1, 1};
char g_text[] = "hello";
XPLMDataRef g_alt = nullptr;

float Loop(float, float, int, void*)
{
    XPLMSetDataf(g_alt, XPLMGetDataf(g_alt) + 1.0f);
    return 0.1f;
}

float LookingLoop(float, float, int, void*)
{
    g_alt = XPLMFindDataRef("sim/cockpit/autopilot/altitude");
    return 0.1f;
}

int Draw(XPLMDrawingPhase, int, void*)
{
    XPLMDrawString(g_white, 1, 2, g_text, nullptr, xplmFont_Basic);
    XPLMDrawNumber(g_white, 3, 4, XPLMGetDataf(g_alt), 5, 0, 0, xplmFont_Basic);
    return 1;
}

// Its text, colour and the mouse's position in locals that are gone when a
// tape of it is replayed.
int DrawFromLocals(XPLMDrawingPhase, int, void*)
{
    float colour[3] = {0.5f, 0.25f, 1.0f};
    char buffer[32] = "from the stack";
    int x = -1, y = -1;
    XPLMGetMouseLocation(&x, &y);
    XPLMDrawString(colour, x, y, buffer, nullptr, xplmFont_Basic);
    return 1;
}

void DrawWindow(XPLMWindowID, void*) { XPLMDrawTranslucentDarkBox(0, 10, 10, 0); }

int Start(char* name, char*, char*)
{
    name[0] = 'x';
    g_alt = XPLMFindDataRef("sim/cockpit/autopilot/altitude");
    XPLMRegisterFlightLoopCallback(Loop, 0.1f, nullptr);
    XPLMRegisterDrawCallback(Draw, xplm_Phase_Panel, 0, nullptr);
    XPLMCreateWindow(0, 100, 100, 0, 1, DrawWindow, nullptr, nullptr, nullptr);
    return 1;
}

class Counters : public ::testing::Test {
protected:
    void SetUp() override
    {
        xphost::reset();
        xphost::Plugin p;
        p.start = Start;
        p.enable = [] { return 1; };
        xphost::attach(p);
        ASSERT_EQ(xphost::start(), 1);
        ASSERT_EQ(xphost::enable(), 1);
    }
};

TEST_F(Counters, OnlyThePluginsOwnCallsCountByFunctionAndKind)
{
    auto c = xphost::counters();
    EXPECT_EQ(c.other.callbacks, 2);                       // the start and the enable
    EXPECT_EQ(c.other.lookups, 1);
    EXPECT_EQ(c.other.by_function["XPLMFindDataRef"], 1);
    EXPECT_EQ(c.other.by_function["XPLMRegisterFlightLoopCallback"], 1);
    EXPECT_EQ(c.other.host_calls, 4);

    xphost::reset_counters();
    // the test's own calls and the host's calls to itself are not the plug-in's
    XPLMGetDataf(g_alt);
    xphost::key_name(XPLM_VK_F4);
    xphost::set_frame_rate(10);
    xphost::advance(1.0);
    c = xphost::counters();
    EXPECT_EQ(c.loops.callbacks, 10);
    EXPECT_EQ(c.loops.host_calls, 20);
    EXPECT_EQ(c.loops.by_function["XPLMGetDataf"], 10);
    EXPECT_EQ(c.loops.by_function["XPLMSetDataf"], 10);
    EXPECT_EQ(c.frames, 10);
    EXPECT_EQ(c.drawing.callbacks, 20);                    // the panel callback and the window
    EXPECT_EQ(c.drawing.by_function["XPLMDrawString"], 10);
    EXPECT_EQ(c.drawing.by_function["XPLMDrawTranslucentDarkBox"], 10);
    EXPECT_EQ(c.drawing.lookups, 0);
    EXPECT_EQ(c.other.host_calls, 0);
    EXPECT_EQ(c.loops.by_function.count("XPLMGetVirtualKeyDescription"), 0u);

    XPLMRegisterFlightLoopCallback(LookingLoop, 0.1f, nullptr);
    xphost::reset_counters();
    xphost::advance(0.5);
    EXPECT_EQ(xphost::counters().loops.lookups, 5);
}

TEST_F(Counters, PluginCodeRunsOnlyInsideItsCallbacksAndNotInsideTheHost)
{
    EXPECT_FALSE(xphost::plugin_code_running());
    static bool inLoop = false;
    XPLMRegisterFlightLoopCallback(
        [](float, float, int, void*) {
            inLoop = xphost::plugin_code_running();
            return 0.0f;
        },
        0.05f, nullptr);
    xphost::advance(0.1);
    EXPECT_TRUE(inLoop);
    EXPECT_FALSE(xphost::plugin_code_running());

    // reported allocations and file accesses count only while the plug-in runs
    xphost::reset_counters();
    xphost::count_allocation();
    xphost::count_file_access();
    const auto c = xphost::counters();
    EXPECT_EQ(c.loops.allocations + c.drawing.allocations + c.other.allocations, 0);
    EXPECT_EQ(c.loops.file_accesses + c.drawing.file_accesses + c.other.file_accesses, 0);
}

TEST_F(Counters, TheTapeMakesTheSameCallsAgain)
{
    xphost::set_f("sim/cockpit/autopilot/altitude", 1234.0f);
    xphost::set_taping(true);
    xphost::draw_only(Draw);
    xphost::set_taping(false);
    static xphost::Tape tape;
    tape = xphost::take_tape();
    ASSERT_EQ(tape.calls(), 3u);                            // get, string, number
    EXPECT_EQ(xphost::take_tape().calls(), 0u);
    xphost::draw_only(Draw);                                // not taping
    EXPECT_EQ(xphost::take_tape().calls(), 0u);

    xphost::set_f("sim/cockpit/autopilot/altitude", 0.0f);
    xphost::reset_counters();
    // a null plug-in replaying the tape as its own drawing
    auto null = [](XPLMDrawingPhase, int, void*) {
        tape.replay();
        return 1;
    };
    XPLMRegisterDrawCallback(null, xplm_Phase_Window, 0, nullptr);
    xphost::draw_only(null);
    const auto& ops = xphost::display_list();
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].text, "hello");
    EXPECT_EQ(ops[0].x, 1);
    EXPECT_EQ(ops[0].y, 2);
    EXPECT_EQ(ops[1].text, "1234");                      // the taped call's own arguments
    EXPECT_EQ(xphost::counters().drawing.host_calls, 3);

    xphost::set_taping(true);
    xphost::draw_only(null);                                // a replay is taped like the plug-in's calls
    xphost::set_taping(false);
    EXPECT_TRUE(xphost::take_tape() == tape);
}

TEST_F(Counters, ATapeKeepsWhatThePluginsPointersShowedAndGivesTheHostRoomToWrite)
{
    XPLMRegisterDrawCallback(DrawFromLocals, xplm_Phase_Window, 0, nullptr);
    xphost::set_mouse(7, 8);
    xphost::set_taping(true);
    xphost::draw_only(DrawFromLocals);
    xphost::set_taping(false);
    static xphost::Tape tape;
    tape = xphost::take_tape();
    ASSERT_EQ(tape.calls(), 2u);

    xphost::set_mouse(70, 80);
    auto null = [](XPLMDrawingPhase, int, void*) {
        char other[32] = "another text on the stack";
        tape.replay();
        EXPECT_STREQ(other, "another text on the stack");
        return 1;
    };
    XPLMRegisterDrawCallback(null, xplm_Phase_Window, 0, nullptr);
    xphost::draw_only(null);
    ASSERT_EQ(xphost::display_list().size(), 1u);
    const auto& op = xphost::display_list()[0];
    EXPECT_EQ(op.text, "from the stack");
    EXPECT_EQ(op.rgb[1], 0.25f);
    EXPECT_EQ(op.x, 7);                                     // the taped position, not the mouse's now
}

TEST_F(Counters, OneLoopOrOneDrawingRunsAlone)
{
    const double before = xphost::now();
    EXPECT_FLOAT_EQ(xphost::run_flight_loop(Loop), 0.1f);
    EXPECT_FLOAT_EQ(xphost::get_f("sim/cockpit/autopilot/altitude"), 1.0f);
    EXPECT_EQ(xphost::now(), before);
    EXPECT_EQ(xphost::loop_calls(Loop), 1);
    EXPECT_EQ(xphost::run_flight_loop(LookingLoop), 0.0f);   // not registered

    xphost::draw_only([](XPLMWindowID, void*) {});
    EXPECT_TRUE(xphost::display_list().empty());             // no window draws with it

    xphost::draw_only(DrawWindow);
    ASSERT_EQ(xphost::display_list().size(), 1u);
    EXPECT_EQ(xphost::display_list()[0].kind, xphost::DrawOp::Box);
    xphost::draw_only(Draw);
    ASSERT_EQ(xphost::display_list().size(), 2u);
    EXPECT_EQ(xphost::display_list()[0].source, "phase 40");
}

}  // namespace
