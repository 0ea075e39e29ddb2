// The simulator dropping a plug-in: whatever it left registered is a fault
// (its windows, menus and widgets stay, never called again), the simulator's
// own state stays, and the file can be opened and started again.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "XPLMCamera.h"
#include "XPLMDisplay.h"
#include "XPLMMenus.h"
#include "XPLMProcessing.h"
#include "XPLMUtilities.h"
#include "xphost.h"

namespace {

float Loop(float, float, int, void*) { return 0.1f; }
int Draw(XPLMDrawingPhase, int, void*) { return 1; }
int Sniff(char, XPLMKeyFlags, char, void*) { return 1; }
int Camera(XPLMCameraPosition_t* p, int, void*)
{
    if (p)
        *p = XPLMCameraPosition_t{0, 0, 0, 0, 0, 0, 1};
    return 1;
}
int Command(XPLMCommandRef, XPLMCommandPhase, void*) { return 1; }
int ReadInt(void*) { return 7; }
int g_drawn = 0;
void CountingWindow(XPLMWindowID, void*) { ++g_drawn; }
int g_handled = 0;
void CountingHandler(void*, void*) { ++g_handled; }

TEST(Unload, WhatAStoppedPlugInLeftIsAFaultAndTheSimulatorKeepsItsOwn)
{
    xphost::reset();
    xphost::set_screen_size(1920, 1080);
    XPLMRegisterFlightLoopCallback(Loop, 1.0f, nullptr);
    XPLMRegisterDrawCallback(Draw, xplm_Phase_Panel, 0, nullptr);
    XPLMCreateWindow(0, 100, 100, 0, 1, CountingWindow, nullptr, nullptr, nullptr);
    XPLMRegisterKeySniffer(Sniff, 1, nullptr);
    const int item = XPLMAppendMenuItem(XPLMFindPluginsMenu(), "Mine", nullptr, 1);
    const XPLMMenuID mine = XPLMCreateMenu("Mine", XPLMFindPluginsMenu(), item, CountingHandler, nullptr);
    XPLMAppendMenuItem(mine, "Choose", nullptr, 1);
    XPLMControlCamera(xplm_ControlCameraUntilViewChanges, Camera, nullptr);
    XPLMRegisterCommandHandler(XPLMCreateCommand("Mine/command", "mine"), Command, 1, nullptr);
    XPLMRegisterDataAccessor("Mine/value", xplmType_Int, 0, ReadInt, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    const XPLMPluginID other = xphost::load_other_plugin("someone.else");
    xphost::set_i("sim/operation/override/override_joystick", 1);
    xphost::advance(2.0);
    const std::string folder = xphost::system_path();
    std::ofstream(folder + "Resources/plugins/kept.txt") << "kept";

    ASSERT_TRUE(xphost::faults().empty());
    xphost::unload_plugin();

    EXPECT_EQ(xphost::faults(), (std::vector<std::string>{
                                    "a flight loop was left registered",
                                    "a handler of the command Mine/command was left registered",
                                    "a drawing callback of phase 40 was left registered",
                                    "window 1 was left behind",
                                    "a key sniffer was left registered",
                                    "the item Mine was left in the plug-ins menu",
                                    "the menu Mine was left behind",
                                    "the camera was left controlled",
                                    "the variable Mine/value was left published",
                                }));
    EXPECT_TRUE(xphost::flight_loops().empty());
    EXPECT_TRUE(xphost::draw_callbacks().empty());
    EXPECT_TRUE(xphost::key_sniffers().empty());
    EXPECT_FALSE(xphost::camera_controlled());
    // The window and the menu stay, but their code is gone: nothing calls it.
    EXPECT_EQ(xphost::windows().size(), 1u);
    EXPECT_NE(xphost::find_menu("Mine"), nullptr);
    g_drawn = 0;
    xphost::draw_now();
    EXPECT_EQ(g_drawn, 0);
    EXPECT_FALSE(xphost::select_menu_item("Mine", "Choose"));
    EXPECT_EQ(g_handled, 0);
    EXPECT_TRUE(xphost::command_handlers("Mine/command").empty());
    EXPECT_NE(xphost::command("Mine/command"), nullptr);   // the simulator keeps its commands
    EXPECT_TRUE(xphost::published_datarefs().empty());
    EXPECT_EQ(XPLMFindDataRef("Mine/value"), nullptr);
    EXPECT_EQ(XPLMFindPluginBySignature("someone.else"), other);
    // An override the plug-in left on stays on: the simulator does not know whose it was.
    EXPECT_EQ(xphost::get_i("sim/operation/override/override_joystick"), 1);
    EXPECT_DOUBLE_EQ(xphost::now(), 2.0);
    EXPECT_EQ(xphost::get_i("sim/graphics/view/window_width"), 1920);
    EXPECT_EQ(xphost::system_path(), folder);
    std::string kept;
    std::ifstream(folder + "Resources/plugins/kept.txt") >> kept;
    EXPECT_EQ(kept, "kept");
    xphost::advance(1.0);                          // nothing of it runs any more
    EXPECT_EQ(xphost::frame_count(), 150);
}

int Boxes()
{
    int n = 0;
    for (const auto& op : xphost::display_list())
        n += op.kind == xphost::DrawOp::Box;
    return n;
}

// The built file runs again from its start, in the same folder, with its
// globals as they were before its first start.
TEST(Unload, TheBuiltFileStartsAfreshAfterItsStop)
{
    xphost::reset();
    std::string error;
    ASSERT_TRUE(xphost::load_plugin(QZT_PLUGIN_FILE, &error)) << error;
    ASSERT_EQ(xphost::start(), 1);
    ASSERT_EQ(xphost::enable(), 1);
    xphost::load_aircraft("QZT Stormfalk SF-1");
    xphost::click(10, 600);                        // the custom data box is shown
    xphost::draw_now();
    ASSERT_EQ(Boxes(), 1);
    xphost::disable();
    xphost::stop();
    xphost::unload_plugin();
    EXPECT_EQ(xphost::plugin().library, nullptr);
    EXPECT_TRUE(xphost::windows().empty());

    ASSERT_TRUE(xphost::load_plugin(QZT_PLUGIN_FILE, &error)) << error;
    ASSERT_EQ(xphost::start(), 1);
    EXPECT_EQ(xphost::key_sniffers().size(), 1u);
    ASSERT_NE(xphost::find_menu("QZTgov"), nullptr);
    EXPECT_TRUE(xphost::windows().empty());        // no aircraft recognised yet
    xphost::load_aircraft("QZT Stormfalk SF-1");
    xphost::draw_now();
    EXPECT_EQ(Boxes(), 0);                         // hidden, as at every start
    xphost::stop();
    xphost::reset();
}

}  // namespace
