// The stand-in host's command table: creating and finding commands, the
// phases of a press, the order of handlers and the simulator's own action,
// and a handler that stops the command.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "XPLMDisplay.h"
#include "XPLMUtilities.h"
#include "xphost.h"

namespace {

struct Seen {
    std::string who;
    int phase;
};

struct Handler {
    std::string name;
    int answer = 1;
    std::vector<Seen>* log = nullptr;
    XPLMCommandRef unregister_on_call = nullptr;   // takes itself out from inside its call
};

int Handle(XPLMCommandRef cmd, XPLMCommandPhase phase, void* ref)
{
    auto* h = static_cast<Handler*>(ref);
    h->log->push_back({h->name, phase});
    if (h->unregister_on_call == cmd)
        XPLMUnregisterCommandHandler(cmd, Handle, 1, ref);
    return h->answer;
}

class Commands : public ::testing::Test {
protected:
    void SetUp() override { xphost::reset(); }
    std::vector<Seen> log;
};

TEST_F(Commands, CreateFindAndTheSimulatorsOwn)
{
    EXPECT_EQ(XPLMFindCommand("QZTgov/test"), nullptr);
    XPLMCommandRef mine = XPLMCreateCommand("QZTgov/test", "A test command");
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(XPLMFindCommand("QZTgov/test"), mine);
    EXPECT_EQ(XPLMCreateCommand("QZTgov/test", "Another text"), mine);   // the same command
    EXPECT_EQ(xphost::command("QZTgov/test")->description, "A test command");
    EXPECT_EQ(XPLMCreateCommand("", "x"), nullptr);
    EXPECT_EQ(XPLMCreateCommand(nullptr, "x"), nullptr);
    EXPECT_EQ(XPLMFindCommand(nullptr), nullptr);

    xphost::add_sim_command("sim/flight_controls/landing_gear_up", "Landing gear up.");
    XPLMCommandRef gear = XPLMFindCommand("sim/flight_controls/landing_gear_up");
    ASSERT_NE(gear, nullptr);
    EXPECT_FALSE(xphost::command("sim/flight_controls/landing_gear_up")->created_by_plugin);
    ASSERT_EQ(xphost::commands_created().size(), 1u);
    EXPECT_EQ(xphost::commands_created()[0].name, "QZTgov/test");

    // After a reset every ref is dead: using one reaches nothing.
    Handler h{"h", 1, &log};
    XPLMRegisterCommandHandler(mine, Handle, 1, &h);
    xphost::reset();
    EXPECT_EQ(XPLMFindCommand("QZTgov/test"), nullptr);
    XPLMCommandOnce(mine);
    XPLMRegisterCommandHandler(mine, Handle, 1, &h);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(xphost::command_runs().empty());
}

// Begin, a continue each frame while held, end; before-handlers, the
// simulator's own action, then after-handlers, each in registration order.
TEST_F(Commands, PhasesAndOrderOfAPress)
{
    xphost::add_sim_command("sim/view/zoom_in");
    XPLMCommandRef zoom = XPLMFindCommand("sim/view/zoom_in");
    Handler after{"after", 1, &log}, first{"first", 1, &log}, second{"second", 1, &log};
    XPLMRegisterCommandHandler(zoom, Handle, 0, &after);
    XPLMRegisterCommandHandler(zoom, Handle, 1, &first);
    XPLMRegisterCommandHandler(zoom, Handle, 1, &second);

    ASSERT_TRUE(xphost::command_begin("sim/view/zoom_in"));
    EXPECT_TRUE(xphost::command("sim/view/zoom_in")->held);
    xphost::command_begin("sim/view/zoom_in");           // already down: nothing
    xphost::run_frame();
    xphost::run_frame();
    xphost::command_end("sim/view/zoom_in");
    xphost::command_end("sim/view/zoom_in");             // already up: nothing
    xphost::run_frame();                                 // no continue once released

    std::vector<std::string> order;
    std::vector<int> phases;
    for (const Seen& s : log) {
        order.push_back(s.who);
        phases.push_back(s.phase);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"first", "second", "after", "first", "second", "after", "first",
                                               "second", "after", "first", "second", "after"}));
    EXPECT_EQ(phases, (std::vector<int>{0, 0, 0, 1, 1, 1, 1, 1, 1, 2, 2, 2}));
    EXPECT_EQ(xphost::command("sim/view/zoom_in")->sim_actions, 4);
    ASSERT_EQ(xphost::command_runs().size(), 4u);
    for (const auto& run : xphost::command_runs()) {
        EXPECT_TRUE(run.passed_on);
        EXPECT_EQ(run.handlers_called, 3);
    }

    log.clear();
    XPLMCommandOnce(zoom);                               // begin and end at once
    ASSERT_EQ(log.size(), 6u);
    EXPECT_EQ(log[2].phase, xplm_CommandBegin);
    EXPECT_EQ(log[3].phase, xplm_CommandEnd);
}

// A handler answering 0 keeps the command from everything after it: later
// handlers and the simulator's own action.
TEST_F(Commands, AHandlerAnsweringZeroStopsTheCommand)
{
    xphost::add_sim_command("sim/operation/pause_toggle");
    XPLMCommandRef pause = XPLMFindCommand("sim/operation/pause_toggle");
    Handler stopper{"stopper", 0, &log}, later{"later", 1, &log}, after{"after", 1, &log};
    XPLMRegisterCommandHandler(pause, Handle, 1, &stopper);
    XPLMRegisterCommandHandler(pause, Handle, 1, &later);
    XPLMRegisterCommandHandler(pause, Handle, 0, &after);

    xphost::command_once("sim/operation/pause_toggle");
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].who, "stopper");
    EXPECT_EQ(log[1].who, "stopper");
    EXPECT_EQ(xphost::command("sim/operation/pause_toggle")->sim_actions, 0);
    EXPECT_FALSE(xphost::command_runs().back().passed_on);

    // An after-handler answering 0 stops only the after-handlers behind it.
    log.clear();
    XPLMUnregisterCommandHandler(pause, Handle, 1, &stopper);
    after.answer = 0;
    Handler last{"last", 1, &log};
    XPLMRegisterCommandHandler(pause, Handle, 0, &last);
    xphost::command_once("sim/operation/pause_toggle");
    std::vector<std::string> order;
    for (const Seen& s : log)
        order.push_back(s.who);
    EXPECT_EQ(order, (std::vector<std::string>{"later", "after", "later", "after"}));
    EXPECT_EQ(xphost::command("sim/operation/pause_toggle")->sim_actions, 2);
}

// Unregistering takes one registration with exactly these arguments, also
// from inside a running handler, which is then not called again.
TEST_F(Commands, UnregisteringMatchesAllArgumentsAndIsSafeInsideARun)
{
    XPLMCommandRef cmd = XPLMCreateCommand("QZTgov/qzt_key", "QZT key");
    Handler self{"self", 1, &log, cmd}, other{"other", 1, &log};
    XPLMRegisterCommandHandler(cmd, Handle, 1, &self);
    XPLMRegisterCommandHandler(cmd, Handle, 1, &other);
    XPLMUnregisterCommandHandler(cmd, Handle, 0, &other);    // "before" differs: stays
    XPLMUnregisterCommandHandler(cmd, Handle, 1, nullptr);   // refcon differs: stays
    EXPECT_EQ(xphost::command_handlers("QZTgov/qzt_key").size(), 2u);

    XPLMCommandOnce(cmd);
    std::vector<std::string> order;
    for (const Seen& s : log)
        order.push_back(s.who);
    EXPECT_EQ(order, (std::vector<std::string>{"self", "other", "other"}));
    ASSERT_EQ(xphost::command_handlers("QZTgov/qzt_key").size(), 1u);
    EXPECT_EQ(xphost::command_handlers("QZTgov/qzt_key")[0].refcon, &other);
}

int ConsumeF5(char, XPLMKeyFlags, char virtualKey, void*) { return virtualKey == XPLM_VK_F5 ? 0 : 1; }

// A bound key begins its command going down and ends it coming up, unless a
// sniffer consumed it; the modifiers held going down must be the binding's.
TEST_F(Commands, AKeyBoundToACommand)
{
    XPLMCommandRef cmd = XPLMCreateCommand("QZTgov/camera_zoom_in", "Zoom in");
    Handler h{"h", 1, &log};
    XPLMRegisterCommandHandler(cmd, Handle, 1, &h);
    xphost::bind_key(XPLM_VK_F4, "QZTgov/camera_zoom_in");
    xphost::bind_key(XPLM_VK_F5, "QZTgov/camera_zoom_in");
    xphost::bind_key(XPLM_VK_F6, "QZTgov/no_such_command");

    xphost::key_event(0, xplm_DownFlag, XPLM_VK_F4);
    EXPECT_TRUE(xphost::command("QZTgov/camera_zoom_in")->held);
    xphost::key_event(0, xplm_UpFlag | xplm_ShiftFlag, XPLM_VK_F4);   // Shift pressed meanwhile
    EXPECT_FALSE(xphost::command("QZTgov/camera_zoom_in")->held);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1].phase, xplm_CommandEnd);

    xphost::press_key(XPLM_VK_F4, xplm_ControlFlag);                  // not the binding
    xphost::press_key(XPLM_VK_F6);
    XPLMRegisterKeySniffer(ConsumeF5, 0, nullptr);
    xphost::press_key(XPLM_VK_F5);
    EXPECT_EQ(log.size(), 2u);
}

}  // namespace
