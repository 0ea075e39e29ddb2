// display/geometry.cpp: MeasurePanel and UpdatePanel.
#include "display/geometry.h"
#include "common/hostvalues.h"
#include "frame/datarefs.h"

int INFOlin = 4;
int PARAMETERlinUP = 0, PARAMETERlinDOWN = 0;

int INFOwx1 = 0, INFOwx2 = 0, INFOwy1 = 0, INFOwy2 = 0;
int INFOcolx = 0, INFOcoly = 0;
int INFOrow[30] = {};
int INFOcclickwx1 = 0, INFOcclickwx2 = 0, INFOcclickwy1 = 0, INFOcclickwy2 = 0;

int PARAMETERwx1 = 0, PARAMETERwx2 = 0, PARAMETERwy1 = 0, PARAMETERwy2 = 0;
int PARAMETERcolx1 = 0, PARAMETERcolx2 = 0, PARAMETERcolx3 = 0;
int PARAMETERcoly = 0;
int PARAMETERrow[20] = {};
int PARAMETERclickwx1 = 0, PARAMETERclickwx2 = 0, PARAMETERclickwy1 = 0, PARAMETERclickwy2 = 0;

int CAMinfoAwx1 = 0, CAMinfoAwx2 = 0, CAMinfoAwy1 = 0, CAMinfoAwy2 = 0;
int CAMinfoBwx1 = 0, CAMinfoBwx2 = 0, CAMinfoBwy1 = 0, CAMinfoBwy2 = 0;
int CAMinfoCwx1 = 0, CAMinfoCwx2 = 0, CAMinfoCwy1 = 0;
int CAMinfoDwx1 = 0, CAMinfoDwx2 = 0, CAMinfoDwy1 = 0, CAMinfoDwy2 = 0;
int CAMinfo_breite = 0;

float total_pnl_l1 = 0.0f, total_pnl_b1 = 0.0f;
uint8_t PanelEdgesKnown = 0;
int SCAM1leftm = 0;
int ECAMcol1 = 0, ECAMcol2 = 0, ECAMcol3 = 0, ECAMcol4 = 0, ECAMcol5 = 0, ECAMcol6 = 0;
int ALTcol = 0;
int SCAMcol[13] = {};
int SCAMtempX[6] = {};
int ECAMrow1 = 0, ECAMrow2 = 0, ALTrow = 0;
int SCAM1topm = 0, SCAM1botm1 = 0, SCAM1botm2 = 0;
int SCAMrow[27] = {};
int SCAMtempY[6] = {};

float colorW[3]   = {0.85f, 0.85f, 0.85f};
float colorY[3]   = {0.9f, 0.9f, 0.2f};
float colorG[3]   = {0.6f, 0.6f, 0.6f};
float colorB[3]   = {0.2f, 0.3f, 0.85f};
float colorSCH[3] = {0.2f, 0.2f, 0.2f};
float colorW2[3]  = {0.75f, 0.75f, 0.75f};
float colorT[6][3] = {};

// Fractions of the window are double constants, truncated toward zero.
static int Part(double factor, int size) { return static_cast<int>(factor * size); }

void MeasurePanel()
{
    // Every rectangle below is window arithmetic: an absurd size must not overflow it.
    window_w = HostSize(XPLMGetDatai(dr_window_w));
    window_h = HostSize(XPLMGetDatai(dr_window_h));
    const int halfW = window_w / 2;
    const int halfH = window_h / 2;

    INFOwx1 = window_w - 300;
    INFOwx2 = window_w;
    INFOwy1 = Part(0.82, window_h);
    INFOwy2 = INFOwy1 - 15 * INFOlin - 20;
    INFOcolx = INFOwx1 + 7;
    INFOcoly = INFOwy1 - 12;
    for (int i = 1; i < 30; ++i)
        INFOrow[i] = INFOcoly - 15 * i;
    INFOrow[0] = INFOrow[1] + 12;
    // Both click strips span the same height band.
    INFOcclickwx1 = window_w - 50;
    INFOcclickwx2 = window_w;
    INFOcclickwy1 = Part(0.97, window_h);
    INFOcclickwy2 = Part(0.5, window_h);

    PARAMETERwx1 = 0;
    PARAMETERwx2 = 150;   // 25 characters of the basic font: the drop tanks' time and range row
    PARAMETERcolx1 = PARAMETERwx1 + 5;
    PARAMETERcolx2 = PARAMETERwx1 + 41;
    PARAMETERcolx3 = PARAMETERwx1 + 82;
    PARAMETERcoly = Part(0.78, window_h);
    for (int i = 0; i < 20; ++i)
        PARAMETERrow[i] = PARAMETERcoly + 75 - 15 * i;
    PARAMETERwy1 = PARAMETERrow[5] + 15 * PARAMETERlinUP + 15;
    PARAMETERwy2 = PARAMETERrow[5] - 15 * PARAMETERlinDOWN - 7;
    PARAMETERclickwx1 = 0;
    PARAMETERclickwx2 = 50;
    PARAMETERclickwy1 = Part(0.97, window_h);
    PARAMETERclickwy2 = Part(0.5, window_h);

    CAMinfoAwx1 = halfW - 50;
    CAMinfoAwx2 = halfW + 50;
    CAMinfoAwy1 = Part(0.935, window_h);
    CAMinfoAwy2 = Part(0.905, window_h);
    CAMinfoBwx1 = halfW - 50;
    CAMinfoBwx2 = halfW + 50;
    CAMinfoBwy1 = Part(0.9, window_h);
    CAMinfoBwy2 = Part(0.87, window_h);
    CAMinfoCwx1 = 20;
    CAMinfoCwx2 = 480;
    CAMinfoCwy1 = window_h - 20;
    CAMinfoDwx1 = Part(0.905, window_w);
    CAMinfoDwx2 = Part(0.935, window_w);
    CAMinfoDwy1 = halfH + 16;
    CAMinfoDwy2 = halfH - 16;
    CAMinfo_breite = Part(0.45, window_w);

    UpdatePanel();
}

// Floor of the edge, then the offset. An edge that is not a number or lies
// beyond any screen is taken as the nearest edge a panel can have.
static int FromEdge(float edge, int offset) { return HostFloorPixel(edge) + offset; }

void UpdatePanel()
{
    total_pnl_b = XPLMGetDataf(dr_total_pnl_b);
    total_pnl_l = XPLMGetDataf(dr_total_pnl_l);

    if (!PanelEdgesKnown || total_pnl_l != total_pnl_l1) {
        SCAM1leftm = FromEdge(total_pnl_l, 31);
        ECAMcol1 = FromEdge(total_pnl_l, 76);
        ECAMcol2 = ECAMcol1 + 27;
        ECAMcol3 = ECAMcol1 + 65;
        ECAMcol4 = ECAMcol1 + 93;
        ECAMcol5 = ECAMcol1 + 118;
        ECAMcol6 = ECAMcol1 - 6;
        ALTcol = ECAMcol1 + 691;
        SCAMcol[9] = SCAM1leftm + 128;
        SCAMcol[10] = SCAM1leftm + 60;
        SCAMcol[11] = SCAM1leftm + 121;
        SCAMcol[12] = SCAM1leftm + 169;
        SCAMtempX[1] = SCAM1leftm + 95;
        SCAMtempX[2] = SCAM1leftm + 29;
        SCAMtempX[3] = SCAM1leftm + 45;
        SCAMtempX[4] = SCAM1leftm + 113;
        SCAMtempX[5] = SCAM1leftm + 130;
        total_pnl_l1 = total_pnl_l;
    }

    if (PanelEdgesKnown && total_pnl_b == total_pnl_b1)
        return;
    ECAMrow1 = FromEdge(total_pnl_b, 457);
    ECAMrow2 = ECAMrow1 - 39;
    ALTrow = ECAMrow1 + 34;
    SCAM1topm = FromEdge(total_pnl_b, 462);
    SCAM1botm1 = FromEdge(total_pnl_b, 285);
    SCAM1botm2 = SCAM1botm1 - 10;
    SCAMrow[21] = SCAM1topm - 15;
    SCAMrow[22] = SCAM1topm - 30;
    SCAMrow[23] = SCAM1topm - 45;
    SCAMrow[24] = SCAM1topm - 80;
    SCAMrow[25] = SCAM1botm2;
    SCAMrow[26] = SCAMrow[24] - 12;
    SCAMtempY[1] = SCAM1topm + 8;   // clear of the ECAM line that crosses the nose
    SCAMtempY[2] = SCAM1topm - 121;
    SCAMtempY[3] = SCAM1topm - 164;
    SCAMtempY[4] = SCAM1topm - 164;
    SCAMtempY[5] = SCAM1topm - 121;
    total_pnl_b1 = total_pnl_b;
    PanelEdgesKnown = 1;
}
