// The key sniffer: what a key release does for each model, the capture of a
// new QZT key for the dialog, and the camera zoom keys.
#include <gtest/gtest.h>
#include <vector>
#include "support/slot_fixture.h"
#include "support/write_log.h"
#include "XPStandardWidgets.h"
#include "XPWidgets.h"
#include "carrier/camera.h"
#include "frame/datarefs.h"
#include "prefs/dialog.h"
#include "systems/glider.h"

namespace {

const char* const Swdirqst = "sim/flightmodel/controls/swdirqst";
const char* const Mixtures = "sim/flightmodel/engine/ENGN_mixt";
const char* const Mach = "sim/flightmodel/misc/machno";
const char* const Altitude = "sim/flightmodel/misc/h_ind";

class Keys : public SlotTest {};

TEST_F(Keys, OnlyAReleaseWithoutModifiersActs)
{
    LoadSlot(7);                                       // the glider: the key folds its engine
    xphost::clear_writes();
    xphost::key_event(0, xplm_DownFlag, XPLM_VK_F4);
    xphost::press_key(XPLM_VK_F4, xplm_ShiftFlag);
    xphost::press_key(XPLM_VK_F4, xplm_ControlFlag);
    EXPECT_TRUE(xphost::writes_to(Swdirqst).empty());

    PressQZT();
    PressQZT();
    EXPECT_EQ(WriteLines(0, {Swdirqst}), (std::vector<std::string>{"swdirqst: 1", "swdirqst: 0"}));
    EXPECT_EQ(engOn, 1);
    EXPECT_EQ(gFlags, xplm_UpFlag);
}

TEST_F(Keys, CaptureTakesAnyKeyAndRunsNothingElse)
{
    const XPWidgetID caption = XPCreateWidget(0, 20, 60, 0, 1, "Press Key", 1, nullptr, xpWidgetClass_Caption);
    QZTkeyText = caption;
    LoadSlot(37);
    PressQZT();                                        // the carrier's camera runs: the arrows zoom
    ASSERT_EQ(CAMERAid, 2);
    const size_t commands = xphost::commands().size();

    defKey = 1;
    xphost::key_event(0, xplm_UpFlag, 0);              // no key code: still waiting
    EXPECT_EQ(defKey, 1);
    xphost::press_key(XPLM_VK_UP);
    EXPECT_EQ(defKey, 0);
    EXPECT_EQ(QZTkey1, XPLM_VK_UP);
    EXPECT_EQ(CAMERAzoom, 1.0f);                       // not zoomed
    EXPECT_STREQ(charBuffer, "UP");
    EXPECT_EQ(xphost::widget(caption)->descriptor, "UP");

    defKey = 1;
    PressQZT();                                        // the old key is a candidate too
    EXPECT_EQ(QZTkey1, XPLM_VK_F4);
    EXPECT_EQ(xphost::widget(caption)->descriptor, "F4");
    EXPECT_EQ(CAMERAid, 2);                            // no next view
    EXPECT_EQ(xphost::commands().size(), commands);
    EXPECT_EQ(QZTkey, XPLM_VK_F4);                     // the dialog's save makes it the key
    EXPECT_EQ(gVirtualKey, 0);
}

TEST_F(Keys, KeyCodesFrom0x80UpAreKeysLikeAnyOther)
{
    LoadSlot(7);
    QZTkey = 0x85;                                     // F22
    xphost::clear_writes();
    xphost::press_key(static_cast<char>(0x85));
    EXPECT_EQ(WriteLines(0, {Swdirqst}), (std::vector<std::string>{"swdirqst: 1"}));

    defKey = 1;
    xphost::press_key(static_cast<char>(0xB0));
    EXPECT_EQ(QZTkey1, 0xB0);
    EXPECT_STREQ(charBuffer, "EQUAL");
}

TEST_F(Keys, ArrowsZoomARunningCameraAndNeverBelowOne)
{
    LoadSlot(37);
    xphost::press_key(XPLM_VK_UP);                     // no camera yet
    EXPECT_EQ(CAMERAzoom, 1.0f);
    PressQZT();
    for (char key : {XPLM_VK_UP, XPLM_VK_UP, XPLM_VK_DOWN})
        xphost::press_key(key);
    EXPECT_EQ(CAMERAzoom, 2.0f);
    for (int i = 0; i < 3; ++i)
        xphost::press_key(XPLM_VK_DOWN);
    EXPECT_EQ(CAMERAzoom, 1.0f);
}

TEST_F(Keys, HalvikCyclesItsTakeOffModesFromStartAndAfterADisable)
{
    LoadSlot(1);
    xphost::clear_writes();
    for (int i = 0; i < 4; ++i)
        PressQZT();
    EXPECT_EQ(Said(), (std::vector<std::string>{"HEAVY JATO", "HOVERING", "DEFAULT", "HEAVY JATO"}));
    EXPECT_EQ(Halv_TO_mode, 1);
    EXPECT_NEAR(fuel_tot, 29483.5f, 0.1f);
    EXPECT_TRUE(xphost::writes().empty());             // below Mach 1 nothing reaches the host

    xphost::disable();
    xphost::enable();
    PressQZT();
    EXPECT_EQ(Said().back(), "Halvik Gov loaded!");
    EXPECT_EQ(Halv_TO_mode, 0);
    EXPECT_EQ(fuel_tot, 0.0f);

    // A reload after a disable still announces the plug-in first.
    xphost::disable();
    xphost::enable();
    LoadSlot(1);
    PressQZT();
    EXPECT_EQ(Said().back(), "Halvik Gov loaded!");

    LoadSlot(2);                                       // the scout variant has no key function
    PressQZT();
    EXPECT_EQ(Said().size(), 6u);
}

TEST_F(Keys, HalvikAboveMach1AdvancesTheCycleWithoutSelecting)
{
    LoadSlot(1);
    machno = 0.2f;                                     // what another aircraft's loop left
    xphost::set_f(Mach, 1.5f);
    PressQZT();
    EXPECT_EQ(Halv_TO_mode, 3);                        // the preset's mode stays
    EXPECT_EQ(Said(), (std::vector<std::string>{"Turbo Engine!", "RAM Mode only above mach 2.8 and 45,000 feet !"}));

    machno = 5.0f;
    xphost::set_f(Mach, 0.9f);
    PressQZT();
    EXPECT_EQ(Said().back(), "HOVERING");              // HEAVY JATO was skipped
    EXPECT_EQ(Halv_TO_mode, 2);
}

TEST_F(Keys, VessaArmsItsSpaceDriveOnlyAbove60000Feet)
{
    LoadSlot(4);
    xphost::set_vf(Mixtures, {0.0f, 1.0f, 1.0f, 0.0f});   // the pilot has shut engine 1 down
    engine_Mix[3] = 1.0f;                              // left by an earlier aircraft
    xphost::set_f(Altitude, 59999.0f);
    xphost::clear_writes();
    PressQZT();
    EXPECT_EQ(WriteLines(), (std::vector<std::string>{"ENGN_mixt: 0 1 0 0"}));
    EXPECT_EQ(Said(), (std::vector<std::string>{"Space-Drive ON only above 60,000 feet"}));

    xphost::set_f(Altitude, 60000.0f);
    PressQZT();
    PressQZT();
    EXPECT_EQ(xphost::get_vf(Mixtures, 0, 4), (std::vector<float>{0.0f, 1.0f, 0.0f, 0.0f}));
    xphost::clear_writes();
    xphost::set_f(Altitude, 200001.0f);
    PressQZT();
    EXPECT_EQ(WriteLines(), (std::vector<std::string>{"ENGN_mixt: 0 1 1 0", "acf_jato_dur: 30", "jato_left: 30"}));
    EXPECT_EQ(Said().size(), 1u);
}

TEST_F(Keys, RocketEnginesOfTheBoostedFighterAndTheFlyingWing)
{
    LoadSlot(13);
    xphost::set_vf(Mixtures, {1.0f, 1.0f, 0.0f, 0.0f, 0.5f});
    xphost::clear_writes();
    PressQZT();
    PressQZT();
    EXPECT_EQ(WriteLines(), (std::vector<std::string>{"ENGN_mixt: 1 1 1 1", "ENGN_mixt: 1 1 0 0"}));

    LoadSlot(23);
    xphost::set_vf(Mixtures, {1.0f, 1.0f, 0.3f, 0.0f});
    xphost::clear_writes();
    PressQZT();
    PressQZT();
    EXPECT_EQ(WriteLines(), (std::vector<std::string>{"ENGN_mixt: 1 1 0", "ENGN_mixt: 1 1 1"}));

    LoadSlot(9);                                       // the other fighters' key does nothing
    xphost::clear_writes();
    PressQZT();
    EXPECT_TRUE(xphost::writes().empty());
}

}  // namespace
