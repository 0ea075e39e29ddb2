// The Mac build: the host's colon-separated folder becomes a path the C
// library can open; the Korva payloads are those of Linux.
#include <filesystem>
#include <string>
#include "support/prefs_fixture.h"
#include "support/write_log.h"

namespace fs = std::filesystem;

namespace {

using MacPrefs = PrefsTest;

TEST_F(MacPrefs, ColonPathIsOpenedBelowVolumes)
{
    xphost::set_system_path("Macintosh HD:Users:pilot:X-Plane 9:");
    Start();
    EXPECT_EQ(std::string(outputPath),
              "/Volumes/Macintosh HD/Users/pilot/X-Plane 9/Resources/Plugins/QZTgov_Preferences.txt");
    // No such folder here: the defaults stay in memory.
    EXPECT_EQ(QZTkey, 115);
    EXPECT_EQ(INDEXtostore, 1);
}

// A '/' inside a folder name is a ':' in the other form.
TEST_F(MacPrefs, SlashInAFolderName)
{
    xphost::set_system_path("Disk:Sims 10/2024:X-Plane:");
    Start();
    EXPECT_EQ(std::string(outputPath), "/Volumes/Disk/Sims 10:2024/X-Plane/Resources/Plugins/QZTgov_Preferences.txt");
}

// A host that already gives a POSIX folder gets only our own part turned.
TEST_F(MacPrefs, PosixFolderIsUsedAsGiven)
{
    fs::create_directories(xphost::system_path() + "Resources/Plugins");
    const std::string path = xphost::system_path() + "Resources/Plugins/QZTgov_Preferences.txt";
    Start();
    EXPECT_EQ(std::string(outputPath), path);
    EXPECT_EQ(ReadWholeFile(path), DefaultPreferencesText());
    EXPECT_EQ(INDEXtostore, 1);
}

// The bound applies to the converted path, which is 9 characters longer.
TEST_F(MacPrefs, BoundAppliesAfterConversion)
{
    const size_t relative = std::string("Resources:Plugins:QZTgov_Preferences.txt").size();
    xphost::set_system_path(std::string(254 - 9 - relative - 1, 'm') + ":");
    Start();
    EXPECT_EQ(std::string(outputPath).size(), 254u);

    SetUp();
    xphost::set_system_path(std::string(255 - 9 - relative - 1, 'm') + ":");
    Start();
    EXPECT_EQ(outputPath[0], '\0');
    EXPECT_EQ(INDEXtostore, 1);
}

using MacFirstAction = PluginTest;

TEST_F(MacFirstAction, KorvaPayloads)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(FirstActionPayload("QZT Korva K-2T turbo twin"), Lines{"m_fixed: 330"});
    EXPECT_EQ(FirstActionPayload("QZT Korva K-4 trainer twin"), Lines{"m_fixed: 180"});
}

}  // namespace
