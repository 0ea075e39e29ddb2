// The built plug-in file, loaded as the simulator loads it: the preferences
// file of a first start, recognition, preset and the first action.
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>
#include <string>
#include "xphost.h"
#include "support/built_file.h"
#include "support/write_log.h"

namespace {

class BuiltFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartBuiltFile());
    }
};

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(BuiltFile, FirstStartWritesThePreferencesFile)
{
    const std::string text = ReadAll(xphost::system_path() + "Resources/plugins/QZTgov_Preferences.txt");
    EXPECT_EQ(text.substr(0, 23), "120 \n115 \n1 0 0 0 0 0 \n");
    EXPECT_EQ(text.substr(text.size() - 6), "0 \n0 \n");
}

TEST_F(BuiltFile, LoadPresetAndFirstAction)
{
    xphost::load_aircraft("QZTdesign QZT Veyra JATO bomber");
    EXPECT_EQ(WriteLines(), (std::vector<std::string>{"ENGN_thro_use: 1 1", "acf_throtmax_FWD: 1"}));
    xphost::advance(6.0);
    const auto fuel = WriteLines(0, {"sim/flightmodel/weight/m_fuel1", "sim/flightmodel/weight/m_fuel2",
                                     "sim/flightmodel/weight/m_fuel3"});
    EXPECT_EQ(fuel, (std::vector<std::string>{"m_fuel1: 442.867554", "m_fuel2: 664.966309", "m_fuel3: 442.867554"}));
    EXPECT_EQ(xphost::writes_to("sim/cockpit/electrical/nav_lights_on").size(), 1u);
}

TEST_F(BuiltFile, AnotherMakersAircraftGetsNothing)
{
    xphost::load_aircraft("Piper PA-44 Seminole");
    xphost::advance(6.0);
    EXPECT_TRUE(xphost::windows().empty());
    EXPECT_TRUE(xphost::writes_to("sim/cockpit/electrical/nav_lights_on").empty());
}

}  // namespace
