// The preferences file: its exact text, reading back, damaged and hostile
// files, the path bound, and saves that cannot complete.
#include <filesystem>
#include <limits>
#include <string>
#include "support/prefs_fixture.h"

namespace fs = std::filesystem;

namespace {

const char* const Relative = "Resources/plugins/QZTgov_Preferences.txt";

std::string PrefsFile() { return xphost::system_path() + Relative; }

// The default text ending in this tail instead of its index and chosen record
// ("3" is a file from before the choice was kept, "3 \n7" one with it).
std::string WithIndex(const std::string& tail)
{
    std::string text = DefaultPreferencesText();
    return text.substr(0, text.size() - 6) + tail + " \n";
}

// The default text with lines 1 to 3 replaced.
std::string WithHead(const std::string& head)
{
    std::string text = DefaultPreferencesText();
    return head + text.substr(text.find("30.000000"));
}

using Prefs = PrefsTest;

TEST_F(Prefs, FirstStartCreatesTheDefaultFileAndReadsItBack)
{
    Start();
    EXPECT_EQ(std::string(outputPath), PrefsFile());
    EXPECT_EQ(ReadWholeFile(PrefsFile()), DefaultPreferencesText());
    EXPECT_FALSE(fs::exists(PrefsFile() + ".tmp"));
    EXPECT_EQ(qzt_vers_pref, 120);
    EXPECT_EQ(QZTkey, 115);
    EXPECT_EQ(QZTkey1, 115);
    EXPECT_EQ(showInitialInfo1, 1);
    EXPECT_EQ(orbindex_active, 0);
    EXPECT_EQ(orbindex_last, 0);
    EXPECT_EQ(INDEXtostore, 1);
    EXPECT_EQ(orb_latitude[0], 30.0);
    EXPECT_EQ(orb_elevation[0], 100000.0);
    EXPECT_EQ(orb_head[0], 90.0f);
}

// Each start stores into the record after the one the file names; after 10
// it starts again at 1, and record 0 is never a target. The orbiter starts
// from the record chosen in the dialog, or without one (a file written before
// the choice was kept) from the latest release.
TEST_F(Prefs, StoredIndexPicksTheNextRecordAndTheChosenOneTheStart)
{
    const struct { const char* tail; int last, active, next; } cases[] = {
        {"0", 0, 0, 1}, {"3", 3, 3, 4}, {"9", 9, 9, 10}, {"10", 10, 10, 1},
        // out of range: treated as no record stored yet
        {"11", 0, 0, 1}, {"-2", 0, 0, 1}, {"2147483647", 0, 0, 1},
        {"3 \n7", 3, 7, 4}, {"10 \n0", 10, 0, 1}, {"0 \n10", 0, 10, 1},
        // a choice outside the table, or none that is a number, is the latest release
        {"3 \n11", 3, 3, 4}, {"3 \n-1", 3, 3, 4}, {"3 \nx", 3, 3, 4}, {"12 \n5", 0, 5, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tail);
        SetUp();
        WriteWholeFile(PrefsFile(), WithIndex(c.tail));
        Start();
        EXPECT_EQ(orbindex_last, c.last);
        EXPECT_EQ(orbindex_active, c.active);
        EXPECT_EQ(INDEXtostore, c.next);
    }
}

TEST_F(Prefs, SettingsAndWorkingCopiesFromTheFile)
{
    WriteWholeFile(PrefsFile(), WithHead("119 \n97 \n0 1 1 1 1 2 \n"));
    Start();
    EXPECT_EQ(qzt_vers_pref, 119);
    EXPECT_EQ(qzt_vers, 120);
    EXPECT_EQ(QZTkey, 97);
    EXPECT_EQ(QZTkey1, 97);
    EXPECT_EQ(showInitialInfo + showInitialInfo1, 0);
    EXPECT_EQ(showFeetAP + autoGear + autoFlaps + autoEngineRam, 4);
    EXPECT_EQ(showFeetAP1 + autoGear1 + autoFlaps1 + autoEngineRam1, 4);
    EXPECT_EQ(Halv_TO_mode, 2);
    EXPECT_EQ(Halv_TO_mode1, 2);
}

// Out-of-range settings take their defaults; flags are 0 or 1 whatever the
// number; the reading goes on after a replaced value.
TEST_F(Prefs, BadSettingsTakeTheirDefaults)
{
    const struct { const char* head; int key, mode; } cases[] = {
        {"120 \n300 \n1 0 0 0 0 7 \n", 115, 0},
        {"120 \n-1 \n1 0 0 0 0 -1 \n", 115, 0},
        {"120 \n256 \n1 0 0 0 0 4 \n", 115, 0},
        {"120 \n0 \n1 0 0 0 0 0 \n", 0, 0},
        {"120 \n255 \n1 0 0 0 0 3 \n", 255, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.head);
        SetUp();
        WriteWholeFile(PrefsFile(), WithHead(c.head));
        Start();
        EXPECT_EQ(QZTkey, c.key);
        EXPECT_EQ(QZTkey1, c.key);
        EXPECT_EQ(Halv_TO_mode, c.mode);
        EXPECT_EQ(Halv_TO_mode1, c.mode);
        EXPECT_EQ(orb_latitude[0], 30.0);      // reading went on
    }

    SetUp();
    WriteWholeFile(PrefsFile(), WithHead("120 \n115 \n2 -1 256 0 7 0 \n"));
    Start();
    EXPECT_EQ(showInitialInfo, 1);
    EXPECT_EQ(showFeetAP, 1);
    EXPECT_EQ(autoGear, 1);
    EXPECT_EQ(autoFlaps, 0);
    EXPECT_EQ(autoEngineRam, 1);
}

TEST_F(Prefs, NonFiniteNumbersBecomeZero)
{
    std::string text = "120 \n115 \n1 0 0 0 0 0 \n";
    text += "nan inf -inf 1.5 NAN 2.5 INF 0 0 0 15 0 90 7.5 \n";
    for (int i = 1; i < 11; ++i)
        text += "1 2 3 4 5 6 7 8 9 10 11 12 13 14 \n";
    text += "4 \n";
    WriteWholeFile(PrefsFile(), text);
    Start();
    EXPECT_EQ(orb_latitude[0], 0.0);
    EXPECT_EQ(orb_longitude[0], 0.0);
    EXPECT_EQ(orb_elevation[0], 0.0);
    EXPECT_EQ(orb_local_vx[0], 1.5f);
    EXPECT_EQ(orb_local_vy[0], 0.0f);
    EXPECT_EQ(orb_local_vz[0], 2.5f);
    EXPECT_EQ(orb_quaternion[0][0], 0.0f);
    EXPECT_EQ(orb_speed[0], 7.5f);
    EXPECT_EQ(orb_latitude[10], 1.0);
    EXPECT_EQ(orb_quaternion[10][3], 10.0f);
    EXPECT_EQ(orb_speed[10], 14.0f);
    EXPECT_EQ(INDEXtostore, 5);
}

// Numbers beyond int are bad values, never wrapped: with a plain %d read,
// 4294967393 came out as key 97 and 4294967301 as stored record 5.
TEST_F(Prefs, NumbersBeyondIntAreBadValues)
{
    const std::string huge = "1" + std::string(40, '0');
    std::string text = WithHead("-99999999999 \n4294967393 \n4294967296 0 0 0 " + huge + " 4294967298 \n");
    text = text.substr(0, text.size() - 6) + "4294967301 \n";
    WriteWholeFile(PrefsFile(), text);
    Start();
    EXPECT_EQ(qzt_vers_pref, 0);            // a version beyond int is not taken
    EXPECT_EQ(QZTkey, 115);
    EXPECT_EQ(showInitialInfo, 1);           // a number beyond int is still not 0
    EXPECT_EQ(autoEngineRam, 1);
    EXPECT_EQ(Halv_TO_mode, 0);
    EXPECT_EQ(orbindex_active, 0);
    EXPECT_EQ(INDEXtostore, 1);
    EXPECT_EQ(orb_head[0], 90.0f);          // reading went on

    for (const char* index : {"2147483648", "-2147483649", "18446744073709551621", "-9223372036854775809"}) {
        SCOPED_TRACE(index);
        SetUp();
        WriteWholeFile(PrefsFile(), WithIndex(index));
        Start();
        EXPECT_EQ(orbindex_active, 0);
        EXPECT_EQ(INDEXtostore, 1);
    }
}

// A value glued to other characters, or longer than any number the plug-in
// writes, is not a number: reading stops there.
TEST_F(Prefs, ANumberMustBeTheWholeWord)
{
    WriteWholeFile(PrefsFile(), WithHead("120 \n97 \n0 1 1x 1 1 3 \n"));
    Start();
    EXPECT_EQ(QZTkey, 97);
    EXPECT_EQ(showFeetAP, 1);
    EXPECT_EQ(autoGear, 0);
    EXPECT_EQ(Halv_TO_mode, 0);

    SetUp();
    std::string text = DefaultPreferencesText();
    text.replace(text.find("30.000000"), 9, std::string(401, '3'));
    WriteWholeFile(PrefsFile(), text);
    Start();
    EXPECT_EQ(orb_latitude[0], 30.0);        // memory's value stays
    EXPECT_EQ(INDEXtostore, 1);

    // A file beyond the 64 KiB read at once: a number cut at that edge is not
    // taken for a shorter one (the key here would have read as 9).
    SetUp();
    std::string padded = "120 \n";
    padded += std::string(65535 - padded.size(), ' ') + "97 \n1 0 0 0 0 0 \n";
    WriteWholeFile(PrefsFile(), padded);
    Start();
    EXPECT_EQ(qzt_vers_pref, 120);
    EXPECT_EQ(QZTkey, 0);                    // missing, as in a file too short to hold it
    EXPECT_EQ(PrefsFailure, nullptr);

    // The widest value the plug-in writes is read back.
    SetUp();
    Start();
    orb_elevation[4] = 1e300;
    orb_speed[4] = -3e38f;
    orbindex_last = 4;
    PreferencesSave();
    ResetPreferenceGlobals();
    PreferencesLoad();
    EXPECT_EQ(orb_elevation[4], 1e300);
    EXPECT_EQ(orb_speed[4], -3e38f);
    EXPECT_EQ(INDEXtostore, 5);
    EXPECT_EQ(PrefsFailure, nullptr);
}

// A release stored from a host that gave NaN must not put words into a file
// of numbers; it is written as the 0 that reading it back would give.
TEST_F(Prefs, ValuesThatAreNotFiniteAreWrittenAsZero)
{
    Start();
    orb_latitude[2] = std::numeric_limits<double>::quiet_NaN();
    orb_elevation[2] = -std::numeric_limits<double>::infinity();
    orb_local_vy[2] = std::numeric_limits<float>::infinity();
    orb_quaternion[2][3] = std::numeric_limits<float>::quiet_NaN();
    orb_longitude[2] = 7.5;
    PreferencesSave();
    const std::string text = ReadWholeFile(PrefsFile());
    EXPECT_EQ(text.find("nan"), std::string::npos);
    EXPECT_EQ(text.find("inf"), std::string::npos);
    EXPECT_NE(text.find("\n0.000000 7.500000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 "
                        "0.000000 0.000000 0.000000 0.000000 0.000000 \n"),
              std::string::npos);
}

// A short file sets what it holds; the key is then 0 (no key) when line 2 is
// missing, every later value keeps what memory held.
TEST_F(Prefs, ShortFileKeepsLaterValues)
{
    autoGear = 1;
    WriteWholeFile(PrefsFile(), "121 \n");
    Start();
    EXPECT_EQ(qzt_vers_pref, 121);
    EXPECT_EQ(QZTkey, 0);
    EXPECT_EQ(QZTkey1, 0);
    EXPECT_EQ(showInitialInfo, 1);
    EXPECT_EQ(autoGear, 1);
    EXPECT_EQ(autoGear1, 1);
    EXPECT_EQ(orb_latitude[0], 30.0);
    EXPECT_EQ(orb_head[0], 90.0f);
    EXPECT_EQ(INDEXtostore, 1);
    EXPECT_EQ(ReadWholeFile(PrefsFile()), "121 \n");   // reading never writes

    // Cut inside record 1: record 0 and the first two values of record 1 arrive.
    SetUp();
    std::string text = DefaultPreferencesText();
    text = text.substr(0, text.find("\n", text.find("30.000000")) + 1) + "11.5 22.5 33";
    WriteWholeFile(PrefsFile(), text);
    orb_elevation[1] = 7.0;
    Start();
    EXPECT_EQ(orb_latitude[1], 11.5);
    EXPECT_EQ(orb_longitude[1], 22.5);
    EXPECT_EQ(orb_elevation[1], 33.0);
    EXPECT_EQ(orb_local_vx[1], 0.0f);
    EXPECT_EQ(INDEXtostore, 1);
}

// Something that is not a number stops the reading there, as a missing value does.
TEST_F(Prefs, GarbageStopsTheReading)
{
    WriteWholeFile(PrefsFile(), WithHead("120 \n97 \n0 x 1 1 1 3 \n"));
    Start();
    EXPECT_EQ(QZTkey, 97);
    EXPECT_EQ(showInitialInfo, 0);
    EXPECT_EQ(autoGear, 0);
    EXPECT_EQ(Halv_TO_mode, 0);
    EXPECT_EQ(orb_latitude[0], 30.0);
    EXPECT_EQ(INDEXtostore, 1);
}

// Saving writes the committed settings, not the working copies, the same
// text twice in one run, the latest release's record and the chosen one; the
// next start stores one record further and starts from the chosen one.
TEST_F(Prefs, SaveAndReadBack)
{
    Start();
    QZTkey = 100;
    QZTkey1 = 50;
    showFeetAP = 1;
    Halv_TO_mode = 3;
    orb_latitude[3] = 12.5;
    orb_longitude[3] = -45.25;
    orb_elevation[3] = 81234.5;
    orb_local_vx[3] = 1234.5f;
    orb_quaternion[3][2] = -0.5f;
    orb_speed[3] = 2.25f;
    orbindex_last = 3;
    orbindex_active = 8;
    PreferencesSave();
    const std::string once = ReadWholeFile(PrefsFile());
    PreferencesSave();
    EXPECT_EQ(ReadWholeFile(PrefsFile()), once);
    EXPECT_FALSE(fs::exists(PrefsFile() + ".tmp"));
    EXPECT_EQ(once.substr(0, 23), "120 \n100 \n1 1 0 0 0 3 \n");
    EXPECT_NE(once.find("\n12.500000 -45.250000 81234.500000 1234.500000 0.000000 0.000000 0.000000 0.000000 "
                        "-0.500000 0.000000 0.000000 0.000000 0.000000 2.250000 \n"),
              std::string::npos);
    EXPECT_EQ(once.substr(once.size() - 6), "3 \n8 \n");

    ResetPreferenceGlobals();
    PreferencesLoad();
    EXPECT_EQ(QZTkey, 100);
    EXPECT_EQ(QZTkey1, 100);
    EXPECT_EQ(Halv_TO_mode1, 3);
    EXPECT_EQ(orb_longitude[3], -45.25);
    EXPECT_EQ(orb_quaternion[3][2], -0.5f);
    EXPECT_EQ(orbindex_last, 3);
    EXPECT_EQ(orbindex_active, 8);
    EXPECT_EQ(INDEXtostore, 4);
}

// A run without a release leaves the index where it was: the next run stores
// into the record after the latest release, none is skipped. (Saving the
// record this run would fill made every save without a release skip one.)
TEST_F(Prefs, SaveWithoutAReleaseKeepsTheIndex)
{
    WriteWholeFile(PrefsFile(), WithIndex("3"));
    Start();
    ASSERT_EQ(INDEXtostore, 4);
    PreferencesSave();
    EXPECT_EQ(ReadWholeFile(PrefsFile()), WithIndex("3 \n3"));
    for (int run = 0; run < 3; ++run) {
        ResetPreferenceGlobals();
        PreferencesLoad();
        PreferencesSave();
    }
    EXPECT_EQ(orbindex_last, 3);
    EXPECT_EQ(INDEXtostore, 4);
    EXPECT_EQ(ReadWholeFile(PrefsFile()), WithIndex("3 \n3"));
}

// A save that cannot finish leaves the previous file whole: here the
// temporary file cannot be created, and then the disk is full.
TEST_F(Prefs, FailedSaveKeepsTheOldFile)
{
    Start();
    const std::string before = ReadWholeFile(PrefsFile());
    QZTkey = 33;
    orb_latitude[5] = 5.5;

    fs::create_directory(PrefsFile() + ".tmp");
    PreferencesSave();
    EXPECT_EQ(ReadWholeFile(PrefsFile()), before);
    fs::remove(PrefsFile() + ".tmp");

    fs::create_symlink("/dev/full", PrefsFile() + ".tmp");
    PreferencesSave();
    EXPECT_EQ(ReadWholeFile(PrefsFile()), before);
    EXPECT_FALSE(fs::exists(fs::symlink_status(PrefsFile() + ".tmp")));

    EXPECT_EQ(QZTkey, 33);
    EXPECT_EQ(orb_latitude[5], 5.5);
    PreferencesSave();
    EXPECT_NE(ReadWholeFile(PrefsFile()), before);
}

// A folder that cannot hold the file leaves the defaults in memory.
TEST_F(Prefs, UnwritableFolderKeepsDefaults)
{
    fs::remove_all(xphost::system_path() + "Resources");
    Start();
    EXPECT_EQ(ReadWholeFile(PrefsFile()), "<missing>");
    EXPECT_EQ(QZTkey, 115);
    EXPECT_EQ(orb_latitude[0], 30.0);
    EXPECT_EQ(INDEXtostore, 1);
}

// The buffer takes any folder the host's 1024-byte call can give: 1023
// characters and the file below them. A folder that fills all 1024 bytes may
// have been cut short: nothing is read or written, nothing is overrun, and the
// log says why.
TEST_F(Prefs, PathBound)
{
    const std::string base = xphost::system_path();
    auto folderOfLength = [&](size_t total) {
        std::string folder = base;
        while (folder.size() < total)   // names within the file system's 255-byte limit
            folder += std::string(std::min<size_t>(200, total - folder.size() - 1), 'd') + "/";
        return folder;
    };

    const std::string longest = folderOfLength(1023);
    ASSERT_EQ(longest.size(), 1023u);
    fs::create_directories(longest + "Resources/plugins");
    xphost::set_system_path(longest);
    Start();
    EXPECT_EQ(std::string(outputPath), longest + Relative);
    EXPECT_EQ(ReadWholeFile(longest + Relative), DefaultPreferencesText());
    EXPECT_EQ(PrefsFailure, nullptr);

    SetUp();
    const std::string tooLong = folderOfLength(1024);
    fs::create_directories(tooLong + "Resources/plugins");
    xphost::set_system_path(tooLong);
    Start();
    EXPECT_EQ(outputPath[0], '\0');
    EXPECT_NE(PrefsFailure, nullptr);
    EXPECT_FALSE(fs::exists(tooLong + Relative));
    EXPECT_EQ(QZTkey, 115);
    EXPECT_EQ(INDEXtostore, 1);
    PreferencesSave();
    EXPECT_FALSE(fs::exists(tooLong + Relative));
    fs::remove_all(base + "d");
}

// Older versions asked for "Resources/Plugins" on Windows and the Mac; on a
// case-sensitive volume that is a folder of its own. Its file is read while
// the real folder holds none, and a save goes to the real folder.
TEST_F(Prefs, AFileUnderTheOldSpellingIsRead)
{
    const std::string old = xphost::system_path() + "Resources/Plugins/QZTgov_Preferences.txt";
    fs::create_directories(xphost::system_path() + "Resources/Plugins");
    WriteWholeFile(old, WithHead("120 \n97 \n0 1 0 0 0 2 \n"));
    Start();
    EXPECT_EQ(QZTkey, 97);
    EXPECT_EQ(showInitialInfo, 0);
    EXPECT_EQ(Halv_TO_mode, 2);
    EXPECT_EQ(ReadWholeFile(PrefsFile()), "<missing>");   // not replaced by the defaults
    EXPECT_EQ(std::string(outputPath), PrefsFile());

    ASSERT_TRUE(PreferencesSave());
    EXPECT_EQ(ReadWholeFile(PrefsFile()).rfind("120 \n97 \n0 1 0 0 0 2 \n", 0), 0u);

    // The real folder's file comes first.
    SetUp();
    fs::create_directories(xphost::system_path() + "Resources/Plugins");
    WriteWholeFile(xphost::system_path() + "Resources/Plugins/QZTgov_Preferences.txt",
                   WithHead("120 \n33 \n1 0 0 0 0 0 \n"));
    WriteWholeFile(PrefsFile(), WithHead("120 \n65 \n1 0 0 0 0 0 \n"));
    Start();
    EXPECT_EQ(QZTkey, 65);
}

}  // namespace
