// What the plug-in writes to the simulator's log: its version at start, the
// simulator variables a host lacks, the model recognised at each load, the
// preferences file's failures with the system's reason; each a bounded line
// of its own, and nothing while it flies.
#include <filesystem>
#include <string>
#include <vector>

#include "support/prefs_fixture.h"
#include "carrier/carrier.h"
#include "frame/log.h"
#include "prefs/prefs.h"

namespace fs = std::filesystem;

namespace {

const std::string PrefsFile() { return xphost::system_path() + "Resources/plugins/QZTgov_Preferences.txt"; }

// Lines containing `text`.
std::vector<std::string> LinesWith(const std::string& text)
{
    std::vector<std::string> out;
    for (const auto& line : xphost::debug_log())
        if (line.find(text) != std::string::npos)
            out.push_back(line);
    return out;
}

class Log : public PrefsTest {
protected:
    void TearDown() override
    {
        // Every line, whatever wrote it: our prefix, one line, bounded.
        for (const auto& line : xphost::debug_log()) {
            EXPECT_EQ(line.rfind("QZTgov: ", 0), 0u) << line;
            ASSERT_FALSE(line.empty());
            EXPECT_EQ(line.back(), '\n') << line;
            EXPECT_EQ(line.find('\n'), line.size() - 1) << line;
            EXPECT_LT(line.size(), size_t(LogLineLen)) << line;
        }
    }
};

TEST_F(Log, StartSaysTheVersionAndNothingElseOnAHostWithEverything)
{
    Start();
    ASSERT_EQ(xphost::debug_log().size(), 1u) << xphost::debug_log().back();
    EXPECT_EQ(xphost::debug_log()[0], "QZTgov: version 1.20 for Linux starting\n");
}

// Each variable the simulator lacks is named once; the empty slots of the
// array tables are not variables.
TEST_F(Log, MissingSimulatorVariablesAreNamedOnceAtStart)
{
    xphost::withdraw("sim/flightmodel/misc/machno");
    xphost::withdraw("sim/weapons/type");
    Start();
    EXPECT_EQ(LinesWith("does not publish").size(), 2u);
    EXPECT_EQ(LinesWith("sim/flightmodel/misc/machno").size(), 1u);
    ASSERT_EQ(LinesWith("sim/weapons/type").size(), 1u);
    EXPECT_EQ(LinesWith("sim/weapons/type")[0],
              "QZTgov: the simulator does not publish sim/weapons/type; what uses it will not work\n");
}

TEST_F(Log, EachUserAircraftLoadSaysWhatWasRecognised)
{
    Start();
    xphost::load_aircraft("QZT Skyhoist orbital carrier, export version");
    xphost::load_ai_aircraft(2);                       // AI aircraft: nothing
    xphost::load_aircraft("QZT Windling motor hang glider");
    xphost::load_aircraft("Laminar Research Cessna 172SP, the classic four-seat trainer");
    const std::vector<std::string> loads(xphost::debug_log().begin() + 1, xphost::debug_log().end());
    EXPECT_EQ(loads, (std::vector<std::string>{
                         "QZTgov: user aircraft recognised: slot 37, Skyhoist carrier\n",
                         "QZTgov: user aircraft recognised: slot 7, Windling motor glider\n",
                         "QZTgov: no QZT model recognised in the aircraft's description "
                         "\"Laminar Research Cessna 172SP, the class\"\n",
                     }));
}

// A description is the aircraft file's text: its control characters cannot
// make a line of their own in the log.
TEST_F(Log, TextFromTheHostCannotForgeALine)
{
    Start();
    xphost::load_aircraft("Evil\nQZTgov: release stored\r\t");
    EXPECT_EQ(xphost::debug_log().back(),
              "QZTgov: no QZT model recognised in the aircraft's description \"Evil?QZTgov: release stored??\"\n");
}

TEST_F(Log, LongLinesAreCutAndMarked)
{
    const std::string text(1000, 'x');
    LogLine("%s", text.c_str());
    const std::string& line = xphost::debug_log().back();
    EXPECT_EQ(line.size(), size_t(LogLineLen) - 1);
    EXPECT_EQ(line.substr(line.size() - 4), "...\n");
    LogLine("%s", "");
    EXPECT_EQ(xphost::debug_log().back(), "QZTgov: \n");
}

// The preferences file's failures, each with the system's reason and what it
// means for the user.
TEST_F(Log, PreferencesFailuresGiveTheSystemsReason)
{
    Start();
    const size_t before = xphost::debug_log().size();

    fs::create_directory(PrefsFile() + ".tmp");       // the temporary file cannot be created
    PreferencesSave();
    fs::remove(PrefsFile() + ".tmp");
    fs::create_symlink("/dev/full", PrefsFile() + ".tmp");   // the disk is full
    PreferencesSave();
    PreferencesSave();                                 // and a save that works says nothing
    const std::vector<std::string> saves(xphost::debug_log().begin() + long(before), xphost::debug_log().end());
    EXPECT_EQ(saves, (std::vector<std::string>{
                         "QZTgov: cannot create the preferences file's new copy; the file is left as it was (" + PrefsFile() + ".tmp: Is a directory)\n",
                         "QZTgov: cannot write the preferences file's new copy; the file is left as it was (" + PrefsFile() + ".tmp: No space left on device)\n",
                     }));

    // A file that is there but cannot be read.
    SetUp();
    fs::create_directory(PrefsFile());
    Start();
    EXPECT_EQ(LinesWith("cannot read the preferences file; running on the values in memory, the file is left alone (" + PrefsFile() + ": Is a directory)").size(), 1u);

    // No folder to keep it in: the save and the read-back both say why.
    SetUp();
    fs::remove_all(xphost::system_path() + "Resources");
    Start();
    EXPECT_EQ(LinesWith("new copy; the file is left as it was (" + PrefsFile() + ".tmp: No such file or directory)").size(), 1u);
    EXPECT_EQ(LinesWith("cannot open the preferences file; running on the values in memory, the file is left alone (" + PrefsFile() + ": No such file or directory)").size(), 1u);

    SetUp();
    xphost::set_system_path(std::string(1100, 'p'));
    Start();
    EXPECT_EQ(LinesWith("the simulator's folder fills the whole 1024-byte path buffer; the preferences file is neither "
                        "read nor saved, running on the defaults (pppp").size(), 1u);
}

// Flying writes nothing to the log: a minute of the carrier's loop, drawing
// and windows, and another minute with its zoom master on.
TEST_F(Log, NothingWhileFlying)
{
    Start();
    ASSERT_EQ(xphost::enable(), 1);
    xphost::set_vi("sim/weapons/type", {0, 19, 9});
    xphost::set_i("sim/cockpit/switches/puffers_on", 1);
    xphost::load_aircraft("QZT Skyhoist orbital carrier");
    const size_t before = xphost::debug_log().size();
    xphost::advance(60.0);
    xphost::set_f("sim/flightmodel/misc/h_ind", 20000.0f);
    xphost::set_f("sim/flightmodel/misc/machno", 2.0f);
    xphost::set_i("sim/cockpit/switches/prop_sync_on", 1);
    xphost::advance(60.0);
    EXPECT_GT(xphost::loop_calls(CheckSkyhoist), 1000);
    EXPECT_EQ(xphost::debug_log().size(), before);
}

}  // namespace
