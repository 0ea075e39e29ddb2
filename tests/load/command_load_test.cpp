// The built plug-in file: its commands do what the keys do, pass the command
// on, and lose their handlers at stop.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "XPLMDataAccess.h"
#include "xphost.h"
#include "support/write_log.h"

namespace {

const char* const Names[] = {"QZTgov/qzt_key", "QZTgov/camera_zoom_in", "QZTgov/camera_zoom_out"};

// Pressed and let go; true when our handler and nobody else's ran and the
// command went on.
bool Press(const char* name)
{
    const size_t before = xphost::command_runs().size();
    if (!xphost::command_once(name) || xphost::command_runs().size() != before + 2)
        return false;
    for (size_t i = before; i < xphost::command_runs().size(); ++i)
        if (!xphost::command_runs()[i].passed_on || xphost::command_runs()[i].handlers_called != 1)
            return false;
    return true;
}

TEST(BuiltFileCommands, EachDoesWhatItsKeyDoesUntilStop)
{
    xphost::reset();
    std::string error;
    ASSERT_TRUE(xphost::load_plugin(QZT_PLUGIN_FILE, &error)) << error;
    for (const char* name : Names)
        EXPECT_FALSE(xphost::command_once(name)) << name << " exists before start";
    ASSERT_EQ(xphost::start(), 1);
    ASSERT_EQ(xphost::enable(), 1);
    ASSERT_EQ(xphost::commands_created().size(), 3u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(xphost::commands_created()[i].name, Names[i]);

    xphost::load_aircraft("QZTdesign QZT Windling motor hang glider");
    xphost::clear_writes();
    EXPECT_TRUE(Press("QZTgov/qzt_key"));
    xphost::press_key(XPLM_VK_F4);
    EXPECT_EQ(WriteLines(), (std::vector<std::string>{"swdirqst: 1", "swdirqst: 0"}));

    xphost::load_aircraft("QZTdesign QZT Halvik VTOL transport");
    EXPECT_TRUE(Press("QZTgov/qzt_key"));
    xphost::press_key(XPLM_VK_F4);
    EXPECT_EQ(xphost::spoken_texts(), (std::vector<std::string>{"HEAVY JATO", "HOVERING"}));

    // The view and zoom as the plug-in publishes them.
    const XPLMDataRef view = XPLMFindDataRef("QZTgov/camera/view");
    const XPLMDataRef zoom = XPLMFindDataRef("QZTgov/camera/zoom");
    xphost::set_i("sim/cockpit/electrical/cockpit_lights_on", 1);
    xphost::load_aircraft("QZTdesign QZT Korva K-3 utility twin");
    EXPECT_TRUE(Press("QZTgov/qzt_key"));
    xphost::run_frame();                             // the view changes, the camera is taken
    EXPECT_TRUE(xphost::camera_controlled());
    EXPECT_EQ(xphost::get_i("sim/cockpit/electrical/night_vision_on"), 1);
    EXPECT_TRUE(Press("QZTgov/camera_zoom_in"));
    EXPECT_TRUE(Press("QZTgov/camera_zoom_in"));
    EXPECT_TRUE(Press("QZTgov/camera_zoom_out"));
    EXPECT_EQ(XPLMGetDataf(zoom), 2.0f);

    xphost::load_aircraft("QZTdesign QZT Skyhoist orbital carrier");
    EXPECT_TRUE(Press("QZTgov/qzt_key"));
    xphost::press_key(XPLM_VK_F4);
    EXPECT_TRUE(Press("QZTgov/qzt_key"));
    EXPECT_EQ(XPLMGetDatai(view), 4);

    xphost::disable();
    xphost::stop();
    xphost::clear_writes();
    for (const char* name : Names) {
        EXPECT_TRUE(xphost::command_handlers(name).empty()) << name;
        EXPECT_TRUE(xphost::command_once(name));
        EXPECT_EQ(xphost::command_runs().back().handlers_called, 0) << name;
    }
    EXPECT_TRUE(xphost::writes().empty());
    xphost::reset();                                   // closes the file
}

}  // namespace
