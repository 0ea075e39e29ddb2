// The Windows build: its preferences path and the lighter Korva payloads.
#include <string>
#include "support/prefs_fixture.h"
#include "support/write_log.h"

namespace {

using WinPrefs = PrefsTest;

// On this test machine the backslashes are part of one file name in the
// system folder; on Windows they are the folders below it.
TEST_F(WinPrefs, WindowsRelativePath)
{
    const std::string path = xphost::system_path() + "Resources\\Plugins\\QZTgov_Preferences.txt";
    Start();
    EXPECT_EQ(std::string(outputPath), path);
    EXPECT_EQ(ReadWholeFile(path), DefaultPreferencesText());
    EXPECT_EQ(INDEXtostore, 1);
}

using WinFirstAction = PluginTest;

TEST_F(WinFirstAction, KorvaPayloads)
{
    const struct { const char* d; const char* payload; } cases[] = {
        {"QZT Korva K-2 light twin", "m_fixed: 150"},
        {"QZT Korva K-2T turbo twin", "m_fixed: 150"},
        {"QZT Korva K-3 utility twin", "m_fixed: 85"},
        {"QZT Korva K-4 trainer twin", "m_fixed: 85"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.d);
        xphost::load_aircraft(c.d);
        CheckKorvaCallback = 0.0f;
        xphost::clear_writes();
        xphost::advance(5.3);
        EXPECT_EQ(WriteLines(0, {"sim/flightmodel/weight/m_fixed"}), std::vector<std::string>{c.payload});
    }
}

}  // namespace
