// A hostile host: window sizes, panel edges and readings at the ends of their
// types. Nothing may be undefined (the sanitizer build turns any such step
// into a failure), every position stays on a bounded canvas, and one bad
// reading must not stick once the host gives sane values again.
#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include "support/carrier_fixture.h"
#include "common/hostvalues.h"
#include "display/handbook.h"

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

TEST(HostValues, ConversionsAtTheEndsOfTheirTypes)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(HostFloatToInt(nan, -5, 5, 3), 3);
    EXPECT_EQ(HostFloatToInt(inf, -5, 5, 3), 5);
    EXPECT_EQ(HostFloatToInt(-inf, -5, 5, 3), -5);
    EXPECT_EQ(HostFloatToInt(3e9, INT_MIN, INT_MAX, 0), INT_MAX);
    EXPECT_EQ(HostFloatToInt(-3e9, INT_MIN, INT_MAX, 0), INT_MIN);
    EXPECT_EQ(HostFloatToInt(4.9, -5, 5, 0), 4);      // toward zero
    EXPECT_EQ(HostFloatToInt(-4.9, -5, 5, 0), -4);

    EXPECT_EQ(HostFloorPixel(-0.5f), -1);
    EXPECT_EQ(HostFloorPixel(kNaN), 0);
    EXPECT_EQ(HostFloorPixel(FLT_MAX), HostPixelLimit);
    EXPECT_EQ(HostFloorPixel(-kInf), -HostPixelLimit);

    EXPECT_EQ(HostSize(INT_MIN), 0);
    EXPECT_EQ(HostSize(-1), 0);
    EXPECT_EQ(HostSize(INT_MAX), HostPixelLimit);
    EXPECT_EQ(HostSize(1920), 1920);
    EXPECT_EQ(HostCoordinate(INT_MIN), -HostPixelLimit);
    EXPECT_EQ(HostCoordinate(-7), -7);

    EXPECT_EQ(HostIndex(INT_MIN, 10, 2), 2);
    EXPECT_EQ(HostIndex(10, 10, 2), 2);
    EXPECT_EQ(HostIndex(9, 10, 2), 9);
    EXPECT_EQ(HostClampFloat(kNaN, 0.0f, 1.0f, 0.5f), 0.5f);
    EXPECT_EQ(HostClampFloat(-kInf, 0.0f, 1.0f, 0.5f), 0.0f);
    EXPECT_EQ(HostClampFloat(0.25f, 0.0f, 1.0f, 0.5f), 0.25f);
}

using HostileHost = PluginTest;

// The first plane-loaded message measures the window; an absurd size is
// taken as the nearest size a screen can have.
TEST_F(HostileHost, AbsurdWindowSizesGiveABoundedLayout)
{
    const struct { int w, h, usedW, usedH; } cases[] = {
        {INT_MIN, INT_MIN, 0, 0},
        {-1, -768, 0, 0},
        {0, 0, 0, 0},
        {INT_MAX, INT_MAX, HostPixelLimit, HostPixelLimit},
        {INT_MAX, 768, HostPixelLimit, 768},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
        xphost::set_screen_size(c.w, c.h);
        xphost::load_aircraft("QZT Skyhoist orbital carrier");
        ASSERT_EQ(Ident, 37);
        EXPECT_EQ(window_w, c.usedW);
        EXPECT_EQ(window_h, c.usedH);
        EXPECT_EQ(INFOwx1, c.usedW - 300);
        EXPECT_EQ(INFOwx2, c.usedW);
        EXPECT_EQ(INFOcclickwx1, c.usedW - 50);
        EXPECT_EQ(CAMinfoAwx1, c.usedW / 2 - 50);
        EXPECT_EQ(CAMinfoDwy2, c.usedH / 2 - 16);
        EXPECT_EQ(INFOcclickwy1, static_cast<int>(0.97 * c.usedH));
        // Drawing and clicking with that layout, at the ends of the screen too.
        xphost::advance(0.1);
        xphost::click(INT_MAX, INT_MAX);
        xphost::click(INT_MIN, INT_MIN);
        xphost::click(c.usedW - 1, INFOcclickwy1 - 1);
    }
    // A realistic window afterwards gives the usual layout again.
    xphost::set_screen_size(1024, 768);
    xphost::load_aircraft("QZT Skyhoist orbital carrier");
    EXPECT_EQ(INFOwx1, 724);
    EXPECT_EQ(INFOwy1, 629);
}

// Panel edges that are not a number or lie beyond any screen: the panel page
// is placed at the nearest edge a panel can have (the origin for NaN).
TEST_F(HostileHost, PanelEdgesBeyondAnyScreen)
{
    const struct { float edge; int floor; } cases[] = {
        {kNaN, 0}, {kInf, HostPixelLimit}, {-kInf, -HostPixelLimit},
        {3e9f, HostPixelLimit}, {-3e9f, -HostPixelLimit}, {FLT_MAX, HostPixelLimit},
        {-FLT_MAX, -HostPixelLimit}, {-2147483648.0f, -HostPixelLimit}, {12.75f, 12},
    };
    xphost::load_aircraft("QZT Skyhoist orbital carrier");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edge);
        xphost::set_f(carrier_paths::PanelLeft, c.edge);
        xphost::set_f(carrier_paths::PanelBottom, c.edge);
        xphost::draw_now();             // the page's draw callback follows the panel
        EXPECT_EQ(SCAM1leftm, c.floor + 31);
        EXPECT_EQ(ALTcol, c.floor + 76 + 691);
        EXPECT_EQ(SCAM1topm, c.floor + 462);
        EXPECT_EQ(SCAMrow[26], c.floor + 462 - 80 - 12);
        EXPECT_EQ(SCAMtempY[3], c.floor + 462 - 164);
    }
}

using HostileCarrier = CarrierTest;

// The leading-edge read-outs build on their own last value, so a reading that
// is not a number or overflows once would otherwise stay on the panel for the
// rest of the flight.
TEST_F(HostileCarrier, ABadTemperatureReadingDoesNotStick)
{
    for (float bad : {kNaN, kInf, -kInf, FLT_MAX, -FLT_MAX}) {
        SCOPED_TRACE(bad);
        mis_minutes = 30;
        mis_seconds = 0;
        xphost::set_f(carrier_paths::LeadingEdgeC, bad);
        xphost::set_f(carrier_paths::AmbientC, bad);
        RunStep(9);
        RunStep(9);
        for (int i = 1; i <= 5; ++i) {
            EXPECT_TRUE(std::isfinite(tempc[i])) << i;
            for (float c : colorT[i])
                EXPECT_TRUE(std::isfinite(c)) << i;
        }
        EXPECT_TRUE(std::isfinite(temperature_ambc));

        xphost::set_f(carrier_paths::LeadingEdgeC, 400.0f);
        xphost::set_f(carrier_paths::AmbientC, -56.5f);
        for (int s = 0; s < 20; ++s)
            RunStep(9);
        EXPECT_NEAR(tempc[1], 320.0f, 1e-3f);
        EXPECT_NEAR(tempc[2], 400.0f * 0.76f / (1.0f - 30.0f / 1800.0f), 0.01f);   // settled build-up
        EXPECT_FLOAT_EQ(temperature_ambc, -56.5f);
    }
}

// The orbiter's throttle schedule measures the burn against the tank's
// content at placement; a reading that is not a number or infinite at that
// moment must not leave the rocket throttle undefined for the whole ascent.
TEST_F(HostileHost, ABadTankReadingAtPlacementDoesNotStick)
{
    const char* const tank = "sim/flightmodel/weight/m_fuel2";
    for (float bad : {kNaN, kInf, FLT_MAX}) {
        SCOPED_TRACE(bad);
        go_initial = 0;
        schalt1 = 0;
        ORBcut = 0;
        sectimer = 0;
        mis_time_hold1 = mis_seconds_tenth;
        fuel_2full = 0.0f;
        engine_thro_use[1] = 0.0f;
        xphost::set_f(tank, 1000.0f);
        CheckOrbiter(0.1f, 0.1f, 0, nullptr);

        xphost::set_f(tank, bad);
        go_initial = 1;
        sectimer = 9;
        CheckOrbiter(0.1f, 0.1f, 0, nullptr);      // placed
        ASSERT_EQ(go_initial, 0);
        ASSERT_EQ(ORBcut, 0);

        schalt1 = 2;                                // the ascent's steering step
        xphost::set_f(tank, 600.0f);
        CheckOrbiter(0.1f, 0.1f, 0, nullptr);
        const auto throttles = xphost::get_vf("sim/flightmodel/engine/ENGN_thro_use", 0, 2);
        EXPECT_TRUE(std::isfinite(throttles[1]));
        EXPECT_GE(throttles[1], 0.4f);
        EXPECT_LE(throttles[1], 1.0f);
    }
}

}  // namespace
