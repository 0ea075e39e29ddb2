// tests/support/slot_fixture.h: the plug-in with one of the maker's models
// loaded by its slot, and the pilot's QZT key.
#pragma once
#include <string>
#include "support/plugin_fixture.h"
#include "aircraft/models.h"
#include "common/keys.h"
#include "prefs/prefs.h"

class SlotTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        xphost::set_frame_rate(10);
    }

    static void LoadSlot(int slot)
    {
        xphost::load_aircraft(std::string("QZTdesign ") + IdPlane[slot].descrip);
    }

    static void PressQZT() { xphost::press_key(static_cast<char>(QZTkey)); }

    static std::vector<std::string> Said() { return xphost::spoken_texts(); }
};
