// The Windows build: its preferences path and the lighter Korva payloads.
#include <string>
#include "support/prefs_fixture.h"
#include "support/write_log.h"

namespace {

using WinPrefs = PrefsTest;

// With native paths the host's folder comes in UTF-8 with '/', and the file
// below it is named the same way (tests/wine opens it on Windows).
TEST_F(WinPrefs, NativePaths)
{
    Start();
    EXPECT_TRUE(xphost::feature_enabled("XPLM_USE_NATIVE_PATHS"));
    const std::string path = xphost::system_path() + "Resources/plugins/QZTgov_Preferences.txt";
    EXPECT_EQ(std::string(outputPath), path);
    EXPECT_EQ(ReadWholeFile(path), DefaultPreferencesText());
}

// A host without them separates with backslashes. On this test machine they
// are part of one file name in the system folder; on Windows they are the
// folders below it.
TEST_F(WinPrefs, WithoutNativePathsBackslashes)
{
    xphost::set_feature_available("XPLM_USE_NATIVE_PATHS", false);
    const std::string path = xphost::system_path() + "Resources\\plugins\\QZTgov_Preferences.txt";
    Start();
    EXPECT_EQ(std::string(outputPath), path);
    EXPECT_EQ(ReadWholeFile(path), DefaultPreferencesText());
    EXPECT_EQ(INDEXtostore, 1);
}

using WinFirstAction = PluginTest;

TEST_F(WinFirstAction, KorvaPayloads)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(FirstActionPayload("QZT Korva K-2 light twin"), Lines{"m_fixed: 150"});
    EXPECT_EQ(FirstActionPayload("QZT Korva K-2T turbo twin"), Lines{"m_fixed: 150"});
    EXPECT_EQ(FirstActionPayload("QZT Korva K-3 utility twin"), Lines{"m_fixed: 85"});
    EXPECT_EQ(FirstActionPayload("QZT Korva K-4 trainer twin"), Lines{"m_fixed: 85"});
}

}  // namespace
