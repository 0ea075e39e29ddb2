// The custom data box at the left edge: its click strip, which models draw
// it, every row's label and number format in both unit systems, and the
// launch record each weapon keeps.
#include <cmath>
#include "support/stores_fixture.h"
#include "systems/glider.h"

using namespace stores_paths;

namespace {

// Inside the custom data strip of a 1024 x 768 window (x 0..50, y 384..744).
constexpr int kStripX = 25, kStripY = 600;
// The drop tanks' range sits after "hrs", right of the third column.
constexpr int kRangeX = 108;

class DataWindow : public StoresTest {
protected:
    void SetUp() override
    {
        StoresTest::SetUp();
        xphost::set_vf(FuelFlow, {0.1f, 0.125f});
    }

    static void Open()
    {
        ASSERT_TRUE(xphost::click(kStripX, kStripY));
        ASSERT_EQ(PARAMETERon, 1);
    }

    // What the box drew at x on row `row`, texts and formatted numbers in drawing order.
    static std::vector<std::string> At(int x, int row)
    {
        std::vector<std::string> out;
        for (const auto& op : xphost::draws_at(x, PARAMETERrow[row]))
            out.push_back(op.text);
        return out;
    }

    // The box's own drawing: what windows drew at the left edge.
    static std::vector<xphost::DrawOp> BoxOps()
    {
        std::vector<xphost::DrawOp> out;
        for (const auto& op : xphost::display_list()) {
            if (op.source.rfind("window", 0) != 0)
                continue;
            if (op.kind == xphost::DrawOp::Box ? op.left == PARAMETERwx1 : op.x < 200)
                out.push_back(op);
        }
        return out;
    }
    static bool BoxDrawn()
    {
        for (const auto& op : BoxOps())
            if (op.kind == xphost::DrawOp::Box && op.top == PARAMETERwy1 && op.right == PARAMETERwx2
                && op.bottom == PARAMETERwy2)
                return true;
        return false;
    }
    // No figure in the box is ever infinite or not a number.
    static void ExpectFiniteNumbers()
    {
        for (const auto& op : BoxOps())
            EXPECT_TRUE(op.kind != xphost::DrawOp::Number || std::isfinite(op.value)) << "at " << op.x << ", " << op.y;
    }
};

TEST_F(DataWindow, EveryRecognisedModelGetsTheStripAndTheClickSurvivesLoads)
{
    Load(1);                                           // no handbook: the strip alone
    ASSERT_EQ(xphost::windows().size(), 1u);
    const auto strip = xphost::windows()[0];
    EXPECT_EQ(strip.id, PARAMETERWindow);
    EXPECT_EQ((std::vector<int>{strip.left, strip.top, strip.right, strip.bottom}),
              (std::vector<int>{0, 744, 50, 384}));
    xphost::draw_now();
    EXPECT_TRUE(BoxOps().empty());                     // hidden at start

    // Press and drag change nothing; the release toggles.
    EXPECT_TRUE(xphost::mouse_down(kStripX, kStripY));
    EXPECT_TRUE(xphost::mouse_drag(kStripX, kStripY - 20));
    EXPECT_EQ(PARAMETERon, 0);
    EXPECT_TRUE(xphost::mouse_up(kStripX, kStripY - 20));
    EXPECT_EQ(PARAMETERon, 1);
    xphost::draw_now();
    EXPECT_TRUE(BoxOps().empty());                     // a VTOL has no figures for it

    Load(9);                                           // left open: shows for the next model
    EXPECT_EQ(xphost::windows().size(), 2u);
    xphost::draw_now();
    EXPECT_TRUE(BoxDrawn());
    EXPECT_EQ(At(PARAMETERwx1, 5), (std::vector<std::string>{" TRUE:         kmh"}));

    for (int slot : {28, 37, 45, 50}) {
        Load(slot);
        xphost::draw_now();
        EXPECT_TRUE(BoxOps().empty()) << slot;
    }
    Load(27);
    xphost::draw_now();
    EXPECT_TRUE(BoxDrawn());

    ASSERT_TRUE(xphost::click(kStripX, kStripY));
    EXPECT_EQ(PARAMETERon, 0);
    xphost::draw_now();
    EXPECT_TRUE(BoxOps().empty());
    xphost::load_aircraft("Another maker's aircraft");
    EXPECT_TRUE(xphost::windows().empty());
    EXPECT_FALSE(xphost::click(kStripX, kStripY));     // the click goes to the simulator
}

TEST_F(DataWindow, TheGlidersFiguresSitInTheirLabelsBlanks)
{
    Load(7);
    Open();
    l_o_d = 23.44f;
    rangeKM = 12.6f;
    true_airspeed = 41.3f;
    sim_vvi = -0.84f;
    mass_shift = 125.0f;
    m_fixed = 10.0f;
    xphost::draw_now();
    EXPECT_TRUE(BoxDrawn());
    EXPECT_EQ(PARAMETERwy1, PARAMETERrow[5] + 15 * 4 + 15);
    EXPECT_EQ(PARAMETERwy2, PARAMETERrow[5] - 15 - 7);
    const std::vector<std::vector<std::string>> rows = {
        {"       LoD ratio", "23.4"}, {"       km to seaL", "13"},  {"       kmh true", "41.3"},
        {"       vvi m/s", "-0.8"},   {"       kg shifted", "125"}, {"       kg fix payload", "10"},
    };
    for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(At(PARAMETERcolx1, r), rows[r - 1]) << "row " << r;
    const auto label = xphost::draws_at(PARAMETERcolx1, PARAMETERrow[1]);
    EXPECT_FLOAT_EQ(label[0].rgb[0], 0.85f);           // label colour
    EXPECT_FLOAT_EQ(label[1].rgb[2], 0.2f);            // value colour
}

TEST_F(DataWindow, HeaderRowsInKilometresOrKnots)
{
    Load(9);
    Open();
    true_airspeed = 100.0f;
    xphost::draw_now();
    EXPECT_EQ(At(PARAMETERwx1, 6), (std::vector<std::string>{"ABS/REL/DIST kmh/km"}));
    EXPECT_EQ(At(PARAMETERwx1, 5), (std::vector<std::string>{" TRUE:         kmh"}));
    EXPECT_EQ(At(PARAMETERcolx2, 5), (std::vector<std::string>{"360.0"}));
    EXPECT_EQ(BoxOps().size(), 4u);                    // no weapons listed: box, two labels, one figure

    Load(19);                                          // the twin-engine floatplane
    true_airspeed = 100.0f;
    xphost::draw_now();
    EXPECT_EQ(At(PARAMETERwx1, 6), (std::vector<std::string>{"ABS/REL/DIST mph/mls"}));
    EXPECT_EQ(At(PARAMETERwx1, 5), (std::vector<std::string>{" TRUE:         mph"}));
    EXPECT_EQ(At(PARAMETERcolx2, 5), (std::vector<std::string>{"194.4"}));
}

TEST_F(DataWindow, DropTankFuelTimeAndRangeInLitresOrGallons)
{
    Load(9);
    Open();
    DTANKgauge = 1;
    DTANKnumber = 2;
    DTANKfuel = 405.0f;                                // 500 l
    true_airspeed = 200.0f;
    xphost::draw_now();
    EXPECT_NEAR(DTANKdur, 1800.0f, 0.01f);             // at 0.225 kg/s
    EXPECT_EQ(At(PARAMETERwx1, 3), (std::vector<std::string>{"  DROP TANKS       l"}));
    EXPECT_EQ(At(PARAMETERcolx1, 3), (std::vector<std::string>{"2"}));
    EXPECT_EQ(At(PARAMETERcolx3, 3), (std::vector<std::string>{"500"}));
    EXPECT_EQ(At(PARAMETERwx1, 4), (std::vector<std::string>{" DROP:        hrs      km"}));
    EXPECT_EQ(At(PARAMETERcolx2, 4), (std::vector<std::string>{"0.50"}));
    EXPECT_EQ(At(kRangeX, 4), (std::vector<std::string>{"360"}));

    FUELisGallon = 1;
    xphost::draw_now();
    EXPECT_EQ(At(PARAMETERwx1, 3), (std::vector<std::string>{"  DROP TANKS      ga"}));
    EXPECT_EQ(At(PARAMETERcolx3, 3), (std::vector<std::string>{"132"}));
    EXPECT_EQ(At(PARAMETERwx1, 4), (std::vector<std::string>{" DROP:        hrs      nm"}));
    EXPECT_EQ(At(kRangeX, 4), (std::vector<std::string>{"194"}));

    // Engines stopped, or flows no engine can have: a long time, never a division by zero.
    for (const std::vector<float>& flows : {std::vector<float>{0.0f, 0.0f}, std::vector<float>{-0.1f, 0.0f},
                                            std::vector<float>{NAN, INFINITY}}) {
        xphost::set_vf(FuelFlow, flows);
        xphost::draw_now();
        EXPECT_NEAR(DTANKdur, 405.0f / 0.0000001f, 1e6f);
        ExpectFiniteNumbers();
        // shown as the most the figures' digits hold, inside the box
        EXPECT_EQ(At(PARAMETERcolx2, 4), (std::vector<std::string>{"999.99"}));
        EXPECT_EQ(At(kRangeX, 4), (std::vector<std::string>{"9999"}));
    }
}

TEST_F(DataWindow, BoosterAndRocketRows)
{
    Load(12);
    Open();
    JATOgauge = 1;
    JATOleft = 27.4f;
    xphost::draw_now();
    EXPECT_EQ(At(PARAMETERwx1, 2), (std::vector<std::string>{" JATO:      sec"}));
    EXPECT_EQ(At(PARAMETERcolx2, 2), (std::vector<std::string>{"27.4"}));

    Load(26);
    JATO287gauge = 1;
    JATOmass = 60.0f;
    xphost::draw_now();
    EXPECT_EQ(At(PARAMETERcolx2, 2), (std::vector<std::string>{"20.0"}));

    Load(13);
    HWKgauge = 1;
    Tstoff = 500.0f;
    Cstoff = 166.7f;
    verbrauch_tstoff = 5.0f;
    TCduration = 100.0f;
    xphost::draw_now();
    EXPECT_EQ(At(PARAMETERwx1, 2), (std::vector<std::string>{"TSTOFF     kg"}));
    EXPECT_EQ(At(PARAMETERcolx2, 2), (std::vector<std::string>{"500"}));
    EXPECT_EQ(At(PARAMETERwx1, 3), (std::vector<std::string>{"CSTOFF     kg"}));
    EXPECT_EQ(At(PARAMETERcolx2, 3), (std::vector<std::string>{"167"}));
    EXPECT_EQ(At(PARAMETERwx1, 4), (std::vector<std::string>{"   DUR         min"}));
    EXPECT_EQ(At(PARAMETERcolx2, 4), (std::vector<std::string>{"1.67"}));
    verbrauch_tstoff = 0.000001f;
    xphost::draw_now();
    EXPECT_EQ(At(PARAMETERwx1, 4), (std::vector<std::string>{"   DUR         (at max)"}));
}

// Every group with each figure at its widest, in either way the host may draw
// numbers: no figure on a label, nothing out of the box or off the screen.
TEST_F(DataWindow, EveryGroupStaysLegibleWithItsWidestFiguresInEitherNumberStyle)
{
    auto legible = [](const std::string& what) {
        for (const auto& p : xphost::legibility_problems(xphost::display_list(), 1024, 768))
            ADD_FAILURE() << what << ": " << p.text;
    };
    for (auto style : {xphost::NumberStyle::Plain, xphost::NumberStyle::ZeroPadded}) {
        const std::string name = style == xphost::NumberStyle::Plain ? "plain" : "padded";
        Load(7);
        if (!PARAMETERon)
            Open();
        xphost::set_number_style(style);
        l_o_d = -12.5f;
        rangeKM = 999.0f;
        true_airspeed = 999.9f;
        sim_vvi = -25.5f;
        mass_shift = 140.0f;
        m_fixed = 141.0f;
        xphost::draw_now();
        legible("glider, " + name);

        for (int slot : {9, 13, 19}) {
            Load(slot, {Station{22, 0, 0, 250}, Station{21, 0, 0, 90}, Station{9, 0, 0, 300}});
            xphost::set_number_style(style);
            xphost::advance(5.2);
            for (int s = 0; s < 3; ++s) {
                xphost::set_vi(Status, {s == 0 ? 0 : 1}, s);
                xphost::set_vf(Speed, {s == 1 ? 2700.0f : 10.0f}, s);   // 9720 km/h, or far slower than the jet
                xphost::set_vf(X, {99000.0f}, s);
            }
            true_airspeed = 2700.0f;
            DTANKgauge = slot != 13;               // the rocket's rows take the tanks' place
            DTANKnumber = 4;
            DTANKfuel = 8100.0f;                   // 10000 l
            FUELisGallon = slot == 19;
            JATOgauge = slot == 9;
            JATOleft = 99.9f;
            HWKgauge = slot == 13;
            Tstoff = 9999.0f;
            Cstoff = 9999.0f;
            verbrauch_tstoff = 0.0001f;
            TCduration = 1.0e8f;
            xphost::set_vf(FuelFlow, {0.0f, 0.0f});
            PARAMETERlinUP = 3;                    // as the stores' logic stretches the box
            MeasurePanel();
            xphost::draw_now();
            legible("slot " + std::to_string(slot) + ", " + name);
            verbrauch_tstoff = 0.0f;
            xphost::draw_now();
            legible("slot " + std::to_string(slot) + " at max, " + name);
        }
    }
}

// ---- launch records

class LaunchRecord : public DataWindow {
protected:
    void SetUp() override
    {
        DataWindow::SetUp();
        // A bomb on station 2, a missile on 3, a glide bomb on 5; the first
        // action lists them on rows 7 to 9.
        Load(9, {Station{}, Station{}, Station{22, 0, 0, 250}, Station{21, 0, 0, 90}, Station{},
                 Station{9, 0, 0, 300}});
        xphost::advance(5.2);
        ASSERT_EQ(WEAPONnumber, 3);
        Open();
        Airspeed(150.0f);
    }

    static void Airspeed(float ms) { xphost::set_f("sim/flightmodel/position/true_airspeed", ms); }

    // One tick of the stores' loop, which records the launches, then a frame.
    static void Tick()
    {
        CheckDROP(0.1f, 0.1f, 0, nullptr);
        xphost::draw_now();
    }

    // The host shows station s in flight at this position and speed.
    static void Weapon(int s, int status, float x, float y, float z, float speed)
    {
        xphost::set_vi(Status, {status}, s);
        xphost::set_vf(X, {x}, s);
        xphost::set_vf(Y, {y}, s);
        xphost::set_vf(Z, {z}, s);
        xphost::set_vf(Speed, {speed}, s);
    }
};

TEST_F(LaunchRecord, EachWeaponIsMeasuredFromWhereItLeftTheAircraft)
{
    Tick();
    EXPECT_EQ(PARAMETERwy2, PARAMETERrow[5] - 15 * 4 - 7);   // the box holds the three rows
    EXPECT_EQ(At(PARAMETERwx1, 7), (std::vector<std::string>{" WEAPON KIND"}));
    EXPECT_EQ(At(PARAMETERcolx3, 7), (std::vector<std::string>{"22"}));
    EXPECT_EQ(At(PARAMETERcolx3, 8), (std::vector<std::string>{"21"}));
    EXPECT_EQ(At(PARAMETERcolx3, 9), (std::vector<std::string>{"9"}));
    EXPECT_FLOAT_EQ(xphost::draws_at(PARAMETERwx1, PARAMETERrow[7])[0].rgb[2], 0.2f);

    // Released: the record starts in this frame, with no time flown yet.
    Weapon(2, 1, 1000.0f, 3000.0f, -500.0f, 160.0f);
    Tick();
    EXPECT_GT(w_sectenthbegin[2], 0);
    EXPECT_FLOAT_EQ(w_msc_launch[2], 150.0f);
    EXPECT_EQ(At(PARAMETERcolx1, 7), (std::vector<std::string>{"576"}));
    EXPECT_EQ(At(PARAMETERcolx2, 7), (std::vector<std::string>{"36"}));
    EXPECT_EQ(At(PARAMETERcolx3, 7), (std::vector<std::string>{"0.00"}));
    ExpectFiniteNumbers();

    // 300 m east, 400 m down and 1200 m north of its launch point.
    Airspeed(140.0f);                                  // the aircraft's later speed does not count
    Weapon(2, 1, 1300.0f, 2600.0f, -1700.0f, 170.0f);
    Tick();
    EXPECT_FLOAT_EQ(w_m_dist[2], 1300.0f);
    EXPECT_EQ(At(PARAMETERcolx2, 7), (std::vector<std::string>{"72"}));
    EXPECT_EQ(At(PARAMETERcolx3, 7), (std::vector<std::string>{"1.30"}));

    // Another launch later does not move this weapon's reference.
    Weapon(3, 1, 9000.0f, 2000.0f, 0.0f, 300.0f);
    Tick();
    EXPECT_FLOAT_EQ(w_m_dist[2], 1300.0f);
    EXPECT_FLOAT_EQ(w_m_dist[3], 0.0f);
    EXPECT_FLOAT_EQ(WeaponsX1[2], 1000.0f);

    // Down: the figures stay, the speed is the host's.
    Weapon(2, 2, 0.0f, 0.0f, 0.0f, 0.0f);
    Tick();
    EXPECT_EQ(w_sectenthbegin[2], 0);
    EXPECT_EQ(At(PARAMETERcolx1, 7), (std::vector<std::string>{"0"}));
    EXPECT_EQ(At(PARAMETERcolx2, 7), (std::vector<std::string>{"72"}));
    EXPECT_EQ(At(PARAMETERcolx3, 7), (std::vector<std::string>{"1.30"}));

    // Back on the station (reloaded): the record is gone.
    Weapon(2, 0, 0.0f, 0.0f, 0.0f, 0.0f);
    Tick();
    EXPECT_EQ(w_m_dist[2], 0.0f);
    EXPECT_EQ(msc_overlaunch[2], 0.0f);
    EXPECT_EQ(At(PARAMETERwx1, 7), (std::vector<std::string>{" WEAPON KIND"}));

    // Any other status draws nothing on the row.
    Weapon(5, 3, 0.0f, 0.0f, 0.0f, 0.0f);
    Tick();
    EXPECT_TRUE(At(PARAMETERwx1, 9).empty());
    EXPECT_TRUE(At(PARAMETERcolx3, 9).empty());
}

// A launch is recorded when it happens: the box shown later measures from
// where the weapon left, also when it was hidden or not drawn at all then.
TEST_F(LaunchRecord, ALaunchIsRecordedWhetherOrNotTheBoxIsShown)
{
    ASSERT_TRUE(xphost::click(kStripX, kStripY));
    xphost::set_windows_drawn(false);
    Weapon(5, 1, 10.0f, 10.0f, 10.0f, 100.0f);
    Tick();
    EXPECT_GT(w_sectenthbegin[5], 0);
    ASSERT_FALSE(xphost::click(kStripX, kStripY));
    xphost::set_windows_drawn(true);
    ASSERT_TRUE(xphost::click(kStripX, kStripY));
    Weapon(5, 1, 20.0f, 10.0f, 10.0f, 100.0f);
    Tick();
    EXPECT_FLOAT_EQ(WeaponsX1[5], 10.0f);
    EXPECT_FLOAT_EQ(w_m_dist[5], 10.0f);
}

TEST_F(LaunchRecord, EnglishUnitsInKnotsAndNauticalMiles)
{
    Load(20, {Station{}, Station{}, Station{22, 0, 0, 250}});
    xphost::advance(5.2);
    Airspeed(100.0f);
    Weapon(2, 1, 0.0f, 0.0f, 0.0f, 100.0f);
    Tick();
    Weapon(2, 1, 0.0f, 0.0f, -1852.0f, 120.0f);
    Tick();
    EXPECT_EQ(At(PARAMETERcolx1, 7), (std::vector<std::string>{"233"}));
    EXPECT_EQ(At(PARAMETERcolx2, 7), (std::vector<std::string>{"39"}));
    EXPECT_EQ(At(PARAMETERcolx3, 7), (std::vector<std::string>{"1.00"}));
}

}  // namespace
