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
#include "support/prefs_globals.h"

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
// in record 0, ten empty records, the index 0 and the chosen record 0.
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
    text += "0 \n0 \n";
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

    // Started and enabled, as the simulator leaves a plug-in.
    void Start()
    {
        ASSERT_EQ(xphost::start(), 1);
        ASSERT_EQ(xphost::enable(), 1);
    }
};
