// The handbook box: what it shows for each kind of model, when it opens and
// closes by itself, the click strip, and the texts themselves.
#include "support/plugin_fixture.h"

#include <cstring>
#include <string>
#include <vector>
#include "common/timers.h"
#include "display/geometry.h"
#include "display/handbook.h"
#include "prefs/prefs.h"

namespace {

const char* const kParkbrake = "sim/flightmodel/controls/parkbrake";
const char* const kLocalTime = "sim/time/local_time_sec";

// Inside the handbook click strip of a 1024 x 768 window (x 974..1024, y 384..744).
constexpr int kStripX = 1000, kStripY = 600;

const char* const kHint1 = "THIS MESSAGE CLOSES WITH FIRST BRAKE RELEASE";
const char* const kHint2 = "TOGGLE THIS MESSAGE BY CLICKING FAR RIGHT-TOP";
const char* const kHint3 = "CLICK FAR LEFT-TOP OF SCREEN FOR CUSTOM DATA";

class Handbook : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        // What a fresh start leaves; the file's tests share one process.
        daytime = 0;
        INFOon = INFOon1 = INFOfirstview = parkbrake_initial = go_initial = 0;
        CheckOrbiterCallback = 0.0f;
        showInitialInfo = 1;
        xphost::set_f(kParkbrake, 1.0f);
    }

    void Load(int slot)
    {
        xphost::load_aircraft(IdPlane[slot].descrip);
        ASSERT_EQ(Ident, slot);
    }

    // Load and let the first action open the box (brake set).
    void LoadAndOpen(int slot)
    {
        Load(slot);
        xphost::advance(5.2);
        ASSERT_EQ(INFOon, 1);
    }

    // The texts drawn on handbook row `row`, in drawing order.
    static std::vector<std::string> Row(int row)
    {
        std::vector<std::string> texts;
        for (const auto& op : xphost::draws_at(INFOcolx, INFOrow[row]))
            if (op.kind == xphost::DrawOp::String) texts.push_back(op.text);
        return texts;
    }
    static std::string Only(int row)
    {
        auto texts = Row(row);
        return texts.size() == 1 ? texts[0] : "<" + std::to_string(texts.size()) + " texts>";
    }
    static bool BoxDrawn()
    {
        for (const auto& op : xphost::display_list())
            if (op.kind == xphost::DrawOp::Box && op.left == INFOwx1 && op.top == INFOwy1) return true;
        return false;
    }
    static void ExpectHintsFrom(int row)
    {
        EXPECT_EQ(Only(row), kHint1);
        EXPECT_EQ(Only(row + 1), kHint2);
        EXPECT_EQ(Only(row + 2), kHint3);
        for (int r = row; r <= row + 2; ++r) {
            auto ops = xphost::draws_at(INFOcolx, INFOrow[r]);
            ASSERT_EQ(ops.size(), 1u);
            EXPECT_FLOAT_EQ(ops[0].rgb[0], 0.6f);
        }
        EXPECT_EQ(row + 2, INFOlin);
        EXPECT_TRUE(Row(row + 3).empty());
    }
};

TEST_F(Handbook, ModelWithOneBlockShowsItsLinesTheTimeLineAndTheHints)
{
    xphost::set_f(kLocalTime, 14 * 3600.0f + 7 * 60.0f);
    LoadAndOpen(45);                               // 110, 12 lines
    EXPECT_EQ(INFOlin, 16);
    EXPECT_EQ(INFOwy2, 629 - 15 * 16 - 20);
    EXPECT_TRUE(BoxDrawn());

    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(Only(2 + i), info[110 + i]) << "row " << 2 + i;
        EXPECT_FLOAT_EQ(xphost::draws_at(INFOcolx, INFOrow[2 + i]).at(0).rgb[2], 0.2f);
    }
    ExpectHintsFrom(14);

    // Time line: label, local time and the slot, all signed two-digit numbers.
    EXPECT_EQ(xphost::draws_at(INFOcolx + 100, INFOrow[0]).at(0).text, "               :   LOCAL  ID:");
    EXPECT_EQ(xphost::draws_at(INFOcolx + 178, INFOrow[0]).at(0).text, "14");
    EXPECT_EQ(xphost::draws_at(INFOcolx + 196, INFOrow[0]).at(0).text, "7");
    EXPECT_EQ(xphost::draws_at(INFOcolx + 280, INFOrow[0]).at(0).text, "45");   // a blank after "ID:"
    EXPECT_EQ(Only(1), "Good afternoon Sir!");
}

TEST_F(Handbook, FlyingWingRocketVariantAppendsItsOwnTwoLines)
{
    LoadAndOpen(23);                               // 150, 13 then 166, 2
    EXPECT_EQ(INFOlin, 19);
    for (int i = 0; i < 13; ++i) EXPECT_EQ(Only(2 + i), info[150 + i]);
    EXPECT_EQ(Only(15), info[166]);
    EXPECT_EQ(Only(16), info[167]);
    ExpectHintsFrom(17);
}

TEST_F(Handbook, ModelWithAnEmptyBlockShowsOnlyTheFrame)
{
    LoadAndOpen(36);                               // 60, 0: and no loop, so no clock
    EXPECT_EQ(INFOlin, 4);
    EXPECT_EQ(Only(1), "");                        // the empty greeting before the clock has run
    ExpectHintsFrom(2);
    EXPECT_EQ(xphost::draws_at(INFOcolx + 280, INFOrow[0]).at(0).text, "36");
}

TEST_F(Handbook, GreetingFollowsThePartOfTheDay)
{
    xphost::set_f(kLocalTime, 6 * 3600.0f);
    LoadAndOpen(45);
    EXPECT_EQ(Only(1), "Good morning Sir!");
    const std::pair<float, const char*> cases[] = {
        {17 * 3600.0f + 59 * 60.0f, "Good afternoon Sir!"},
        {18 * 3600.0f, "Good evening Sir!"},
        {22 * 3600.0f, "Good night Sir!"},
        {4 * 3600.0f + 59 * 60.0f, "Good night Sir!"},
        {5 * 3600.0f, "Good morning Sir!"},
    };
    for (const auto& c : cases) {
        xphost::set_f(kLocalTime, c.first);
        xphost::advance(1.0);
        EXPECT_EQ(Only(1), c.second) << c.first;
    }
}

TEST_F(Handbook, ClickTogglesTheBoxOnReleaseOnly)
{
    LoadAndOpen(45);
    EXPECT_TRUE(xphost::mouse_down(kStripX, kStripY));
    EXPECT_TRUE(xphost::mouse_drag(kStripX, kStripY - 20));
    EXPECT_EQ(INFOon, 1);
    EXPECT_TRUE(xphost::mouse_up(kStripX, kStripY - 20));
    EXPECT_EQ(INFOon, 0);
    xphost::run_frame();
    EXPECT_FALSE(BoxDrawn());
    EXPECT_TRUE(Row(2).empty());

    EXPECT_TRUE(xphost::click(kStripX, kStripY));
    EXPECT_EQ(INFOon, 1);
    xphost::run_frame();
    EXPECT_TRUE(BoxDrawn());
}

// The orbiter put at the release: its position written.
bool Placed() { return !xphost::writes_to("sim/flightmodel/position/local_x").empty(); }

TEST_F(Handbook, FirstBrakeReleaseClosesTheFirstShowingAndStartsTheOrbiter)
{
    LoadAndOpen(45);
    xphost::set_f(kParkbrake, 0.11f);
    xphost::advance(1.0);
    EXPECT_EQ(INFOon, 1);
    EXPECT_FALSE(Placed());

    xphost::set_f(kParkbrake, 0.1f);
    xphost::advance(0.1);
    EXPECT_EQ(INFOon, 0);
    EXPECT_EQ(INFOfirstview, 0);
    EXPECT_EQ(parkbrake_initial, 0);
    xphost::advance(1.0);
    EXPECT_TRUE(Placed());

    // Opened again by a click, the box stays: the rule ran once for this load.
    xphost::clear_writes();
    xphost::click(kStripX, kStripY);
    xphost::set_f(kParkbrake, 1.0f);
    xphost::advance(0.5);
    xphost::set_f(kParkbrake, 0.0f);
    xphost::advance(2.0);
    EXPECT_EQ(INFOon, 1);
    EXPECT_FALSE(Placed());
}

// The box never opens by itself, but the first brake release still starts
// the orbiter.
TEST_F(Handbook, PreferenceOffNeverOpensTheBoxButAClickStillDoes)
{
    showInitialInfo = 0;
    xphost::set_f(kParkbrake, 0.0f);
    Load(45);
    xphost::advance(8.0);
    EXPECT_EQ(INFOon, 0);
    EXPECT_FALSE(BoxDrawn());
    EXPECT_TRUE(Placed());

    xphost::click(kStripX, kStripY);
    xphost::advance(2.0);
    EXPECT_EQ(INFOon, 1);
    EXPECT_TRUE(BoxDrawn());
}

// The brake release is seen by a loop: with the box closed by a click, and
// with windows not drawn at all (VR), the orbiter starts all the same.
TEST_F(Handbook, AClosedOrUndrawnHandbookStillStartsTheOrbiter)
{
    for (bool vr : {false, true}) {
        SCOPED_TRACE(vr ? "windows not drawn" : "closed by a click");
        SetUp();
        xphost::set_windows_drawn(!vr);
        Load(45);
        xphost::advance(5.2);
        if (!vr)
            xphost::click(kStripX, kStripY);
        xphost::run_frame();
        EXPECT_FALSE(BoxDrawn());
        xphost::set_f(kParkbrake, 0.0f);
        xphost::advance(1.5);
        EXPECT_TRUE(Placed());
        EXPECT_EQ(INFOfirstview, 0);
    }
}

TEST_F(Handbook, AirportLoadOpensTheBoxAgainAndItStaysUntilClicked)
{
    // A model that starts with the brake off closes the box at its first frame.
    xphost::set_f(kParkbrake, 0.0f);
    Load(37);
    xphost::advance(5.2);
    ASSERT_EQ(INFOon, 0);
    EXPECT_EQ(INFOfirstview, 0);
    EXPECT_EQ(go_initial, 1);

    xphost::load_airport();
    xphost::advance(5.2);
    EXPECT_EQ(INFOon, 1);
    xphost::advance(3.0);
    EXPECT_EQ(INFOon, 1);
    EXPECT_TRUE(BoxDrawn());
    xphost::click(kStripX, kStripY);
    EXPECT_EQ(INFOon, 0);
}

TEST_F(Handbook, ABrakeReleaseDoesNotCarryOverToTheNextAircraft)
{
    xphost::set_f(kParkbrake, 0.0f);
    Load(37);
    xphost::advance(5.2);
    ASSERT_EQ(go_initial, 1);   // the carrier's take-off run
    Load(45);
    EXPECT_EQ(go_initial, 0);   // the orbiter waits for its own release
}

TEST_F(Handbook, ModelWithoutHandbookHasNoClickStrip)
{
    Load(1);
    EXPECT_EQ(INFOWindow, nullptr);
    EXPECT_FALSE(xphost::click(kStripX, kStripY));

    Load(45);
    EXPECT_NE(INFOWindow, nullptr);
    EXPECT_TRUE(xphost::click(kStripX, kStripY));
}

TEST_F(Handbook, SlotOutsideTheTableDrawsOnlyTheFrame)
{
    LoadAndOpen(45);
    for (int slot : {-3, 60, 1000}) {
        Ident = slot;
        xphost::draw_now();
        EXPECT_EQ(Only(2), kHint1) << slot;
    }
    Ident = 45;
}

TEST_F(Handbook, TextsFitTheirLinesAndEveryModelBlockLiesInTheTable)
{
    // A line may hold 59 characters, but the box is narrower: the basic font
    // is 6 pixels a character and the text starts 7 pixels into the 300-pixel
    // box, so only 48 fit; the host does not wrap, longer lines spill out.
    constexpr int kBasicFontWidth = 6;
    const int fit = (INFOwx2 - INFOcolx) / kBasicFontWidth;
    ASSERT_EQ(fit, 48);
    for (int i = 0; i < InfoLines; ++i) {
        const size_t len = strnlen(info[i], InfoLineLen);
        EXPECT_LE(len, 59u) << "line " << i;
        EXPECT_LE(len, size_t(fit)) << "line " << i << " leaves the box: " << info[i];
    }
    EXPECT_STREQ(info[0], "");
    EXPECT_STREQ(info[1], "Good morning Sir!");
    EXPECT_STREQ(info[4], "Good night Sir!");
    EXPECT_STREQ(info[5], "");
    EXPECT_STREQ(info[InfoLines - 1], "");

    for (int slot = 0; slot < IdPlaneRows; ++slot) {
        const IdPlaneRow& row = IdPlane[slot];
        if (row.infoFirst <= 0) continue;
        EXPECT_LE(row.infoFirst + row.infoCount, InfoLines) << "slot " << slot;
        EXPECT_LE(row.extraFirst + row.extraCount, InfoLines) << "slot " << slot;
        EXPECT_LE(row.infoCount + row.extraCount + 4, 29) << "slot " << slot;   // rows of the box
        if (row.infoCount > 0) {
            EXPECT_STRNE(info[row.infoFirst], "") << "slot " << slot;
        }
        if (row.extraCount > 0) {
            EXPECT_STRNE(info[row.extraFirst], "") << "slot " << slot;
        }
        // A block that does not end on an empty line runs into the hints.
        if (row.infoCount > 0 && row.extraCount == 0) {
            EXPECT_STREQ(info[row.infoFirst + row.infoCount - 1], "") << "slot " << slot;
        }
    }
}

}  // namespace
