// The stand-in host's variables behave as the simulator's do for a plug-in
// that gets something wrong: wrong types, missing or withdrawn paths,
// read-only variables and array bounds.
#include <gtest/gtest.h>

#include "XPLMDataAccess.h"
#include "xphost.h"

namespace {

class Datarefs : public ::testing::Test {
protected:
    void SetUp() override { xphost::reset(); }
};

TEST_F(Datarefs, WrongTypeReadsZeroIgnoresWritesAndIsRecorded)
{
    XPLMDataRef fuel = XPLMFindDataRef("sim/flightmodel/weight/m_fuel1");   // float
    xphost::set_f("sim/flightmodel/weight/m_fuel1", 1200.0f);
    EXPECT_EQ(XPLMGetDatai(fuel), 0);
    XPLMSetDatai(fuel, 5);
    EXPECT_FLOAT_EQ(XPLMGetDataf(fuel), 1200.0f);
    ASSERT_EQ(xphost::type_mismatches().size(), 2u);
    EXPECT_EQ(xphost::type_mismatches()[1].call, "XPLMSetDatai");
    ASSERT_EQ(xphost::writes_to("sim/flightmodel/weight/m_fuel1").size(), 1u);
    EXPECT_FALSE(xphost::writes_to("sim/flightmodel/weight/m_fuel1")[0].accepted);
}

// A plug-in's write of the autopilot state presses the written modes' buttons.
TEST_F(Datarefs, AutopilotStateTakesWritesAsButtonPresses)
{
    const char* path = "sim/cockpit/autopilot/autopilot_state";
    XPLMDataRef ap = XPLMFindDataRef(path);
    XPLMSetDatai(ap, 163);                         // autothrottle, heading, altitude arm, pitch sync
    EXPECT_EQ(XPLMGetDatai(ap), 163);
    XPLMSetDatai(ap, 163);                         // the same buttons again switch them all off
    EXPECT_EQ(XPLMGetDatai(ap), 0);

    xphost::set_i(path, 512 | 16384 | 1);          // the pilot's nav, altitude hold, autothrottle
    XPLMSetDatai(ap, 2 | 128);                     // heading and pitch sync take their axes
    EXPECT_EQ(XPLMGetDatai(ap), 2 | 128 | 1);
    XPLMSetDatai(ap, 0);                           // presses nothing
    EXPECT_EQ(XPLMGetDatai(ap), 2 | 128 | 1);
    XPLMSetDatai(ap, 4 | 4096 | 32);               // wing leveller; the arming bits toggle alone
    EXPECT_EQ(XPLMGetDatai(ap), 4 | 128 | 1 | 4096 | 32);
    EXPECT_EQ(xphost::writes_to(path).back().values.at(0), 4 | 4096 | 32);   // logged as written
}

TEST_F(Datarefs, MissingWithdrawnAndReadOnlyVariables)
{
    XPLMDataRef none = XPLMFindDataRef("sim/no/such/path");
    EXPECT_EQ(none, nullptr);
    XPLMSetDataf(none, 3.0f);                      // logged under "", refused
    EXPECT_EQ(XPLMGetDataf(none), 0.0f);

    XPLMDataRef mach = XPLMFindDataRef("sim/flightmodel/misc/machno");
    xphost::set_f("sim/flightmodel/misc/machno", 0.8f);
    XPLMSetDataf(mach, 2.0f);                      // read-only in the simulator
    EXPECT_FLOAT_EQ(XPLMGetDataf(mach), 0.8f);
    xphost::withdraw("sim/flightmodel/misc/machno");
    EXPECT_EQ(XPLMGetDataf(mach), 0.0f);           // an orphan reads 0
    EXPECT_EQ(XPLMFindDataRef("sim/flightmodel/misc/machno"), nullptr);

    const auto& w = xphost::writes();
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[0].path, "");
    EXPECT_FALSE(w[0].accepted);
    EXPECT_EQ(w[1].path, "sim/flightmodel/misc/machno");
    EXPECT_FALSE(w[1].accepted);
    EXPECT_TRUE(xphost::type_mismatches().empty());
}

TEST_F(Datarefs, ArraysReportLengthCopyWhatExistsAndClipWrites)
{
    XPLMDataRef mix = XPLMFindDataRef("sim/flightmodel/engine/ENGN_mixt");
    EXPECT_EQ(XPLMGetDatavf(mix, nullptr, 5, 99), 16);
    float in[4] = {1, 2, 3, 4};
    XPLMSetDatavf(mix, in, 14, 4);                 // only two fit
    float out[8] = {};
    EXPECT_EQ(XPLMGetDatavf(mix, out, 12, 8), 4);
    EXPECT_EQ(out[2], 1.0f);
    EXPECT_EQ(out[3], 2.0f);
    EXPECT_EQ(XPLMGetDatavf(mix, out, 16, 8), 0);
    EXPECT_EQ(xphost::get_vf("sim/flightmodel/engine/ENGN_mixt").size(), 16u);
    EXPECT_EQ(xphost::writes_to("sim/flightmodel/engine/ENGN_mixt")[0].values.size(), 4u);   // as attempted

    XPLMDataRef descrip = XPLMFindDataRef("sim/aircraft/view/acf_descrip");
    xphost::set_b("sim/aircraft/view/acf_descrip", "QZT Skyhoist");
    EXPECT_EQ(XPLMGetDatab(descrip, nullptr, 0, 0), 260);
    char text[101] = {};
    EXPECT_EQ(XPLMGetDatab(descrip, text, 0, 100), 100);
    EXPECT_STREQ(text, "QZT Skyhoist");
}

TEST_F(Datarefs, SimulatorNamesAndDefaults)
{
    EXPECT_TRUE(xphost::is_published("sim/operation/override/override_flightdir_ptch"));
    EXPECT_FALSE(xphost::is_published("sim/operation/override/override_flightdir_pitch"));
    EXPECT_TRUE(xphost::is_published("sim/aircraft/specialcontrols/acf_jato_dur"));
    EXPECT_FALSE(xphost::find("sim/aircraft/overflow/acf_num_thrustpoints")->writable);
    EXPECT_EQ(xphost::get_i("sim/graphics/view/window_width"), 1024);
    EXPECT_EQ(xphost::get_i("sim/time/sim_speed"), 1);
    xphost::set_screen_size(1280, 1024);
    EXPECT_EQ(xphost::get_i("sim/graphics/view/window_height"), 1024);
}

// As in the simulator, a name's handle is one for the process: an orphan only
// while its variable is withdrawn, and the same handle again once the name is
// back (after a reset too), so handles do not pile up over many resets.
TEST_F(Datarefs, AHandleIsOneForItsNameAcrossResets)
{
    const char* const path = "sim/cockpit/autopilot/altitude";
    XPLMDataRef alt = XPLMFindDataRef(path);
    xphost::set_f(path, 9000.0f);
    xphost::withdraw(path);
    EXPECT_EQ(XPLMIsDataRefGood(alt), 0);
    EXPECT_EQ(XPLMGetDataf(alt), 0.0f);
    xphost::reset();
    xphost::set_f(path, 5000.0f);
    EXPECT_EQ(XPLMFindDataRef(path), alt);
    EXPECT_EQ(XPLMIsDataRefGood(alt), 1);
    EXPECT_FLOAT_EQ(XPLMGetDataf(alt), 5000.0f);
}

}  // namespace
