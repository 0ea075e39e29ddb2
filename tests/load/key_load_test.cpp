// The built plug-in file: the QZT key reaches the loaded model's function.
#include <gtest/gtest.h>
#include <string>
#include "xphost.h"
#include "support/built_file.h"
#include "support/write_log.h"

namespace {

class BuiltFileKey : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartBuiltFile());
    }
};

TEST_F(BuiltFileKey, F4FoldsTheGlidersEngineAndStartsTheTwinsCamera)
{
    xphost::load_aircraft("QZTdesign QZT Windling motor hang glider");
    xphost::clear_writes();
    xphost::press_key(XPLM_VK_F4);
    EXPECT_EQ(WriteLines(), (std::vector<std::string>{"swdirqst: 1"}));

    xphost::set_i("sim/cockpit/electrical/cockpit_lights_on", 1);
    xphost::load_aircraft("QZTdesign QZT Korva K-3 utility twin");
    xphost::press_key(XPLM_VK_F4);
    xphost::run_frame();                             // the view changes, the camera is taken
    EXPECT_TRUE(xphost::camera_controlled());
    EXPECT_EQ(xphost::get_i("sim/cockpit/electrical/night_vision_on"), 1);
    xphost::advance(0.1);
    EXPECT_EQ(xphost::find_text("AIRCRAFT ROLL").size(), 1u);

    // The next aircraft gets the view back.
    xphost::load_aircraft("QZTdesign QZT Skyhoist orbital carrier");
    EXPECT_FALSE(xphost::camera_controlled());
    EXPECT_EQ(xphost::get_i("sim/cockpit/electrical/night_vision_on"), 0);
}

}  // namespace
