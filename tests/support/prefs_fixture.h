// tests/support/prefs_fixture.h: a fresh host whose system folder the test can
// fill before the plug-in starts, with the settings and release records back at
// their start-up values, and the text of the file a first start creates.
#pragma once
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>
#include <string>
#include "xphost.h"
#include "support/plugin_fixture.h"
#include "carrier/orbiter.h"
#include "prefs/prefs.h"

inline void ResetPreferenceGlobals()
{
    qzt_vers = 120;
    qzt_vers_pref = 0;
    QZTkey = QZTkey1 = 115;
    showInitialInfo = showInitialInfo1 = 1;
    showFeetAP = showFeetAP1 = 0;
    autoGear = autoGear1 = 0;
    autoFlaps = autoFlaps1 = 0;
    autoEngineRam = autoEngineRam1 = 0;
    Halv_TO_mode = Halv_TO_mode1 = 0;
    orbindex_active = 0;
    INDEXtostore = 0;
    outputPath[0] = '\0';
    PrefsFailure = nullptr;
    for (int i = 0; i < OrbRecords; ++i) {
        orb_latitude[i] = orb_longitude[i] = orb_elevation[i] = 0.0;
        orb_local_vx[i] = orb_local_vy[i] = orb_local_vz[i] = 0.0f;
        for (float& q : orb_quaternion[i])
            q = 0.0f;
        orb_pitch[i] = orb_roll[i] = orb_head[i] = orb_speed[i] = 0.0f;
    }
}

inline std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteWholeFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// The file a first start writes: the built-in settings, the default release
// in record 0, ten empty records and the index 0.
inline std::string DefaultPreferencesText()
{
    std::string text = "120 \n115 \n1 0 0 0 0 0 \n";
    text += "30.000000 0.000000 100000.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 "
            "0.000000 15.000000 0.000000 90.000000 0.000000 \n";
    for (int i = 1; i < 11; ++i) {
        for (int v = 0; v < 14; ++v)
            text += "0.000000 ";
        text += "\n";
    }
    text += "0 \n";
    return text;
}

class PrefsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        xphost::reset();
        ResetPreferenceGlobals();
        xphost::attach(LinkedPlugin());
    }

    void Start() { ASSERT_EQ(xphost::start(), 1); }
};
