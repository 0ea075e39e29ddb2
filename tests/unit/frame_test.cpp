// Start-up, the menu, the bindings and the host's messages, through the stand-in host.
#include <cstring>
#include <string>

#include "support/plugin_fixture.h"
#include "unit/dataref_table.h"

#include "XPLMPlugin.h"
#include "carrier/orbiter.h"
#include "common/keys.h"
#include "common/timers.h"
#include "display/handbook.h"
#include "frame/datarefs.h"
#include "prefs/dialog.h"

namespace {

using Frame = PluginTest;

TEST_F(Frame, StartFillsTheHostsBuffersAndBuildsTheMenu)
{
    EXPECT_EQ(xphost::plugin_name(), "QZTgov");
    EXPECT_EQ(xphost::plugin_signature(), "morvaln.flight.gov");
    EXPECT_EQ(xphost::plugin_description(), "A plugin that handles ACFs from QZT");

    const xphost::Menu* plugins = xphost::menu(xphost::plugins_menu());
    ASSERT_NE(plugins, nullptr);
    ASSERT_EQ(plugins->items.size(), 1u);
    EXPECT_EQ(plugins->items[0].name, "QZTgov");
    EXPECT_EQ(plugins->items[0].ref, nullptr);

    const xphost::Menu* sub = xphost::find_menu("QZTgov");
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->parent, xphost::plugins_menu());
    EXPECT_EQ(sub->parent_item, 0);
    EXPECT_EQ(sub->menu_ref, nullptr);
    EXPECT_EQ(sub->handler, &QZTflightGovMenuHandler);
    ASSERT_EQ(sub->items.size(), 3u);
    EXPECT_EQ(sub->items[0].name, "Description");
    EXPECT_TRUE(sub->items[1].separator);
    EXPECT_EQ(sub->items[2].name, "Preferences");
    // The handler tells the items apart by their reference: the item's own name.
    EXPECT_STREQ(static_cast<const char*>(sub->items[0].ref), "Description");
    EXPECT_STREQ(static_cast<const char*>(sub->items[2].ref), "Preferences");
}

TEST_F(Frame, SelectingAMenuItemReachesTheHandler)
{
    EXPECT_TRUE(xphost::select_menu_item("QZTgov", "Description"));
    EXPECT_EQ(MenuItem, 1);
    EXPECT_TRUE(xphost::select_menu_item("QZTgov", "Preferences"));
    EXPECT_EQ(MenuItem, 2);
}

TEST_F(Frame, KeySnifferSeesKeysBeforeWindowsAndPassesThemOn)
{
    auto sniffers = xphost::key_sniffers();
    ASSERT_EQ(sniffers.size(), 1u);
    EXPECT_EQ(sniffers[0].callback, &MyKeySniffer);
    EXPECT_EQ(sniffers[0].before_windows, 1);
    EXPECT_EQ(MyKeySniffer('a', xplm_UpFlag, 0x41, nullptr), 1);
}

TEST_F(Frame, DefaultReleaseRecordIsSetAtStart)
{
    EXPECT_EQ(orb_latitude[0], 30.0);
    EXPECT_EQ(orb_longitude[0], 0.0);
    EXPECT_EQ(orb_elevation[0], 100000.0);
    EXPECT_EQ(orb_pitch[0], 15.0f);
    EXPECT_EQ(orb_roll[0], 0.0f);
    EXPECT_EQ(orb_head[0], 90.0f);
}

// Every path the plug-in binds is one the host publishes, with the type the
// plug-in reads and writes it as; array handles live in slot 0 only.
TEST_F(Frame, EveryHandleIsBoundToAPublishedPathOfItsType)
{
    for (const BoundRef& ref : kBoundRefs) {
        SCOPED_TRACE(ref.path);
        const xphost::Dataref* published = xphost::find(ref.path);
        ASSERT_NE(published, nullptr);
        EXPECT_NE(published->types & ref.type, 0);
        ASSERT_NE(ref.handle[0], nullptr);
        EXPECT_NE(XPLMGetDataRefTypes(ref.handle[0]) & ref.type, 0);
        for (int slot = 1; slot < ref.slots; ++slot)
            EXPECT_EQ(ref.handle[slot], nullptr) << "slot " << slot;
    }
}

TEST_F(Frame, TheSimulatorsOwnNamesAreBoundForFlightDirectorPitchAndJatoDuration)
{
    EXPECT_TRUE(xphost::is_published("sim/operation/override/override_flightdir_ptch"));
    EXPECT_TRUE(xphost::is_published("sim/aircraft/specialcontrols/acf_jato_dur"));
    EXPECT_FALSE(xphost::is_published("sim/operation/override/override_flightdir_pitch"));
    EXPECT_FALSE(xphost::is_published("sim/aircraft/specialcontrols/acf_JATOduration"));

    XPLMSetDatai(dr_override_flightdir_pitch, 1);
    XPLMSetDataf(dr_JATOduration, 30.0f);
    EXPECT_EQ(xphost::get_i("sim/operation/override/override_flightdir_ptch"), 1);
    EXPECT_EQ(xphost::get_f("sim/aircraft/specialcontrols/acf_jato_dur"), 30.0f);
}

TEST_F(Frame, BindingIgnoresItsArguments)
{
    XPLMDataRef before = dr_machno;
    XPLMDataRef mixBefore = dr_engine_Mix[0];
    InitDataRef(7, -3);
    EXPECT_EQ(dr_machno, before);
    EXPECT_EQ(dr_engine_Mix[0], mixBefore);
    EXPECT_EQ(dr_engine_Mix[1], nullptr);
}

TEST(FrameWithdrawn, AHostWithoutAPathStillStartsAndReadsZero)
{
    xphost::reset();
    xphost::withdraw("sim/flightmodel/misc/machno");
    xphost::withdraw("sim/weapons/action_mode");
    xphost::attach(LinkedPlugin());
    ASSERT_EQ(xphost::start(), 1);
    EXPECT_EQ(dr_machno, nullptr);
    EXPECT_EQ(dr_Weapon_status[0], nullptr);
    EXPECT_EQ(XPLMGetDataf(dr_machno), 0.0f);
    int statuses[10] = {7, 7, 7, 7, 7, 7, 7, 7, 7, 7};
    EXPECT_EQ(XPLMGetDatavi(dr_Weapon_status[0], statuses, 0, 10), 0);
    XPLMSetDataf(dr_machno, 3.0f);   // ignored, as the simulator ignores a null handle
    EXPECT_NE(dr_altitude, nullptr);
}

// Five variables have new names in X-Plane 12, which logs a warning naming a
// plug-in that asks for an old one; X-Plane 11 knows only the old names. The
// plug-in asks for the new name first and binds whichever the simulator has.
struct RenamedRef { XPLMDataRef* handle; const char* current; const char* old; };
const RenamedRef kRenamed[] = {
    {&dr_yolk_pitch_ratio, "sim/joystick/yoke_pitch_ratio", "sim/joystick/yolk_pitch_ratio"},
    {&dr_yolk_roll_ratio, "sim/joystick/yoke_roll_ratio", "sim/joystick/yolk_roll_ratio"},
    {&dr_yolk_heading_ratio, "sim/joystick/yoke_heading_ratio", "sim/joystick/yolk_heading_ratio"},
    {&dr_temperature_ambc, "sim/weather/aircraft/temperature_ambient_deg_c", "sim/weather/temperature_ambient_c"},
    {&dr_temperature_lec, "sim/weather/aircraft/temperature_leadingedge_deg_c", "sim/weather/temperature_le_c"},
};

TEST(FrameRenamed, OldNewOrBothNamesTheCarrierFliesOnTheOneTheSimulatorHas)
{
    enum Names { OnlyOld, OnlyNew, Both };
    for (Names names : {OnlyOld, OnlyNew, Both}) {
        SCOPED_TRACE(names == OnlyOld ? "only the old names (X-Plane 11)"
                     : names == OnlyNew ? "only the new names" : "both names (X-Plane 12)");
        xphost::reset();
        Ident = 0;
        for (const RenamedRef& r : kRenamed)
            if (names != Both)
                xphost::withdraw(names == OnlyOld ? r.current : r.old);
        xphost::attach(LinkedPlugin());
        ASSERT_EQ(xphost::start(), 1);
        ASSERT_EQ(xphost::enable(), 1);
        EXPECT_TRUE(xphost::replaced_lookups().empty()) << xphost::replaced_lookups()[0];
        for (const std::string& line : xphost::debug_log())
            EXPECT_EQ(line.find("publish"), std::string::npos) << line;

        auto bound = [&](const RenamedRef& r) { return names == OnlyOld ? r.old : r.current; };
        for (const RenamedRef& r : kRenamed) {
            EXPECT_NE(*r.handle, nullptr) << r.current;
            EXPECT_EQ(*r.handle, XPLMFindDataRef(bound(r))) << r.current;
        }

        // The carrier reads both temperatures, and its zoom switch centres the stick.
        xphost::set_f(bound(kRenamed[0]), 0.4f);
        xphost::set_f(bound(kRenamed[3]), -42.5f);
        xphost::set_f(bound(kRenamed[4]), 61.0f);
        xphost::load_aircraft("QZT Skyhoist orbital carrier");
        xphost::set_i("sim/cockpit/switches/prop_sync_on", 1);
        xphost::advance(6.0);
        EXPECT_EQ(temperature_ambc, -42.5f);
        EXPECT_EQ(temperature_lec, 61.0f);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(xphost::writes_to(bound(kRenamed[k])).size(), 1u) << bound(kRenamed[k]);
        EXPECT_EQ(xphost::get_f(bound(kRenamed[0])), 0.0f);
        if (names == Both) {
            EXPECT_EQ(xphost::get_f(kRenamed[0].old), 0.0f);   // one variable under two names
        }
        xphost::disable();
        xphost::stop();
    }
}

TEST(FrameRenamed, ASimulatorWithNeitherNameSaysSoOnce)
{
    xphost::reset();
    xphost::withdraw("sim/joystick/yoke_roll_ratio");
    xphost::withdraw("sim/joystick/yolk_roll_ratio");
    xphost::attach(LinkedPlugin());
    ASSERT_EQ(xphost::start(), 1);
    EXPECT_EQ(dr_yolk_roll_ratio, nullptr);
    ASSERT_EQ(xphost::debug_log().size(), 2u);
    EXPECT_EQ(xphost::debug_log()[1], "QZTgov: the simulator publishes neither sim/joystick/yoke_roll_ratio nor "
                                      "sim/joystick/yolk_roll_ratio; what uses it will not work\n");
}

TEST_F(Frame, BindingLooksEveryPathUpOnceAndNeverAgain)
{
    const int afterStart = xphost::find_calls();
    xphost::load_aircraft("an aircraft of another maker");
    xphost::advance(10.0);
    EXPECT_EQ(xphost::find_calls(), afterStart);
}

// ---- messages

// The first brake release and the handbook's first showing are the user's
// aircraft's: another aircraft's load must never place the orbiter again.
TEST_F(Frame, AnAIPlaneLoadOnlyRestartsTheClock)
{
    Ident = 37;
    mis_seconds = 12;
    parkbrake_initial = 0;
    INFOfirstview = 0;
    const int created = xphost::windows_created();
    const int destroyed = xphost::windows_destroyed();
    xphost::clear_writes();

    xphost::load_ai_aircraft(2);

    EXPECT_EQ(mis_seconds, 0);
    EXPECT_EQ(parkbrake_initial, 0);
    EXPECT_EQ(INFOfirstview, 0);
    EXPECT_EQ(Ident, 37);
    EXPECT_EQ(xphost::windows_created(), created);
    EXPECT_EQ(xphost::windows_destroyed(), destroyed);
    EXPECT_TRUE(xphost::writes().empty());
    EXPECT_EQ(xphost::loop_registrations(FIRSTAct), 0);
}

TEST_F(Frame, MessagesFromOtherPluginsAreIgnored)
{
    mis_seconds = 12;
    parkbrake_initial = 0;
    xphost::set_b("sim/aircraft/view/acf_descrip", "anything");
    xphost::send_message(5, XPLM_MSG_PLANE_LOADED, nullptr);
    xphost::send_message(5, XPLM_MSG_PLANE_CRASHED, nullptr);
    xphost::send_message(5, XPLM_MSG_AIRPORT_LOADED, nullptr);
    EXPECT_EQ(mis_seconds, 12);
    EXPECT_EQ(parkbrake_initial, 0);
    EXPECT_EQ(xphost::loop_registrations(FIRSTAct), 0);
}

TEST_F(Frame, AnAirportLoadWithoutARecognisedAircraftOnlyRestartsTheClock)
{
    mis_seconds = 33;
    xphost::clear_writes();
    xphost::load_airport();
    EXPECT_EQ(mis_seconds, 0);
    EXPECT_TRUE(xphost::writes().empty());
    EXPECT_EQ(xphost::loop_registrations(FIRSTAct), 0);
}

TEST_F(Frame, ACrashWithoutARecognisedAircraftStillPresetsAndSchedulesTheFirstAction)
{
    parkbrake_initial = 0;
    INFOfirstview = 0;
    xphost::crash();
    EXPECT_EQ(parkbrake_initial, 1);
    EXPECT_EQ(INFOfirstview, 1);
    EXPECT_EQ(FirstActReg, 1);
    EXPECT_EQ(xphost::loop_registrations(FIRSTAct), 1);
    EXPECT_TRUE(xphost::loop_active(FIRSTAct));
}

TEST_F(Frame, CrashThenAirportRunTheFirstActionOnce)
{
    Ident = 30;   // a recognised airliner without loops of its own
    xphost::crash();
    xphost::advance(1.0);
    xphost::load_airport();
    EXPECT_EQ(xphost::loop_registrations(FIRSTAct), 1);
    xphost::advance(6.0);
    EXPECT_EQ(xphost::loop_calls(FIRSTAct), 1);
    EXPECT_EQ(FirstActReg, 0);
    EXPECT_FALSE(xphost::loop_active(FIRSTAct));

    // Once it has run, the next crash schedules it again, without a second entry.
    xphost::crash();
    EXPECT_EQ(xphost::loop_registrations(FIRSTAct), 1);
    xphost::advance(6.0);
    EXPECT_EQ(xphost::loop_calls(FIRSTAct), 1);   // the fresh entry's one run
    EXPECT_EQ(FirstActReg, 0);
}

TEST_F(Frame, DisableForgetsTheTakeOffModeIndexAndEnableRestoresNothing)
{
    keystat1 = 2;
    xphost::disable();
    EXPECT_EQ(keystat1, -1);
    EXPECT_EQ(xphost::enable(), 1);
    EXPECT_EQ(keystat1, -1);
    EXPECT_EQ(xphost::key_sniffers().size(), 1u);
}

// No message reaches a disabled plug-in: an aircraft loaded meanwhile is
// recognised at the enable; the same aircraft goes on without a new preset.
TEST_F(Frame, AnAircraftLoadedWhileDisabledIsRecognisedAtTheEnable)
{
    xphost::load_aircraft("QZT Skyhoist orbital carrier");
    ASSERT_EQ(Ident, 37);
    xphost::disable();
    xphost::clear_writes();
    ASSERT_EQ(xphost::enable(), 1);
    EXPECT_EQ(Ident, 37);
    EXPECT_TRUE(xphost::writes().empty());

    xphost::disable();
    xphost::load_aircraft("QZT Stormfalk SF-1");
    EXPECT_EQ(Ident, 37);
    ASSERT_EQ(xphost::enable(), 1);
    EXPECT_EQ(Ident, 9);
    EXPECT_EQ(xphost::loop_registrations(FIRSTAct), 1);
}

TEST_F(Frame, StopDestroysTheHandbookWindowAndToleratesNone)
{
    INFOWindow = XPLMCreateWindow(0, 10, 10, 0, 1, [](XPLMWindowID, void*) {}, nullptr, nullptr, nullptr);
    XPLMWindowID window = INFOWindow;
    xphost::disable();
    xphost::stop();
    EXPECT_FALSE(xphost::window_exists(window));
    EXPECT_EQ(INFOWindow, nullptr);
    xphost::stop();   // a second stop with no window must not touch the host
}

}  // namespace
