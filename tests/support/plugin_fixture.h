// tests/support/plugin_fixture.h: a fresh stand-in host with the plug-in linked
// into the test started and enabled, as the simulator would leave it.
#pragma once
#include <gtest/gtest.h>
#include "xphost.h"
#include "support/linked_plugin.h"
#include "frame/plugin.h"
#include "aircraft/models.h"
#include "common/first_action.h"
#include "systems/metric.h"
#include "carrier/camera.h"
#include "prefs/dialog.h"

// The metric autopilot altitude is drawn on the panel.
inline bool MetricDrawn()
{
    for (const auto& d : xphost::draw_callbacks())
        if (d.callback == MetricAUTODrawCallback)
            return true;
    return false;
}


class PluginTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        xphost::reset();
        // Globals outlive a test when a file's tests share one process.
        Ident = 0;
        FirstActReg = 0;
        QZTclosedWidget = nullptr;
        CAMERApending = nullptr;
        MenuItem = 0;
        INFOWindow = PARAMETERWindow = CAMWindow = nullptr;
        xphost::attach(LinkedPlugin());
        ASSERT_EQ(xphost::start(), 1);
        ASSERT_EQ(xphost::enable(), 1);
    }
};
