// The dialled autopilot altitude in metres on the metric panels.
#include <limits>
#include <string>
#include <vector>
#include "support/plugin_fixture.h"
#include "aircraft/presets.h"
#include "prefs/prefs.h"
#include "systems/metric.h"

namespace {

const char* const ApAlt = "sim/cockpit/autopilot/altitude";
const char* const PanelLeft = "sim/graphics/view/panel_total_pnl_l";
const char* const PanelBottom = "sim/graphics/view/panel_total_pnl_b";

class Metric : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        showFeetAP = 0;
        Load(9);
    }

    static void Load(int slot)
    {
        xphost::load_aircraft(std::string("QZTdesign ") + IdPlane[slot].descrip);
        ASSERT_EQ(Ident, slot);
    }

    // The numbers the panel phase drew in this frame.
    static std::vector<xphost::DrawOp> Figures()
    {
        xphost::draw_now();
        std::vector<xphost::DrawOp> out;
        for (const auto& op : xphost::display_list())
            if (op.kind == xphost::DrawOp::Number && op.source == "phase 40")
                out.push_back(op);
        return out;
    }

    static std::string Shown(float feet)
    {
        xphost::set_f(ApAlt, feet);
        const auto figures = Figures();
        return figures.size() == 1 ? figures[0].text : "<" + std::to_string(figures.size()) + " figures>";
    }
};

TEST_F(Metric, AltitudeIsShownInWhole25MetreSteps)
{
    xphost::set_f(ApAlt, 32800.0f);                  // 9,997.44 m
    const auto figures = Figures();
    ASSERT_EQ(figures.size(), 1u);
    const auto& f = figures[0];
    EXPECT_EQ(f.value, 9975.0);
    EXPECT_EQ(f.text, "9975");
    EXPECT_EQ(f.x, 182);
    EXPECT_EQ(f.y, 340);
    EXPECT_EQ(f.digits, 5);
    EXPECT_EQ(f.decimals, 0);
    EXPECT_EQ(f.show_sign, 1);
    EXPECT_EQ(f.font, 0);
    EXPECT_FLOAT_EQ(f.rgb[0], 0.75f);
    EXPECT_FLOAT_EQ(f.rgb[1], 0.75f);
    EXPECT_FLOAT_EQ(f.rgb[2], 0.75f);

    EXPECT_EQ(Shown(82.01f), "0");               // below 82.02 ft
    EXPECT_EQ(Shown(82.03f), "25");
    EXPECT_EQ(Shown(0.0f), "0");
    EXPECT_EQ(Shown(-100.0f), "-25");              // toward zero below sea level
    EXPECT_EQ(Shown(99900.0f), "30425");
}

TEST_F(Metric, FeetAboveTheMetresWhenAskedForEachFamilyAtItsPlace)
{
    showFeetAP = 1;
    struct Case { int slot, x, y; };
    const Case families[] = {{9, 182, 340}, {15, 182, 340}, {22, 310, 388}, {25, 310, 388}, {26, 202, 568}, {27, 202, 568}};
    for (const auto& c : families) {
        Load(c.slot);
        xphost::set_f(ApAlt, 32800.0f);
        const auto figures = Figures();
        ASSERT_EQ(figures.size(), 2u) << c.slot;
        EXPECT_EQ(figures[0].value, 32800.0) << c.slot;
        EXPECT_EQ(figures[0].x, c.x) << c.slot;
        EXPECT_EQ(figures[0].y, c.y + 8) << c.slot;
        EXPECT_EQ(figures[1].value, 9975.0) << c.slot;
        EXPECT_EQ(figures[1].x, c.x) << c.slot;
        EXPECT_EQ(figures[1].y, c.y - 2) << c.slot;
    }
}

TEST_F(Metric, TheFigureMovesWithAScrolledPanel)
{
    xphost::set_f(ApAlt, 10000.0f);
    xphost::set_f(PanelLeft, -30.5f);
    xphost::set_f(PanelBottom, 12.25f);
    auto figures = Figures();
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(figures[0].x, -31 + 182);
    EXPECT_EQ(figures[0].y, 352);
    xphost::set_f(PanelBottom, -7.5f);               // scrolled down
    figures = Figures();
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(figures[0].x, 151);
    EXPECT_EQ(figures[0].y, 332);

    showFeetAP = 1;
    figures = Figures();
    ASSERT_EQ(figures.size(), 2u);
    EXPECT_EQ(figures[0].y, 340);                    // floor(340 + 8 - 7.5)
    EXPECT_EQ(figures[1].y, 330);
}

TEST_F(Metric, OnlyTheMetricPanelsShowIt)
{
    for (int slot : {7, 18, 21, 28, 37}) {
        Load(slot);
        xphost::set_f(ApAlt, 32800.0f);
        xphost::set_i("sim/graphics/view/view_type", 1026);
        for (const auto& f : Figures())
            EXPECT_NE(f.value, 9975.0) << slot;
        EXPECT_FALSE(MetricDrawn()) << slot;
    }
}

// Panel offsets and altitudes the host cannot mean still draw a figure.
TEST_F(Metric, ReadingsThatAreNoNumbersDrawZero)
{
    xphost::set_f(ApAlt, std::numeric_limits<float>::quiet_NaN());
    xphost::set_f(PanelLeft, std::numeric_limits<float>::infinity());
    xphost::set_f(PanelBottom, std::numeric_limits<float>::quiet_NaN());
    auto figures = Figures();
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(figures[0].value, 0.0);
    EXPECT_EQ(figures[0].x, 182);
    EXPECT_EQ(figures[0].y, 340);
    xphost::set_f(ApAlt, 3.0e38f);
    figures = Figures();
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_GT(figures[0].value, 0.0);
}

}  // namespace
