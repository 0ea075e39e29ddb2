// Window and panel positions from the host window size and the scrolled panel.
#include "support/plugin_fixture.h"

#include "display/geometry.h"

namespace {

class Geometry : public PluginTest {
protected:
    void Measure(int w, int h)
    {
        xphost::set_screen_size(w, h);
        MeasurePanel();
    }
};

TEST_F(Geometry, HandbookBoxRowsAndClickStripsOfA1024By768Window)
{
    INFOlin = 7;
    Measure(1024, 768);
    EXPECT_EQ(INFOwx1, 724);
    EXPECT_EQ(INFOwy1, 629);
    EXPECT_EQ(INFOwx2, 1024);
    EXPECT_EQ(INFOwy2, 629 - 15 * 7 - 20);
    EXPECT_EQ(INFOcolx, 731);
    EXPECT_EQ(INFOrow[0], 614);
    EXPECT_EQ(INFOrow[1], 602);
    EXPECT_EQ(INFOrow[29], 617 - 15 * 29);
    for (int top : {INFOcclickwy1, PARAMETERclickwy1}) EXPECT_EQ(top, 744);
    for (int bottom : {INFOcclickwy2, PARAMETERclickwy2}) EXPECT_EQ(bottom, 384);
    EXPECT_EQ(INFOcclickwx1, 974);
    EXPECT_EQ(INFOcclickwx2, 1024);
    EXPECT_EQ(PARAMETERclickwx1, 0);
    EXPECT_EQ(PARAMETERclickwx2, 50);
}

TEST_F(Geometry, CustomDataBoxStretchesOverItsUpperAndLowerLines)
{
    PARAMETERlinUP = 4;
    PARAMETERlinDOWN = 1;
    Measure(1024, 768);
    EXPECT_EQ(PARAMETERcoly, 599);
    EXPECT_EQ(PARAMETERrow[0], 674);
    EXPECT_EQ(PARAMETERrow[5], 599);
    EXPECT_EQ(PARAMETERrow[19], 599 + 75 - 15 * 19);
    EXPECT_EQ(PARAMETERwy1, 674);
    EXPECT_EQ(PARAMETERwy2, 577);
    EXPECT_EQ(PARAMETERcolx1, 5);
    EXPECT_EQ(PARAMETERcolx2, 41);
    EXPECT_EQ(PARAMETERcolx3, 82);
}

TEST_F(Geometry, CameraBoxesUseIntegerHalvesOfAnOddWidth)
{
    Measure(1025, 769);
    EXPECT_EQ(CAMinfoAwx1, 462);
    EXPECT_EQ(CAMinfoAwx2, 562);
    EXPECT_EQ(CAMinfoBwx1, 462);
    EXPECT_EQ(CAMinfoAwy1, 719);   // 0.935 * 769 = 719.0
    EXPECT_EQ(CAMinfoAwy2, 695);
    EXPECT_EQ(CAMinfoBwy1, 692);
    EXPECT_EQ(CAMinfoBwy2, 669);
    EXPECT_EQ(CAMinfoCwy1, 749);
    EXPECT_EQ(CAMinfoDwx1, 927);
    EXPECT_EQ(CAMinfoDwx2, 958);
    EXPECT_EQ(CAMinfoDwy1, 400);
    EXPECT_EQ(CAMinfoDwy2, 368);
    EXPECT_EQ(CAMinfo_breite, 461);
}

TEST(GeometryFirstCall, APanelAtTheOriginIsStillPlacedOnTheFirstCall)
{
    xphost::reset();
    PanelEdgesKnown = 0;
    total_pnl_l1 = 0.0f;
    total_pnl_b1 = 0.0f;
    SCAM1leftm = ECAMcol1 = SCAM1topm = 0;
    xphost::attach(LinkedPlugin());
    ASSERT_EQ(xphost::start(), 1);   // measures once with both edges at exactly 0
    EXPECT_EQ(SCAM1leftm, 31);
    EXPECT_EQ(ECAMcol1, 76);
    EXPECT_EQ(SCAM1topm, 462);
    EXPECT_EQ(ECAMrow1, 457);
    EXPECT_EQ(SCAMrow[26], 462 - 80 - 12);
}

TEST_F(Geometry, PanelEdgesAreFlooredBeforeTheOffsetIsAdded)
{
    xphost::set_f("sim/graphics/view/panel_total_pnl_l", -0.5f);
    xphost::set_f("sim/graphics/view/panel_total_pnl_b", 20.75f);
    UpdatePanel();
    EXPECT_EQ(SCAM1leftm, 30);
    EXPECT_EQ(ECAMcol1, 75);
    EXPECT_EQ(ECAMcol6, 69);
    EXPECT_EQ(ALTcol, 766);
    EXPECT_EQ(SCAMcol[11], 30 + 121);
    EXPECT_EQ(SCAMtempX[5], 30 + 130);
    EXPECT_EQ(ECAMrow1, 477);
    EXPECT_EQ(ALTrow, 511);
    EXPECT_EQ(SCAM1botm2, 20 + 285 - 10);
    EXPECT_EQ(SCAMrow[25], SCAM1botm2);
    EXPECT_EQ(SCAMtempY[3], 20 + 462 - 164);
}

TEST_F(Geometry, ScrollingThePanelDownMovesOnlyTheRows)
{
    xphost::set_f("sim/graphics/view/panel_total_pnl_l", 100.0f);
    xphost::set_f("sim/graphics/view/panel_total_pnl_b", 50.0f);
    UpdatePanel();
    const int cols[] = {SCAM1leftm, ECAMcol1, ECAMcol5, ALTcol, SCAMcol[9], SCAMtempX[2]};
    const int rows[] = {ECAMrow1, ECAMrow2, ALTrow, SCAM1topm, SCAM1botm1, SCAMrow[21], SCAMrow[26], SCAMtempY[1]};

    xphost::set_f("sim/graphics/view/panel_total_pnl_b", 40.0f);
    UpdatePanel();
    const int colsAfter[] = {SCAM1leftm, ECAMcol1, ECAMcol5, ALTcol, SCAMcol[9], SCAMtempX[2]};
    const int rowsAfter[] = {ECAMrow1, ECAMrow2, ALTrow, SCAM1topm, SCAM1botm1, SCAMrow[21], SCAMrow[26], SCAMtempY[1]};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(colsAfter[i], cols[i]);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(rowsAfter[i], rows[i] - 10);
}

TEST_F(Geometry, MeasuringReadsTheWindowSizeEachTime)
{
    Measure(1920, 1080);
    EXPECT_EQ(INFOwx1, 1620);
    EXPECT_EQ(INFOwy1, 885);
    Measure(800, 600);
    EXPECT_EQ(INFOwx1, 500);
    EXPECT_EQ(INFOwy1, 491);   // the double nearest 0.82 lies below it, and the product is truncated
}

}  // namespace
