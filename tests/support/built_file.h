// tests/support/built_file.h: a fresh stand-in host with the built QZTgov.xpl
// loaded from its file, started and enabled, as the simulator brings it up.
#pragma once
#include <gtest/gtest.h>
#include <string>
#include "xphost.h"

inline void StartBuiltFile(double framesPerSecond = 50)
{
    xphost::reset();
    xphost::set_frame_rate(framesPerSecond);
    std::string error;
    ASSERT_TRUE(xphost::load_plugin(QZT_PLUGIN_FILE, &error)) << error;
    ASSERT_EQ(xphost::start(), 1);
    ASSERT_EQ(xphost::enable(), 1);
}
