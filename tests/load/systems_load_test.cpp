// The built plug-in file flies the jet's water injection, folds the glider's
// engine and draws the metric altitude, as the simulator would see it.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "xphost.h"
#include "support/built_file.h"

namespace {

const char* const Tmax = "sim/aircraft/engine/acf_tmax";
const char* const Water = "sim/flightmodel/weight/m_jettison";
const char* const Request = "sim/flightmodel/controls/swdirqst";
const char* const Position = "sim/flightmodel/controls/swdi";

class BuiltFileSystems : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartBuiltFile(10));
    }

    // Paths of the writes since the log was last cleared, in order, with
    // consecutive repeats of one path folded.
    static std::vector<std::string> WrittenPaths(const std::vector<std::string>& paths)
    {
        std::vector<std::string> out;
        for (const auto& w : xphost::writes())
            for (const auto& p : paths)
                if (w.path == p && (out.empty() || out.back() != p))
                    out.push_back(p);
        return out;
    }
};

TEST_F(BuiltFileSystems, TheJetInjectsWaterAndCutsItsThrustAboveMach2)
{
    xphost::set_f(Tmax, 40000.0f);
    xphost::set_f("sim/flightmodel/misc/h_ind", 45000.0f);
    xphost::set_f("sim/flightmodel/misc/machno", 3.0f);
    xphost::set_vf("sim/flightmodel/engine/ENGN_FF_", {1.0f, 1.0f});
    xphost::set_i("sim/cockpit/switches/puffers_on", 1);
    xphost::load_aircraft("QZTdesign QZT Solace HX hypersonic business jet");
    xphost::advance(6.5);                            // the first action sets the selector to automatic

    EXPECT_FLOAT_EQ(xphost::get_f(Tmax), 40000.0f * 0.7875f);
    EXPECT_EQ(xphost::get_f("sim/flightmodel/controls/dihed_rqst"), 0.0f);
    EXPECT_EQ(xphost::get_f(Request), 1.0f);
    const float water = xphost::get_f(Water);
    EXPECT_LT(water, 1360.7f);                       // a tenth of a kilogram a second at 45,000 ft
    EXPECT_GT(water, 1360.3f);

    // Nothing meters the water while the plug-in is disabled: the injection
    // stops with its rated thrust, and the loop goes on once it is enabled.
    xphost::disable();
    EXPECT_FLOAT_EQ(xphost::get_f(Tmax), 40000.0f);
    xphost::set_f("sim/flightmodel/misc/machno", 4.0f);
    xphost::advance(1.0);
    EXPECT_FLOAT_EQ(xphost::get_f(Tmax), 40000.0f);
    ASSERT_EQ(xphost::enable(), 1);
    xphost::advance(1.0);
    EXPECT_FLOAT_EQ(xphost::get_f(Tmax), 40000.0f * 0.15f);
}

TEST_F(BuiltFileSystems, TheGlidersEngineFoldsAwayInOrderAndNotWhileDisabled)
{
    xphost::load_aircraft("QZTdesign QZT Windling motor hang glider");
    xphost::advance(5.5);
    xphost::clear_writes();
    const std::vector<std::string> steps = {"sim/flightmodel/engine/ENGN_mixt",
                                            "sim/aircraft/overflow/acf_num_thrustpoints",
                                            "sim/aircraft/parts/acf_gear_leglen"};
    auto fold = [](float request) {
        xphost::set_f(Request, request);
        for (int i = 0; i <= 40; ++i) {             // the mechanism takes four seconds
            xphost::set_f(Position, request > 0.5f ? 0.025f * i : 1.0f - 0.025f * i);
            xphost::advance(0.1);
        }
    };
    fold(1.0f);
    EXPECT_EQ(WrittenPaths(steps), steps);
    EXPECT_EQ(xphost::get_vf("sim/flightmodel/engine/ENGN_mixt", 0, 1).at(0), 0.0f);
    EXPECT_EQ(xphost::get_vf("sim/aircraft/parts/acf_gear_leglen", 2, 1).at(0), 0.03f);

    xphost::disable();
    xphost::clear_writes();
    fold(0.0f);
    EXPECT_TRUE(WrittenPaths(steps).empty());
    xphost::enable();

    xphost::load_aircraft("QZTdesign QZT Windling motor hang glider");
    xphost::advance(5.5);
    fold(1.0f);
    xphost::clear_writes();
    fold(0.0f);
    EXPECT_EQ(WrittenPaths(steps), (std::vector<std::string>{steps[2], steps[1], steps[0]}));
}

TEST_F(BuiltFileSystems, AMetricPanelShowsTheDialledAltitudeInMetres)
{
    xphost::set_f("sim/cockpit/autopilot/altitude", 32800.0f);
    xphost::load_aircraft("QZTdesign QZT Veyra flying wing fighter");
    xphost::run_frame();
    bool shown = false;
    for (const auto& op : xphost::display_list())
        shown = shown || (op.kind == xphost::DrawOp::Number && op.source == "phase 40" && op.value == 9975.0
                          && op.x == 310 && op.y == 388);
    EXPECT_TRUE(shown);
    xphost::load_aircraft("QZTdesign QZT Brannoc B.1 twin fighter");
    xphost::run_frame();
    for (const auto& op : xphost::display_list())
        EXPECT_NE(op.source, "phase 40");
}

}  // namespace
