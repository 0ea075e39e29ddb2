// The built plug-in file, loaded as the simulator loads it: the figures it
// publishes, their announcement to a dataref browser, and its log lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "XPLMDataAccess.h"
#include "xphost.h"

namespace {

bool Logged(const std::string& line)
{
    const auto& log = xphost::debug_log();
    return std::find(log.begin(), log.end(), line) != log.end();
}

TEST(BuiltFilePublishes, ReadOnlyFiguresAnnouncedOnceAndGoneAtStop)
{
    xphost::reset();
    xphost::withdraw("sim/cockpit/switches/ECAM_mode");   // an older simulator without it
    const XPLMPluginID editor = xphost::load_other_plugin("xplanesdk.examples.DataRefEditor");
    std::string error;
    ASSERT_TRUE(xphost::load_plugin(QZT_PLUGIN_FILE, &error)) << error;
    ASSERT_EQ(xphost::start(), 1);
    ASSERT_EQ(xphost::enable(), 1);
    EXPECT_EQ(xphost::debug_log().at(0), "QZTgov: version 1.20 for Linux starting\n");
    EXPECT_TRUE(Logged("QZTgov: the simulator does not publish sim/cockpit/switches/ECAM_mode; what uses it will "
                       "not work\n"));

    const std::vector<std::string> names = xphost::published_datarefs();
    EXPECT_EQ(names.size(), 11u);
    EXPECT_TRUE(xphost::sent_messages().empty());
    xphost::advance(1.0);
    std::vector<std::string> announced;
    for (const auto& m : xphost::messages_to(editor))
        announced.push_back(m.text);
    EXPECT_EQ(announced, names);

    XPLMDataRef slot = XPLMFindDataRef("QZTgov/slot");
    XPLMDataRef phase = XPLMFindDataRef("QZTgov/zoom/phase");
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(XPLMGetDatai(slot), 0);
    xphost::load_aircraft("QZT Skyhoist orbital carrier");
    EXPECT_TRUE(Logged("QZTgov: user aircraft recognised: slot 37, Skyhoist carrier\n"));
    xphost::advance(6.0);
    EXPECT_EQ(XPLMGetDatai(slot), 37);
    EXPECT_EQ(XPLMGetDatai(phase), -1);
    EXPECT_EQ(xphost::get_vi("QZTgov/panel/messages").size(), 5u);
    XPLMSetDatai(slot, 3);
    EXPECT_EQ(XPLMGetDatai(slot), 37);

    xphost::disable();
    xphost::stop();
    EXPECT_TRUE(xphost::published_datarefs().empty());
    EXPECT_EQ(XPLMFindDataRef("QZTgov/slot"), nullptr);
    EXPECT_EQ(XPLMGetDatai(slot), 0);
    EXPECT_EQ(xphost::messages_to(editor).size(), names.size());
    for (const auto& m : xphost::type_mismatches())
        ADD_FAILURE() << m.call << " on " << m.path;
    xphost::reset();                                       // closes the file
}

}  // namespace
