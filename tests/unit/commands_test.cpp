// The plug-in's commands: created at start, each doing what its key does, once
// per press and always passed on, silent while the dialog captures a key, and
// without a handler after stop.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "support/slot_fixture.h"
#include "support/write_log.h"
#include "carrier/camera.h"
#include "common/commands.h"
#include "systems/glider.h"

namespace {

const char* const QZTcmd = "QZTgov/qzt_key";
const char* const ZoomIn = "QZTgov/camera_zoom_in";
const char* const ZoomOut = "QZTgov/camera_zoom_out";
const char* const Names[] = {QZTcmd, ZoomIn, ZoomOut};
const char* const Swdirqst = "sim/flightmodel/controls/swdirqst";
const char* const CockpitLights = "sim/cockpit/electrical/cockpit_lights_on";
const char* const NightVision = "sim/cockpit/electrical/night_vision_on";

class Commands : public SlotTest {
protected:
    // A joystick button bound to the command, pressed and let go: every
    // handler hears both phases and the command goes on.
    static void Press(const char* name)
    {
        const size_t before = xphost::command_runs().size();
        ASSERT_TRUE(xphost::command_once(name));
        const auto& runs = xphost::command_runs();
        ASSERT_EQ(runs.size(), before + 2);
        for (size_t i = before; i < runs.size(); ++i) {
            EXPECT_TRUE(runs[i].passed_on) << name;
            EXPECT_EQ(runs[i].handlers_called, static_cast<int>(xphost::command_handlers(name).size())) << name;
        }
    }
};

TEST_F(Commands, CreatedAtStartAndTheirHandlersGoneAtStop)
{
    const auto created = xphost::commands_created();
    ASSERT_EQ(created.size(), 3u);
    EXPECT_EQ(created[0].name, QZTcmd);
    EXPECT_EQ(created[0].description, "QZT key: the loaded model's special function");
    EXPECT_EQ(created[1].name, ZoomIn);
    EXPECT_EQ(created[1].description, "Zoom the external camera in");
    EXPECT_EQ(created[2].name, ZoomOut);
    EXPECT_EQ(created[2].description, "Zoom the external camera out");
    for (const char* name : Names)
        EXPECT_EQ(xphost::command_handlers(name).size(), 1u) << name;

    LoadSlot(37);
    Press(QZTcmd);
    ASSERT_EQ(CAMERAid, 2);
    xphost::disable();
    xphost::stop();
    xphost::clear_writes();
    const size_t buttons = xphost::commands().size();
    for (const char* name : Names) {
        EXPECT_TRUE(xphost::command_handlers(name).empty()) << name;
        ASSERT_TRUE(xphost::command_once(name)) << name;   // the simulator keeps the command
        EXPECT_EQ(xphost::command_runs().back().handlers_called, 0) << name;
    }
    EXPECT_EQ(CAMERAid, 2);
    EXPECT_EQ(CAMERAzoom, 1.0f);
    EXPECT_EQ(xphost::commands().size(), buttons);
    EXPECT_TRUE(xphost::writes().empty());

    // The plug-in started again finds the kept commands: one handler each.
    ASSERT_EQ(xphost::start(), 1);
    ASSERT_EQ(xphost::enable(), 1);
    EXPECT_EQ(xphost::commands_created().size(), 3u);
    for (const char* name : Names)
        EXPECT_EQ(xphost::command_handlers(name).size(), 1u) << name;
    LoadSlot(37);                                   // the stop let the model go
    Press(QZTcmd);
    EXPECT_EQ(CAMERAid, 2);
}

TEST(CommandsBeforeStart, NoneExists)
{
    xphost::reset();
    xphost::attach(LinkedPlugin());
    for (const char* name : Names) {
        EXPECT_FALSE(xphost::command_once(name)) << name;
        EXPECT_EQ(XPLMFindCommand(name), nullptr) << name;
    }
    EXPECT_TRUE(xphost::command_runs().empty());
}

// A held button acts once, on the way down; the key and the command move the
// same engine state on. Another handler behind ours still gets the command.
TEST_F(Commands, GliderFoldsItsEngineOncePerPressSharingTheKeysState)
{
    int laterCalls = 0;
    auto later = [](XPLMCommandRef, XPLMCommandPhase, void* calls) {
        ++*static_cast<int*>(calls);
        return 1;
    };
    XPLMRegisterCommandHandler(XPLMFindCommand(QZTcmd), later, 0, &laterCalls);

    LoadSlot(7);
    xphost::clear_writes();
    ASSERT_TRUE(xphost::command_begin(QZTcmd));
    xphost::advance(1.0);
    ASSERT_TRUE(xphost::command_end(QZTcmd));
    PressQZT();
    Press(QZTcmd);
    EXPECT_EQ(WriteLines(0, {Swdirqst}), (std::vector<std::string>{"swdirqst: 1", "swdirqst: 0", "swdirqst: 1"}));
    EXPECT_EQ(engOn, 0);

    size_t continues = 0;
    for (const auto& run : xphost::command_runs()) {
        EXPECT_TRUE(run.passed_on);
        continues += run.phase == xplm_CommandContinue;
    }
    EXPECT_GE(continues, 9u);
    EXPECT_EQ(laterCalls, static_cast<int>(xphost::command_runs().size()));
}

TEST_F(Commands, CarrierStepsItsCameraViewsAndZoomsAsTheKeysDo)
{
    LoadSlot(37);
    Press(ZoomIn);                                     // no camera yet
    EXPECT_EQ(CAMERAzoom, 1.0f);
    Press(QZTcmd);
    xphost::run_frame();                               // the view changes, the camera is taken
    EXPECT_TRUE(xphost::camera_controlled());
    EXPECT_EQ(CAMERAid, 2);                            // the preset's view
    ASSERT_EQ(xphost::commands().size(), 2u);          // the host's free view 1, pressed and released
    EXPECT_EQ(xphost::commands()[0].button, 44);
    PressQZT();
    Press(QZTcmd);
    EXPECT_EQ(CAMERAid, 4);
    for (int i = 0; i < 3; ++i) {
        PressQZT();
        Press(QZTcmd);
    }
    EXPECT_EQ(CAMERAid, 5);                            // 5 6 2 3 4 5

    Press(ZoomIn);
    Press(ZoomIn);
    xphost::press_key(XPLM_VK_DOWN);
    EXPECT_EQ(CAMERAzoom, 2.0f);
    for (int i = 0; i < 3; ++i)
        Press(ZoomOut);
    EXPECT_EQ(CAMERAzoom, 1.0f);
    xphost::press_key(XPLM_VK_UP);
    EXPECT_EQ(CAMERAzoom, 2.0f);
}

TEST_F(Commands, TwinTakesTheViewWithNightVisionAndStepsItsCameras)
{
    xphost::set_i(CockpitLights, 1);
    LoadSlot(52);
    Press(QZTcmd);
    xphost::run_frame();
    EXPECT_TRUE(xphost::camera_controlled());
    EXPECT_EQ(CAMERAid, 0);
    EXPECT_EQ(xphost::get_i(NightVision), 1);
    PressQZT();
    EXPECT_EQ(CAMERAid, 1);
    EXPECT_EQ(xphost::get_i(NightVision), 0);
    Press(QZTcmd);
    PressQZT();
    EXPECT_EQ(CAMERAid, 0);
    EXPECT_EQ(xphost::get_i(NightVision), 1);
    Press(ZoomIn);
    EXPECT_EQ(CAMERAzoom, 2.0f);

    LoadSlot(50);                                      // the K-2's cameras are 1 and 2
    Press(QZTcmd);
    Press(QZTcmd);
    Press(QZTcmd);
    EXPECT_EQ(CAMERAid, 1);
    EXPECT_EQ(xphost::get_i(NightVision), 0);
}

TEST_F(Commands, HalvikCyclesItsTakeOffModesWithKeyAndCommandAlike)
{
    LoadSlot(1);
    Press(QZTcmd);
    PressQZT();
    Press(QZTcmd);
    PressQZT();
    EXPECT_EQ(Said(), (std::vector<std::string>{"HEAVY JATO", "HOVERING", "DEFAULT", "HEAVY JATO"}));
    EXPECT_EQ(Halv_TO_mode, 1);
    EXPECT_NEAR(fuel_tot, 29483.5f, 0.1f);

    LoadSlot(2);                                       // the scout has no special function
    Press(QZTcmd);
    EXPECT_EQ(Said().size(), 4u);
}

// The key the user presses for the dialog may be bound to a command: that
// press is the capture's alone. A button pressed meanwhile does nothing either
// and does not end the capture.
TEST_F(Commands, WhileTheDialogWaitsForAKeyTheyDoNothing)
{
    LoadSlot(37);
    Press(QZTcmd);
    xphost::bind_key('J', QZTcmd);                     // the pilot's own key for the command
    defKey = 1;
    Press(QZTcmd);
    Press(ZoomIn);
    EXPECT_EQ(defKey, 1);
    EXPECT_EQ(CAMERAid, 2);
    EXPECT_EQ(CAMERAzoom, 1.0f);

    const size_t runs = xphost::command_runs().size();
    xphost::press_key('J');
    EXPECT_EQ(xphost::command_runs().size(), runs + 2);
    EXPECT_TRUE(xphost::command_runs().back().passed_on);
    EXPECT_EQ(defKey, 0);
    EXPECT_EQ(QZTkey1, 'J');
    EXPECT_EQ(CAMERAid, 2);

    xphost::press_key('J');                            // the capture is over
    EXPECT_EQ(CAMERAid, 3);
}

}  // namespace
