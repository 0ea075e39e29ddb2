// The motor glider: the steps along the engine's folding passage, the pilot
// position and ballast selectors, the glide figures, and the loop's end at a
// disable.
#include <cmath>
#include <limits>
#include <string>
#include <vector>
#include "support/plugin_fixture.h"
#include "support/write_log.h"
#include "common/timers.h"
#include "frame/datarefs.h"
#include "systems/glider.h"

namespace {

const char* const Request = "sim/flightmodel/controls/swdirqst";
const char* const Position = "sim/flightmodel/controls/swdi";
const char* const Mixture = "sim/flightmodel/engine/ENGN_mixt";
const char* const ThrustPoints = "sim/aircraft/overflow/acf_num_thrustpoints";
const char* const AileronTrim = "sim/flightmodel/controls/ail_trim";
const char* const RudderTrim = "sim/flightmodel/controls/rud_trim";
const char* const Legs = "sim/aircraft/parts/acf_gear_leglen";
const char* const Seat = "sim/cockpit/weapons/firing_mode";
const char* const BallastSelector = "sim/cockpit/weapons/firing_rate";
const char* const Payload = "sim/flightmodel/weight/m_fixed";
const char* const Shift = "sim/aircraft/overflow/acf_mass_shift";

const std::string MixtureCut = "ENGN_mixt: 0";
const std::string MixtureFull = "ENGN_mixt: 1";
const std::string PropellerGone = "acf_num_thrustpoints: 0";
const std::string PropellerBack = "acf_num_thrustpoints: 1";
const std::string LegsStowed =
    "acf_gear_leglen: " + F9(0.8096f) + " " + F9(0.8096f) + " " + F9(0.03f) + " " + F9(0.03f);
const std::string LegsOut = "acf_gear_leglen: " + F9(0.6096f) + " " + F9(0.6096f) + " " + F9(0.41f) + " " + F9(0.41f);
const std::vector<std::string> Stowing = {MixtureCut, PropellerGone, "ail_trim: 0", "rud_trim: 0", LegsStowed};
const std::vector<std::string> Deploying = {LegsOut, PropellerBack, MixtureFull};

class Glider : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        sectimer = 0;
        GliderReset(ResetCleanUp);
        xphost::load_aircraft(std::string("QZTdesign ") + IdPlane[7].descrip);
        ASSERT_EQ(Ident, 7);
        xphost::clear_writes();
    }

    void TearDown() override
    {
        for (const auto& m : xphost::type_mismatches())
            ADD_FAILURE() << m.call << " on " << m.path;
    }

    // The mechanism's steps written while the position goes through the
    // given points, one tick each, under the given request.
    static std::vector<std::string> Passage(float request, const std::vector<float>& positions)
    {
        const size_t from = xphost::writes().size();
        xphost::set_f(Request, request);
        for (float p : positions) {
            xphost::set_f(Position, p);
            EXPECT_EQ(CheckGlider(0.1f, 0.1f, 0, nullptr), 0.1f);
        }
        return WriteLines(from, {Mixture, ThrustPoints, AileronTrim, RudderTrim, Legs});
    }

    static std::vector<float> Steps(float from, float to, float step)
    {
        std::vector<float> out;
        const int n = static_cast<int>(std::lround(std::fabs(to - from) / step));
        for (int i = 0; i <= n; ++i)
            out.push_back(from + (to > from ? step : -step) * static_cast<float>(i));
        return out;
    }

    // Runs to the selectors' tick; returns the payload and shift writes.
    static std::vector<std::string> SelectorSecond()
    {
        const size_t from = xphost::writes().size();
        do
            CheckGlider(0.1f, 0.1f, 0, nullptr);
        while (sectimer != 5);
        return WriteLines(from, {Payload, Shift});
    }
};

TEST_F(Glider, AFullStowAndDeployRunEachStepOnceInOrder)
{
    EXPECT_EQ(Passage(1.0f, Steps(0.0f, 1.0f, 0.01f)), Stowing);
    EXPECT_EQ(mixstat + propstat + gearstat, 0);
    EXPECT_TRUE(Passage(1.0f, Steps(1.0f, 0.9f, 0.01f)).empty());   // resting stowed
    EXPECT_EQ(Passage(0.0f, Steps(1.0f, 0.0f, 0.01f)), Deploying);
    EXPECT_EQ(mixstat + propstat + gearstat, 3);
    // the second round trip is the same
    EXPECT_EQ(Passage(1.0f, Steps(0.0f, 1.0f, 0.02f)), Stowing);
    EXPECT_EQ(Passage(0.0f, Steps(1.0f, 0.0f, 0.02f)), Deploying);
}

TEST_F(Glider, PositionsOnAWindowsBoundTriggerNothing)
{
    EXPECT_TRUE(Passage(1.0f, {0.0f, 0.01f, 0.1f, 0.25f, 0.3f, 0.75f, 0.8f, 1.0f}).empty());
    EXPECT_EQ(Passage(1.0f, {0.05f, 0.27f, 0.77f}), Stowing);
    EXPECT_TRUE(Passage(0.0f, {1.0f, 0.8f, 0.75f, 0.2f, 0.15f, 0.1f, 0.01f, 0.0f}).empty());
}

// Only a request near either end moves anything; halfway requests are the
// host moving the request itself.
TEST_F(Glider, ARequestBetweenTheEndsRunsNoStep)
{
    for (float request : {0.05f, 0.5f, 0.95f})
        EXPECT_TRUE(Passage(request, {0.05f, 0.17f, 0.27f, 0.77f}).empty()) << request;
    EXPECT_EQ(mixstat + propstat + gearstat, 3);
}

TEST_F(Glider, AWindowJumpedOverIsMissedUntilTheNextPassage)
{
    // the propeller's window is crossed between two ticks
    EXPECT_EQ(Passage(1.0f, {0.05f, 0.2f, 0.35f, 0.77f, 1.0f}),
              (std::vector<std::string>{MixtureCut, LegsStowed}));
    EXPECT_EQ(propstat, 1);
    // going back, the propeller was never removed, so it is not restored
    EXPECT_EQ(Passage(0.0f, Steps(1.0f, 0.0f, 0.01f)), (std::vector<std::string>{LegsOut, MixtureFull}));
    // the next stowing passage removes it
    EXPECT_EQ(Passage(1.0f, Steps(0.0f, 1.0f, 0.01f)), Stowing);
}

// Reversed halfway, only the steps already done are undone.
TEST_F(Glider, AReversedRequestUndoesOnlyWhatWasDone)
{
    EXPECT_EQ(Passage(1.0f, Steps(0.0f, 0.5f, 0.01f)), (std::vector<std::string>{MixtureCut, PropellerGone, "ail_trim: 0", "rud_trim: 0"}));
    EXPECT_EQ(Passage(0.0f, Steps(0.5f, 0.0f, 0.01f)), (std::vector<std::string>{PropellerBack, MixtureFull}));
}

TEST_F(Glider, PilotPositionSetsTheShiftWithItsPayloadThenRestoresThePayload)
{
    xphost::set_f(Payload, 10.0f);
    xphost::set_i(BallastSelector, 0);
    xphost::set_i(Seat, 2);
    EXPECT_EQ(SelectorSecond(), (std::vector<std::string>{"m_fixed: 136", "acf_mass_shift: 135", "m_fixed: 10"}));
    EXPECT_EQ(mass_shift, 135.0f);
    EXPECT_TRUE(SelectorSecond().empty());          // applied once

    xphost::set_i(Seat, 1);                          // position 1 again after 2
    EXPECT_EQ(SelectorSecond(), (std::vector<std::string>{"m_fixed: 126", "acf_mass_shift: 125", "m_fixed: 10"}));
    EXPECT_EQ(mass_shift, 125.0f);

    xphost::set_i(Seat, 0);
    EXPECT_EQ(SelectorSecond(), (std::vector<std::string>{"m_fixed: 76", "acf_mass_shift: 75", "m_fixed: 10"}));
    xphost::set_i(Seat, 3);
    EXPECT_EQ(SelectorSecond(), (std::vector<std::string>{"m_fixed: 141", "acf_mass_shift: 140", "m_fixed: 10"}));
    xphost::set_i(Seat, 7);                          // no such seat: the last one again
    EXPECT_EQ(SelectorSecond(), (std::vector<std::string>{"m_fixed: 141", "acf_mass_shift: 140", "m_fixed: 10"}));
    xphost::set_i(Seat, -4);
    EXPECT_EQ(SelectorSecond(), (std::vector<std::string>{"m_fixed: 141", "acf_mass_shift: 140", "m_fixed: 10"}));
}

TEST_F(Glider, BallastSelectorGivesTenKgAStepAboveTheFirstAndNeverANegativePayload)
{
    xphost::set_i(Seat, 1);
    struct Case { int selector; const char* written; };
    const Case cases[] = {{1, "m_fixed: 0"}, {3, "m_fixed: 20"}, {2, "m_fixed: 10"}, {0, "m_fixed: 0"}, {-5, "m_fixed: 0"}};
    for (const auto& c : cases) {
        xphost::set_i(BallastSelector, c.selector);
        EXPECT_EQ(SelectorSecond(), std::vector<std::string>{c.written}) << c.selector;
        EXPECT_GE(m_fixed, 0.0f);
    }
}

// The range label reads kilometres to sea level: the altitude is in metres
// before it meets the glide ratio.
TEST_F(Glider, GlideFiguresAreMetricEveryTick)
{
    xphost::set_f("sim/flightmodel/misc/h_ind", 3280.84f);        // 1,000 m
    xphost::set_f("sim/flightmodel/misc/l_o_d", 12.0f);
    xphost::set_f("sim/flightmodel/position/true_airspeed", 25.0f);
    xphost::set_f("sim/flightmodel/position/vh_ind", -1.5f);
    CheckGlider(0.1f, 0.1f, 0, nullptr);
    EXPECT_NEAR(rangeKM, 12.0f, 1e-4);
    EXPECT_FLOAT_EQ(true_airspeed, 90.0f);
    EXPECT_FLOAT_EQ(sim_vvi, -1.5f);

    const float nan = std::numeric_limits<float>::quiet_NaN();
    xphost::set_f("sim/flightmodel/misc/l_o_d", nan);
    xphost::set_f("sim/flightmodel/misc/h_ind", 1.0e38f);
    xphost::set_f("sim/flightmodel/position/true_airspeed", std::numeric_limits<float>::infinity());
    CheckGlider(0.1f, 0.1f, 0, nullptr);
    EXPECT_EQ(rangeKM, 0.0f);
    EXPECT_TRUE(std::isfinite(true_airspeed));
}

// A disable keeps the record of the folding passage: the mechanism stands
// where the loop last saw it, and the loop goes on from there once enabled.
TEST_F(Glider, ADisableWaitsAndTheLoopGoesOnFromThePassage)
{
    xphost::advance(5.5);
    ASSERT_TRUE(xphost::loop_active(CheckGlider));
    Passage(1.0f, Steps(0.0f, 0.5f, 0.01f));
    ASSERT_EQ(propstat, 0);
    firing_mode1 = 3;

    xphost::disable();
    const int calls = xphost::loop_calls(CheckGlider);
    xphost::advance(3.0);
    EXPECT_EQ(xphost::loop_calls(CheckGlider), calls);
    EXPECT_EQ(propstat, 0);
    EXPECT_EQ(firing_mode1, 3);
    ASSERT_EQ(xphost::enable(), 1);
    xphost::advance(3.0);
    EXPECT_GE(xphost::loop_calls(CheckGlider) - calls, 29);
    EXPECT_EQ(propstat, 0);

    xphost::load_aircraft(std::string("QZTdesign ") + IdPlane[7].descrip);
    xphost::advance(4.5);
    EXPECT_TRUE(xphost::loop_active(CheckGlider));
    EXPECT_EQ(xphost::loop_registrations(CheckGlider), 1);
}

}  // namespace
