// The figures the plug-in publishes under QZTgov/: read through the host's
// ordinary calls as another plug-in or a cockpit would, read-only, gone at
// stop; and their announcement to the dataref browsers.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "support/plugin_fixture.h"
#include "XPLMDataAccess.h"
#include "XPLMPlugin.h"
#include "carrier/carrier.h"
#include "carrier/panel.h"
#include "carrier/zoom.h"
#include "common/keys.h"
#include "frame/datarefs.h"
#include "frame/published.h"
#include "systems/glider.h"
#include "systems/stores.h"

namespace {

const char* const DataRefEditor = "xplanesdk.examples.DataRefEditor";
const char* const DataRefTool = "com.leecbaker.datareftool";

// Each name, its type, and how a test sets the plug-in's figure behind it.
struct Figure {
    const char* name;
    int type;
    std::function<void(float)> set;
};

const std::vector<Figure>& Figures()
{
    static const std::vector<Figure> all = {
        {"QZTgov/slot", xplmType_Int, [](float v) { Ident = int(v); }},
        {"QZTgov/zoom/phase", xplmType_Int, [](float v) { SHOISTactive = 1; zoom_on = int(v); }},
        {"QZTgov/release/record", xplmType_Int, [](float v) { INDEXstored = int(v); }},
        {"QZTgov/water/mass", xplmType_Float, [](float v) { m_jettison = v; }},
        {"QZTgov/engine/thrust_factor", xplmType_Float, [](float v) { thrust_maximum = v; }},
        {"QZTgov/glider/engine_position", xplmType_Float, [](float v) { swdi_ist = v; }},
        {"QZTgov/glider/engine_out", xplmType_Int, [](float v) { engOn = uint8_t(v); }},
        {"QZTgov/droptank/fuel", xplmType_Float, [](float v) { DTANKfuel = v; }},
        {"QZTgov/camera/view", xplmType_Int, [](float v) { CAMERAid = int(v); }},
        {"QZTgov/camera/zoom", xplmType_Float, [](float v) { CAMERAzoom = v; }},
    };
    return all;
}

const char* const PanelMessages = "QZTgov/panel/messages";

std::vector<std::string> AllNames()
{
    std::vector<std::string> names;
    for (const Figure& f : Figures())
        names.push_back(f.name);
    names.push_back(PanelMessages);
    return names;
}

std::vector<std::string> Sorted(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

std::vector<std::string> NamesSentTo(XPLMPluginID id)
{
    std::vector<std::string> names;
    for (const auto& m : xphost::messages_to(id)) {
        EXPECT_EQ(m.message, xphost::kMsgAddDataRef);
        names.push_back(m.text);
    }
    return names;
}

float Read(XPLMDataRef ref, int type)
{
    return type == xplmType_Int ? float(XPLMGetDatai(ref)) : XPLMGetDataf(ref);
}

class Published : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        SHOISTactive = 0;
        zoom_on = 0;
        INDEXstored = 0;
        system21mes = system22mes = system23mes = system24mes = system25mes = 0;
    }
    void TearDown() override
    {
        for (const auto& m : xphost::type_mismatches())
            ADD_FAILURE() << m.call << " on " << m.path;
    }

    // The plug-in stopped and started afresh in a new host, which `before`
    // prepares (another plug-in's variables, browsers loaded first).
    void Fresh(const std::function<void()>& before = [] {})
    {
        xphost::stop();
        xphost::reset();
        Ident = 0;
        FirstActReg = 0;
        INFOWindow = PARAMETERWindow = CAMWindow = nullptr;
        before();
        xphost::attach(LinkedPlugin());
        ASSERT_EQ(xphost::start(), 1);
        ASSERT_EQ(xphost::enable(), 1);
    }
};

TEST_F(Published, EachReadsThePluginsFigureOfTheMoment)
{
    EXPECT_EQ(Sorted(xphost::published_datarefs()), Sorted(AllNames()));
    for (const Figure& f : Figures()) {
        SCOPED_TRACE(f.name);
        XPLMDataRef ref = XPLMFindDataRef(f.name);
        ASSERT_NE(ref, nullptr);
        EXPECT_EQ(XPLMGetDataRefTypes(ref), f.type);
        for (float v : {3.0f, 7.0f, 0.0f}) {
            f.set(v);
            EXPECT_EQ(Read(ref, f.type), v);
        }
    }

    // The zoom phase is -1 whenever the zoom autopilot is off, whatever phase it stopped in.
    XPLMDataRef phase = XPLMFindDataRef("QZTgov/zoom/phase");
    zoom_on = 4;
    SHOISTactive = 0;
    EXPECT_EQ(XPLMGetDatai(phase), -1);
    SHOISTactive = 1;
    EXPECT_EQ(XPLMGetDatai(phase), 4);
}

// The page's five lines: three message lines, the bay line, the water line.
// A reader's offset and count are never trusted.
TEST_F(Published, PanelMessagesAreAnArrayOfFiveReadWithinBounds)
{
    XPLMDataRef ref = XPLMFindDataRef(PanelMessages);
    ASSERT_NE(ref, nullptr);
    EXPECT_EQ(XPLMGetDataRefTypes(ref), xplmType_IntArray);
    system21mes = 28;
    system22mes = 35;
    system23mes = 0;
    system24mes = 11;
    system25mes = 17;

    EXPECT_EQ(XPLMGetDatavi(ref, nullptr, 0, 0), 5);
    int out[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    EXPECT_EQ(XPLMGetDatavi(ref, out, 0, 8), 5);
    EXPECT_EQ(std::vector<int>(out, out + 6), (std::vector<int>{28, 35, 0, 11, 17, -1}));
    int two[2] = {-1, -1};
    EXPECT_EQ(XPLMGetDatavi(ref, two, 3, 2), 2);
    EXPECT_EQ(two[0], 11);
    EXPECT_EQ(two[1], 17);
    int guard[2] = {-1, -1};
    EXPECT_EQ(XPLMGetDatavi(ref, guard, 4, 1), 1);
    EXPECT_EQ(guard[1], -1);
    for (auto [offset, max] : {std::pair{5, 1}, {-1, 3}, {2, 0}, {0, -4}, {1 << 30, 1 << 30}})
        EXPECT_EQ(XPLMGetDatavi(ref, guard, offset, max), 0) << offset << " " << max;
    EXPECT_EQ(guard[0], 17);

    system22mes = 36;                                  // of the moment, also for arrays
    EXPECT_EQ(xphost::get_vi(PanelMessages), (std::vector<int>{28, 36, 0, 11, 17}));
}

// Through a real load: the slot follows the user's aircraft, not AI aircraft.
TEST_F(Published, SlotFollowsTheUsersAircraft)
{
    XPLMDataRef slot = XPLMFindDataRef("QZTgov/slot");
    EXPECT_EQ(XPLMGetDatai(slot), 0);
    xphost::load_aircraft("QZT Skyhoist orbital carrier");
    EXPECT_EQ(XPLMGetDatai(slot), 37);
    xphost::load_ai_aircraft(3);
    EXPECT_EQ(XPLMGetDatai(slot), 37);
    xphost::load_aircraft("Some other maker's glider");
    EXPECT_EQ(XPLMGetDatai(slot), 0);
}

TEST_F(Published, WritesAreRefused)
{
    for (const std::string& name : AllNames()) {
        SCOPED_TRACE(name);
        XPLMDataRef ref = XPLMFindDataRef(name.c_str());
        EXPECT_EQ(XPLMCanWriteDataRef(ref), 0);
    }
    Ident = 37;
    m_jettison = 500.0f;
    system21mes = 28;
    XPLMSetDatai(XPLMFindDataRef("QZTgov/slot"), 5);
    XPLMSetDataf(XPLMFindDataRef("QZTgov/water/mass"), 0.0f);
    int zeros[5] = {};
    XPLMSetDatavi(XPLMFindDataRef(PanelMessages), zeros, 0, 5);
    EXPECT_EQ(Ident, 37);
    EXPECT_EQ(m_jettison, 500.0f);
    EXPECT_EQ(system21mes, 28);
    ASSERT_EQ(xphost::writes().size(), 3u);
    for (const auto& w : xphost::writes())
        EXPECT_FALSE(w.accepted) << w.path;
}

// Stop takes every name back; a new start publishes them again.
TEST_F(Published, GoneAtStopAndBackAtTheNextStart)
{
    std::vector<XPLMDataRef> held;
    for (const std::string& name : AllNames())
        held.push_back(XPLMFindDataRef(name.c_str()));
    Ident = 37;

    xphost::disable();
    xphost::stop();
    EXPECT_TRUE(xphost::published_datarefs().empty());
    for (const std::string& name : AllNames())
        EXPECT_EQ(XPLMFindDataRef(name.c_str()), nullptr) << name;
    EXPECT_EQ(XPLMGetDatai(held[0]), 0);                 // an old handle reads nothing
    EXPECT_EQ(xphost::loop_registrations(AnnounceDataRefs), 0);

    ASSERT_EQ(xphost::start(), 1);
    EXPECT_TRUE(xphost::refused_registrations().empty());
    EXPECT_EQ(Sorted(xphost::published_datarefs()), Sorted(AllNames()));
    // the stop let the model go: none is recognised until the next load
    EXPECT_EQ(XPLMGetDatai(XPLMFindDataRef("QZTgov/slot")), 0);
    EXPECT_EQ(xphost::loop_registrations(AnnounceDataRefs), 1);
}

// A name someone else holds already: the plug-in says so, publishes the rest,
// never announces or unregisters what is not its own.
TEST_F(Published, ANameTakenByAnotherIsLeftAlone)
{
    XPLMPluginID dre = XPLM_NO_PLUGIN_ID;
    Fresh([&] {
        xphost::publish({"QZTgov/camera/zoom", xplmType_Float, 1, false});
        xphost::set_f("QZTgov/camera/zoom", 2.5f);
        dre = xphost::load_other_plugin(DataRefEditor);
    });
    xphost::run_frame();

    std::vector<std::string> expected = AllNames();
    expected.erase(std::find(expected.begin(), expected.end(), "QZTgov/camera/zoom"));
    EXPECT_EQ(Sorted(xphost::published_datarefs()), Sorted(expected));
    EXPECT_EQ(Sorted(NamesSentTo(dre)), Sorted(expected));
    bool logged = false;
    for (const auto& line : xphost::debug_log())
        logged |= line.find("cannot publish QZTgov/camera/zoom") != std::string::npos;
    EXPECT_TRUE(logged);

    xphost::stop();
    EXPECT_TRUE(xphost::is_published("QZTgov/camera/zoom"));
    EXPECT_EQ(xphost::get_f("QZTgov/camera/zoom"), 2.5f);
}

// The browsers hear of each name once, on the first frame after start (when
// the simulator has loaded every plug-in), and only those that are loaded.
TEST_F(Published, BrowsersThatAreLoadedHearEachNameOnce)
{
    // No browser: nothing is sent to anyone.
    xphost::advance(2.0);
    EXPECT_TRUE(xphost::sent_messages().empty());

    // Only DataRef Editor, loaded after this plug-in started.
    Fresh();
    EXPECT_TRUE(xphost::sent_messages().empty());        // not from inside start
    const XPLMPluginID dre = xphost::load_other_plugin(DataRefEditor);
    xphost::run_frame();
    EXPECT_EQ(Sorted(NamesSentTo(dre)), Sorted(AllNames()));
    xphost::advance(5.0);
    xphost::load_aircraft("QZT Skyhoist orbital carrier");
    xphost::advance(5.0);
    EXPECT_EQ(NamesSentTo(dre).size(), AllNames().size());
    for (const auto& m : xphost::sent_messages())
        EXPECT_EQ(m.to, dre);

    // Both browsers.
    XPLMPluginID tool = XPLM_NO_PLUGIN_ID, editor = XPLM_NO_PLUGIN_ID;
    Fresh([&] {
        tool = xphost::load_other_plugin(DataRefTool);
        editor = xphost::load_other_plugin(DataRefEditor);
    });
    xphost::advance(3.0);
    EXPECT_EQ(Sorted(NamesSentTo(tool)), Sorted(AllNames()));
    EXPECT_EQ(Sorted(NamesSentTo(editor)), Sorted(AllNames()));
    EXPECT_EQ(xphost::sent_messages().size(), 2 * AllNames().size());

    // A new start announces again, once.
    xphost::stop();
    ASSERT_EQ(xphost::start(), 1);
    ASSERT_EQ(xphost::enable(), 1);
    xphost::advance(3.0);
    EXPECT_EQ(NamesSentTo(tool).size(), 2 * AllNames().size());
}

}  // namespace
