// The Mac build: native paths, the folder's real name; the Korva payloads are
// those of Linux.
#include <string>
#include "support/prefs_fixture.h"
#include "support/write_log.h"

namespace {

using MacPrefs = PrefsTest;

// The plug-in asks for native paths, as the SDK asks every Mac plug-in to,
// and finds the file in the folder's real, lower-case name.
TEST_F(MacPrefs, NativePathsAndTheRealFolderName)
{
    Start();
    EXPECT_TRUE(xphost::feature_enabled("XPLM_USE_NATIVE_PATHS"));
    const std::string path = xphost::system_path() + "Resources/plugins/QZTgov_Preferences.txt";
    EXPECT_EQ(std::string(outputPath), path);
    EXPECT_EQ(ReadWholeFile(path), DefaultPreferencesText());
    EXPECT_EQ(INDEXtostore, 1);
}

// A host without them gives a colon path the C library cannot open: the
// plug-in runs on the defaults and touches no file.
TEST_F(MacPrefs, WithoutNativePathsNoFileIsTouched)
{
    xphost::set_feature_available("XPLM_USE_NATIVE_PATHS", false);
    xphost::set_legacy_system_path("Macintosh HD:Users:pilot:X-Plane 12:");
    Start();
    EXPECT_EQ(outputPath[0], '\0');
    EXPECT_EQ(QZTkey, 115);
    EXPECT_EQ(INDEXtostore, 1);
    EXPECT_FALSE(PreferencesSave());
    EXPECT_EQ(ReadWholeFile(xphost::system_path() + "Resources/plugins/QZTgov_Preferences.txt"), "<missing>");
    EXPECT_EQ(xphost::debug_log().back(),
              "QZTgov: the simulator gives no native paths; the preferences file is neither read nor saved, running on "
              "the defaults (Macintosh HD:Users:pilot:X-Plane 12:)\n");
}

using MacFirstAction = PluginTest;

TEST_F(MacFirstAction, KorvaPayloads)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(FirstActionPayload("QZT Korva K-2T turbo twin"), Lines{"m_fixed: 330"});
    EXPECT_EQ(FirstActionPayload("QZT Korva K-4 trainer twin"), Lines{"m_fixed: 180"});
}

}  // namespace
