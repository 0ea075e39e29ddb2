// The system message page as the host draws it on the instrument panel.
#include "support/carrier_fixture.h"

using namespace carrier_paths;

namespace {

const xphost::DrawOp* Find(int x, int y, xphost::DrawOp::Kind kind)
{
    static std::vector<xphost::DrawOp> ops;
    ops = xphost::draws_at(x, y);
    for (const auto& op : ops)
        if (op.kind == kind)
            return &op;
    return nullptr;
}

std::string TextAt(int x, int y)
{
    const auto* op = Find(x, y, xphost::DrawOp::String);
    return op ? op->text : std::string("<none>");
}

bool NumberAt(int x, int y)
{
    return Find(x, y, xphost::DrawOp::Number) != nullptr;
}

struct Colour { float r, g, b; };
const Colour White{0.85f, 0.85f, 0.85f}, Yellow{0.9f, 0.9f, 0.2f}, Blue{0.2f, 0.3f, 0.85f};
const Colour Green{0.2f, 0.9f, 0.2f};

void ExpectColour(const xphost::DrawOp& op, Colour c)
{
    EXPECT_NEAR(op.rgb[0], c.r, 1e-6) << op.text;
    EXPECT_NEAR(op.rgb[1], c.g, 1e-6) << op.text;
    EXPECT_NEAR(op.rgb[2], c.b, 1e-6) << op.text;
}

void ExpectText(int x, int y, const std::string& text, Colour c)
{
    const auto* op = Find(x, y, xphost::DrawOp::String);
    ASSERT_NE(op, nullptr) << text << " at " << x << ", " << y;
    EXPECT_EQ(op->text, text);
    EXPECT_EQ(op->font, 0);
    ExpectColour(*op, c);
}

// Every number on the page shows its sign.
void ExpectNumber(int x, int y, double value, int digits, int decimals, Colour c)
{
    const auto* op = Find(x, y, xphost::DrawOp::Number);
    ASSERT_NE(op, nullptr) << value << " at " << x << ", " << y;
    EXPECT_NEAR(op->value, value, 1e-4);
    EXPECT_EQ(op->digits, digits) << value;
    EXPECT_EQ(op->decimals, decimals) << value;
    EXPECT_EQ(op->show_sign, 1) << value;
    EXPECT_EQ(op->font, 0);
    ExpectColour(*op, c);
}

}  // namespace

class Panel : public CarrierTest {
protected:
    void SetUp() override
    {
        CarrierTest::SetUp();
        // panel at left 100, bottom 50: columns from 131 / 176, rows from 507 / 512
        xphost::set_f(PanelLeft, 100.0f);
        xphost::set_f(PanelBottom, 50.0f);
        xphost::set_i(ViewType, 1026);

        thrust_maximum = 0.88f;
        currmaxFWD2 = 0.99f;
        m_jettison = 1234.5f;
        WASSERverbrauch = 0.25f;
        CurrentAlt = 35000.0f;
        CurrentAltKM = 10.668f;
        temperature_ambc = -56.5f;
        g_nrml = 1.25f;
        total_weapon_mass_max[2] = 8000.0f;
        INDEXtostore = 4;
        elvator_trim = 0.125f;
        const float temps[6] = {0, 320, 150, 90, 100, 110};
        for (int i = 1; i <= 5; ++i) {
            tempc[i] = temps[i];
            colorT[i][0] = 0.1f * i;
            colorT[i][1] = 0.5f;
            colorT[i][2] = 1.0f - 0.1f * i;
        }
        system21mes = 28;
        system22mes = 32;
        system23mes = 56;
        system24mes = 11;
        system25mes = 15;
    }
};

TEST_F(Panel, CarrierPageDrawsEveryItemInPlace)
{
    xphost::set_i(EcamMode, 0);
    xphost::draw_now();

    ExpectText(176, 507, " THRUST MAX        ACT", White);
    ExpectNumber(248, 507, 0.88, 3, 2, Yellow);
    ExpectNumber(314, 507, 0.99, 3, 2, Yellow);
    EXPECT_TRUE(xphost::find_text("  WATER:         KG").empty());
    ExpectNumber(867, 541, 35000, 6, 0, Yellow);

    ExpectText(259, 497, "          AMBC", White);
    ExpectNumber(259, 497, -56.5, 4, 1, Yellow);
    ExpectText(259, 482, "          ALTKM", White);
    ExpectNumber(259, 482, 10.668, 4, 1, Yellow);
    ExpectText(259, 467, "          Gnorm", White);
    ExpectNumber(259, 467, 1.25, 4, 3, Yellow);

    ExpectText(131, 497, "ZOOM AP ON", Green);
    ExpectText(131, 482, "BAYDOORS OPEN", {0.9f, 0.1f, 0.1f});
    ExpectText(131, 467, "TO MACH 6.3", Yellow);
    EXPECT_FALSE(NumberAt(191, 467));             // the index only follows "INDEX NO."

    ExpectText(252, 432, "Z3 ORBITER", Green);
    ExpectText(252, 420, "     KG", Green);       // the bay load in the bay line's colour
    ExpectNumber(252, 420, 8000, 4, 0, Green);
    ExpectText(191, 325, "WATER SHUT", Yellow);
    EXPECT_FALSE(NumberAt(226, 325));

    ExpectText(252, 335, "     ID:", White);
    ExpectNumber(300, 335, 4, 2, 0, Yellow);
    ExpectText(131, 335, "ELEV", White);             // above its figure
    ExpectNumber(131, 325, 0.125, 4, 3, Yellow);

    const int tx[6] = {0, 226, 160, 176, 244, 261}, ty[6] = {0, 520, 391, 348, 348, 391};
    for (int i = 1; i <= 5; ++i)
        ExpectNumber(tx[i], ty[i], tempc[i], 4, 0, {colorT[i][0], colorT[i][1], colorT[i][2]});
}

TEST_F(Panel, EcamModeOneShowsTheWaterAndHigherModesNeitherLine)
{
    xphost::set_i(EcamMode, 1);
    xphost::draw_now();
    ExpectText(176, 468, "  WATER:         KG", Blue);
    ExpectNumber(230, 468, 1234.5, 5, 1, Blue);
    EXPECT_TRUE(xphost::find_text(" THRUST MAX        ACT").empty());
    EXPECT_FALSE(NumberAt(314, 507));

    xphost::set_i(EcamMode, 2);
    xphost::draw_now();
    EXPECT_TRUE(xphost::find_text("  WATER:         KG").empty());
    EXPECT_TRUE(xphost::find_text(" THRUST MAX        ACT").empty());
    ExpectNumber(867, 541, 35000, 6, 0, Yellow);  // the rest of the page stays
}

TEST_F(Panel, EmptyAndUnknownMessagesLeaveTheirLinesEmpty)
{
    system21mes = 0;
    system22mes = -1;
    system23mes = 60;
    system25mes = 57;
    xphost::draw_now();
    EXPECT_EQ(TextAt(131, 497), "<none>");
    EXPECT_EQ(TextAt(131, 482), "<none>");
    EXPECT_EQ(TextAt(131, 467), "<none>");
    EXPECT_EQ(TextAt(191, 325), "<none>");
    EXPECT_FALSE(NumberAt(191, 467));
    ExpectText(252, 432, "Z3 ORBITER", Green);
}

TEST_F(Panel, IndexFollowsIndexNoAndConsumptionFillsTheWaterLine)
{
    system21mes = 34;
    system22mes = 47;
    system23mes = 48;
    system24mes = 12;
    system25mes = 17;
    total_weapon_mass_max[2] = 0.0f;
    xphost::draw_now();
    ExpectText(131, 497, "PROCEDURE COMPLETE", Green);
    ExpectText(131, 482, "LAUNCH STORED", {1.0f, 1.02f, 0.2f});
    ExpectText(131, 467, "INDEX NO.", Yellow);
    ExpectNumber(191, 467, 4, 2, 0, Yellow);
    ExpectText(191, 325, "WATER         KG/S", {0.4f, 0.4f, 1.0f});
    ExpectNumber(227, 325, 0.25, 3, 2, Yellow);
    ExpectText(252, 432, "BAY EMPTY", Green);
    ExpectNumber(252, 420, 0, 4, 0, Green);
}

TEST_F(Panel, PageFollowsAScrolledPanelWithinTheFrameInEveryView)
{
    xphost::set_i(EcamMode, 0);
    xphost::set_i(ViewType, 1017);                // an outside view
    xphost::draw_now();
    ExpectText(131, 497, "ZOOM AP ON", Green);
    xphost::set_f(PanelBottom, 40.0f);            // scrolled down by 10
    xphost::draw_now();
    ExpectText(131, 487, "ZOOM AP ON", Green);
    ExpectText(176, 497, " THRUST MAX        ACT", White);
    ExpectNumber(226, 510, 320, 4, 0, {colorT[1][0], colorT[1][1], colorT[1][2]});
    EXPECT_EQ(TextAt(131, 497), "<none>");
    xphost::set_f(PanelLeft, 80.0f);              // and left by 20
    xphost::draw_now();
    ExpectText(111, 487, "ZOOM AP ON", Green);
    ExpectText(232, 422, "Z3 ORBITER", Green);
}

TEST_F(Panel, JetShowsItsWaterFiguresOnlyInTheInsideViews)
{
    Ident = 28;
    xphost::set_i(EcamMode, 0);
    for (int view : {1000, 1026}) {
        xphost::set_i(ViewType, view);
        xphost::draw_now();
        ExpectText(176, 507, "TMAX            H2O           KG/S", White);
        ExpectNumber(206, 507, 0.88, 5, 4, Yellow);
        ExpectNumber(296, 507, 0.25, 4, 3, Yellow);
        ExpectNumber(867, 541, 35000, 6, 0, Yellow);
        EXPECT_TRUE(xphost::find_text("ZOOM AP ON").empty());   // none of the carrier's page
    }
    xphost::set_i(EcamMode, 1);
    xphost::draw_now();
    ExpectText(170, 468, "  WATER:         KG         H", White);
    ExpectNumber(224, 468, 1234.5, 5, 1, White);
    ExpectNumber(290, 468, 1234.5 / 0.25 / 3600.0, 3, 2, White);
    WASSERverbrauch = 0.0f;                       // no consumption: no hours
    xphost::draw_now();
    EXPECT_FALSE(NumberAt(290, 468));

    for (int view : {1017, 1023, 1000 + 25}) {
        xphost::set_i(ViewType, view);
        xphost::draw_now();
        int drawn = 0;
        for (const auto& op : xphost::display_list())
            drawn += op.source == "phase 40";
        EXPECT_EQ(drawn, 0) << view;
    }
}

// Each figure at the widest it takes in either way the host may draw numbers
// (zero-padded or not), and the page must stay legible in the basic font; a
// figure moved onto its label is caught.
TEST_F(Panel, PagesStayLegibleWithTheWidestFiguresInEitherNumberStyle)
{
    temperature_ambc = -56.5f;
    CurrentAltKM = 120.0f;
    g_nrml = -1.25f;
    elvator_trim = -0.875f;
    thrust_maximum = 1.0f;
    currmaxFWD2 = 1.0f;
    m_jettison = 1360.6f;
    WASSERverbrauch = -0.05f;                    // water added below 10,000 ft
    INDEXtostore = 10;
    system23mes = 48;
    system25mes = 17;
    for (int i = 1; i <= 5; ++i)
        tempc[i] = 1450.0f;
    auto legible = [](const char* what) {
        for (const auto& p : xphost::legibility_problems(xphost::display_list(), 1024, 768))
            ADD_FAILURE() << what << ": " << p.text;
    };
    for (auto style : {xphost::NumberStyle::Plain, xphost::NumberStyle::ZeroPadded}) {
        xphost::set_number_style(style);
        Ident = 37;
        xphost::set_i(EcamMode, 0);
        xphost::draw_now();
        legible("carrier");
        Ident = 28;
        xphost::draw_now();
        legible("jet, ECAM page 0");
        xphost::set_i(EcamMode, 1);
        WASSERverbrauch = 0.001f;                 // days of water left
        xphost::draw_now();
        legible("jet, ECAM page 1");
        WASSERverbrauch = -0.05f;
    }

    Ident = 37;
    xphost::set_i(EcamMode, 0);
    xphost::draw_now();
    std::vector<xphost::DrawOp> ops = xphost::display_list();
    ASSERT_TRUE(xphost::legibility_problems(ops, 1024, 768).empty());
    for (auto& op : ops)
        if (op.kind == xphost::DrawOp::Number && op.x == 259 && op.y == 497)
            op.x += 10 * 6;                        // onto "AMBC"
    const auto problems = xphost::legibility_problems(ops, 1024, 768);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].text.find("AMBC"), std::string::npos) << problems[0].text;
    EXPECT_NE(problems[0].text.find("overlap"), std::string::npos) << problems[0].text;
}

TEST_F(Panel, RunningCarrierShowsItsStateEveryFrame)
{
    xphost::set_i(ApFlags, 5000);                 // a navigated leg: the zoom stands by
    xphost::set_i(ZoomSwitch, 1);
    xphost::set_f(Alt, 12345.0f);
    OrbiterAboard();
    xphost::advance(6.5);                         // the loop starts 4 s after the load
    EXPECT_GE(xphost::loop_calls(CheckSkyhoist), 20);
    ExpectText(131, 497, "ZOOM AP STBY", Green);
    ExpectText(252, 432, "Z3 ORBITER", Green);
    ExpectNumber(867, 541, 12345, 6, 0, Yellow);
    ExpectNumber(259, 482, 12345 * 0.0003048, 4, 1, Yellow);
}
