// Recognition of the user's aircraft from its description, and what the
// recognised model gets from the load (windows, first action).
#include <cstring>
#include <set>
#include <string>
#include "support/plugin_fixture.h"
#include "XPLMPlugin.h"
#include "aircraft/presets.h"
#include "display/geometry.h"
#include "frame/datarefs.h"
#include "systems/stores.h"

namespace {

using Recognition = PluginTest;

bool IsNoRow(int slot)
{
    static const std::set<int> none = {0, 8, 16, 17, 29, 39, 40, 41, 42, 43, 44, 49, 54, 55, 56, 57, 58, 59};
    return none.count(slot) != 0;
}

size_t BoundedLen(const char* s, size_t size) { return strnlen(s, size); }

TEST(ModelTable, RowsAreWellFormed)
{
    for (int slot = 0; slot < IdPlaneRows; ++slot) {
        const IdPlaneRow& row = IdPlane[slot];
        SCOPED_TRACE(slot);
        EXPECT_EQ(row.slot, slot);
        EXPECT_LT(BoundedLen(row.tailnum, sizeof row.tailnum), sizeof row.tailnum);
        EXPECT_LT(BoundedLen(row.descrip, sizeof row.descrip), sizeof row.descrip);
        EXPECT_LT(BoundedLen(row.ICAO, sizeof row.ICAO), sizeof row.ICAO);
        if (IsNoRow(slot)) {
            EXPECT_STREQ(row.descrip, "no");
            EXPECT_STREQ(row.ICAO, "no");
            EXPECT_EQ(row.infoFirst + row.infoCount + row.extraFirst + row.extraCount, 0);
            if (slot == 29)
                EXPECT_STRNE(row.tailnum, "no");
            else
                EXPECT_STREQ(row.tailnum, "no");
        } else {
            EXPECT_STRNE(row.descrip, "no");
            EXPECT_GT(std::strlen(row.descrip), 0u);
        }
    }
    // The more specific rows come later and contain the general one.
    for (int slot : {10, 14, 15})
        EXPECT_NE(std::strstr(IdPlane[slot].descrip, IdPlane[9].descrip), nullptr) << slot;
    EXPECT_STREQ(IdPlane[5].descrip, IdPlane[6].descrip);
}

// Each model's own description, as its aircraft file would carry it with more
// text around the recognition text, is recognised as that model.
TEST_F(Recognition, EveryModelRecognisesItself)
{
    for (int slot = 1; slot < IdPlaneRows - 1; ++slot) {
        if (IsNoRow(slot))
            continue;
        xphost::load_aircraft(std::string("QZTdesign: ") + IdPlane[slot].descrip + ", v1.2");
        int expected = slot;
        if (slot == 5)
            expected = 6;        // same text: the later row wins
        if (slot == 48)
            expected = 0;        // the test orbiter is no model
        EXPECT_EQ(Ident, expected) << IdPlane[slot].descrip;
    }
}

TEST_F(Recognition, MoreSpecificRowWins)
{
    xphost::load_aircraft("QZT Stormfalk SF-1 night fighter");
    EXPECT_EQ(Ident, 14);
    xphost::load_aircraft("QZT Stormfalk SF-1");
    EXPECT_EQ(Ident, 9);
}

// The test orbiter and an aircraft of another maker both end as no model:
// slot 0's preset, no windows, no first action. "Seminole" holds the letters
// of the empty rows' text and must not match them.
TEST_F(Recognition, NoModelGetsNothing)
{
    for (const char* description : {"QZT Ascender-X test orbiter", "Piper PA-44 Seminole", "no", ""}) {
        SCOPED_TRACE(description);
        xphost::reset();
        Ident = 0;
        FirstActReg = 0;
        INFOWindow = PARAMETERWindow = CAMWindow = nullptr;
        xphost::attach(LinkedPlugin());
        xphost::start();
        xphost::enable();
        INFOlin = 99;

        xphost::load_aircraft(description);
        EXPECT_EQ(Ident, 0);
        EXPECT_EQ(INFOlin, 4);
        EXPECT_EQ(xphost::loop_registrations(CheckDROP), 0);
        EXPECT_TRUE(xphost::windows().empty());
        EXPECT_EQ(xphost::loop_registrations(FIRSTAct), 0);
        EXPECT_EQ(FirstActReg, 0);
    }
}

TEST_F(Recognition, NoInsideAModelDescriptionStillFindsTheModel)
{
    xphost::load_aircraft("QZT Lumen 220 airliner, nose-art livery no. 3");
    EXPECT_EQ(Ident, 30);
}

// Only the first 100 bytes count: a text ending at byte 100 matches, one
// byte later it does not; a description longer than 100 bytes without a NUL
// is cut, not overrun.
TEST_F(Recognition, DescriptionIsCutAt100Bytes)
{
    const std::string model = "QZT Vessa Air";
    xphost::load_aircraft(std::string(100 - model.size(), 'x') + model);
    EXPECT_EQ(Ident, 3);
    xphost::load_aircraft(std::string(101 - model.size(), 'x') + model);
    EXPECT_EQ(Ident, 0);

    xphost::set_b("sim/aircraft/view/acf_descrip", model + std::string(240, 'y'));
    xphost::send_message(XPLM_PLUGIN_XPLANE, XPLM_MSG_PLANE_LOADED, nullptr);
    EXPECT_EQ(Ident, 3);
    EXPECT_EQ(std::strlen(descrip), 100u);
}

TEST_F(Recognition, HandbookWindowFollowsTheRow)
{
    xphost::load_aircraft("QZT Halvik VTOL transport");    // no handbook
    EXPECT_EQ(Ident, 1);
    EXPECT_EQ(INFOWindow, nullptr);

    xphost::load_aircraft("QZT Lumen 400 skyliner");       // a handbook of no lines
    EXPECT_EQ(Ident, 36);
    EXPECT_NE(INFOWindow, nullptr);
    EXPECT_TRUE(xphost::window_exists(INFOWindow));
    EXPECT_EQ(INFOlin, 4);
    EXPECT_EQ(xphost::loop_registrations(FIRSTAct), 1);
}

// The first model's windows are gone before the second model's exist, and
// an unrecognised aircraft afterwards leaves none at all.
TEST_F(Recognition, NextLoadDestroysThePreviousWindows)
{
    xphost::load_aircraft("QZT Korva K-2 light twin");
    ASSERT_EQ(Ident, 50);
    std::vector<XPLMWindowID> first;
    for (const auto& w : xphost::windows())
        first.push_back(w.id);
    ASSERT_FALSE(first.empty());
    const int created = xphost::windows_created();

    xphost::load_aircraft("QZT Stormfalk SF-1 two-seat trainer");
    ASSERT_EQ(Ident, 10);
    for (XPLMWindowID id : first)
        EXPECT_FALSE(xphost::window_exists(id));
    EXPECT_EQ(xphost::windows_destroyed(), static_cast<int>(first.size()));
    EXPECT_EQ(static_cast<int>(xphost::windows().size()), xphost::windows_created() - created);
    EXPECT_TRUE(xphost::window_exists(INFOWindow));

    xphost::load_aircraft("Piper PA-44 Seminole");
    EXPECT_EQ(Ident, 0);
    EXPECT_TRUE(xphost::windows().empty());
}

}  // namespace
