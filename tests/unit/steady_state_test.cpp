// What the plug-in costs the simulator once a model has settled: no heap
// allocation, no look-up by name and no file access in any tick or frame, for
// every family of models, over whole flights with both windows shown, the
// external cameras running and, on the carrier, every phase of the zoom.
// The counting shim linked into this test reports allocations and file
// accesses; the stand-in host tells the plug-in's own work from its own.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "XPLMGraphics.h"
#include "support/flights.h"

namespace {

using flights::Flight;

constexpr double kFramesPerSecond = 60.0;

std::string Checked(const xphost::Usage& u, const char* where)
{
    std::string wrong;
    auto add = [&](int64_t n, const char* what) {
        if (n != 0)
            wrong += " " + std::to_string(n) + " " + what + " in " + where + ";";
    };
    add(u.allocations, "allocations");
    add(u.lookups, "look-ups");
    add(u.file_accesses, "file accesses");
    return wrong;
}

class SteadyState : public ::testing::TestWithParam<Flight> {};

TEST_P(SteadyState, NothingAllocatedLookedUpOrOpenedInAnyTickOrFrame)
{
    ASSERT_TRUE(xphost::counting_shim()) << "the counting shim is not linked into this test";
    const Flight& f = GetParam();
    flights::Start(kFramesPerSecond);
    ASSERT_TRUE(flights::Load(f));
    const flights::Step step = [] { xphost::advance(0.1); };
    for (const auto& stage : f.stages) {
        xphost::reset_counters();
        ASSERT_TRUE(stage.fly(step)) << f.family << ", " << stage.name;
        const xphost::Counters c = xphost::counters();
        EXPECT_EQ(Checked(c.loops, "ticks") + Checked(c.drawing, "frames"), "") << f.family << ", " << stage.name;

        // the measurement saw the model at work
        EXPECT_GT(c.frames, 0);
        if (f.loop) {
            EXPECT_GE(c.loops.callbacks, 10) << stage.name;
            EXPECT_GT(c.loops.host_calls, 0) << stage.name;
        }
        if (f.slot > 0) {
            EXPECT_GT(c.drawing.callbacks, 0) << stage.name;
        }
        if (f.slot > 0 && IdPlane[f.slot].infoFirst > 0) {
            EXPECT_GT(c.drawing.host_calls, 0) << stage.name << ": the handbook drew nothing";
        }
        if (f.camera) {
            EXPECT_TRUE(xphost::camera_controlled()) << stage.name;
        }
    }
}

std::string Name(const ::testing::TestParamInfo<Flight>& info)
{
    std::string name;
    for (char ch : info.param.family + "_slot" + std::to_string(info.param.slot))
        name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryFamily, SteadyState, ::testing::ValuesIn(flights::EveryFamily()), Name);

// The measurement itself: what a callback does is counted, what the host does
// for it is not, and a look-up is told from other calls.
float g_kept = 0.0f;   // keeps the look-up from being optimised away
void* g_leak = nullptr;

float Allocating(float, float, int, void*)
{
    g_leak = std::malloc(16);
    std::free(g_leak);
    if (std::FILE* f = std::fopen("/nonexistent/qzt", "r"))
        std::fclose(f);
    g_kept = XPLMGetDataf(XPLMFindDataRef("sim/flightmodel/misc/h_ind"));
    return 0.1f;
}

int Drawing(XPLMDrawingPhase, int, void*)
{
    // the host records this call in its display list, allocating as it does
    static float white[3] = {1, 1, 1};
    static char text[] = "a text long enough to leave the small-string buffer behind";
    XPLMDrawString(white, 0, 0, text, nullptr, xplmFont_Basic);
    return 1;
}

TEST(CountingShim, SeesTheCallbacksOwnAllocationsFilesAndLookUpsButNotTheHosts)
{
    ASSERT_TRUE(xphost::counting_shim());
    xphost::reset();
    XPLMRegisterFlightLoopCallback(Allocating, 0.1f, nullptr);
    XPLMRegisterDrawCallback(Drawing, xplm_Phase_Window, 0, nullptr);
    xphost::set_frame_rate(10);
    xphost::reset_counters();
    const std::string outside(100, 'x');                   // the test's own, not the plug-in's
    xphost::advance(1.0);
    const auto c = xphost::counters();
    EXPECT_EQ(c.loops.callbacks, 10);
    EXPECT_GE(c.loops.allocations, 10);                    // the file's buffer too
    EXPECT_GE(c.loops.file_accesses, 10);
    EXPECT_EQ(c.loops.lookups, 10);
    EXPECT_EQ(c.drawing.allocations, 0);
    EXPECT_EQ(c.drawing.host_calls, 10);
    EXPECT_FALSE(xphost::display_list().empty());
}

}  // namespace
