// display/geometry.h: where the windows and panel overlays sit, and the colours.
// Window positions follow the host window size (MeasurePanel); panel positions
// follow the scrolled 2-D panel (UpdatePanel). Pixels, origin lower left.
#pragma once
#include <cstdint>

// Line counts the callers set before MeasurePanel.
extern int INFOlin;                  // index of the handbook box's last row
extern int PARAMETERlinUP, PARAMETERlinDOWN;  // custom data rows above and below the middle row

// Handbook box, rows and click strip.
extern int INFOwx1, INFOwx2, INFOwy1, INFOwy2;
extern int INFOcolx, INFOcoly;
extern int INFOrow[30];
extern int INFOcclickwx1, INFOcclickwx2, INFOcclickwy1, INFOcclickwy2;

// Custom data box, columns, rows and click strip.
extern int PARAMETERwx1, PARAMETERwx2, PARAMETERwy1, PARAMETERwy2;
extern int PARAMETERcolx1, PARAMETERcolx2, PARAMETERcolx3;
extern int PARAMETERcoly;
extern int PARAMETERrow[20];
extern int PARAMETERclickwx1, PARAMETERclickwx2, PARAMETERclickwy1, PARAMETERclickwy2;

// Camera overlay boxes.
extern int CAMinfoAwx1, CAMinfoAwx2, CAMinfoAwy1, CAMinfoAwy2;
extern int CAMinfoBwx1, CAMinfoBwx2, CAMinfoBwy1, CAMinfoBwy2;
extern int CAMinfoCwx1, CAMinfoCwx2, CAMinfoCwy1;
extern int CAMinfoDwx1, CAMinfoDwx2, CAMinfoDwy1, CAMinfoDwy2;
extern int CAMinfo_breite;

// Panel-attached positions of the message panel.
extern float total_pnl_l1, total_pnl_b1;  // panel edges of the last computation
extern uint8_t PanelEdgesKnown;       // 0 until the first computation: both groups are then computed
extern int SCAM1leftm;
extern int ECAMcol1, ECAMcol2, ECAMcol3, ECAMcol4, ECAMcol5, ECAMcol6;
extern int ALTcol;
extern int SCAMcol[13];
extern int SCAMtempX[6];
extern int ECAMrow1, ECAMrow2, ALTrow;
extern int SCAM1topm, SCAM1botm1, SCAM1botm2;
extern int SCAMrow[27];
extern int SCAMtempY[6];

// Colours, RGB 0..1.
extern float colorW[3];              // labels
extern float colorY[3];              // values, handbook lines
extern float colorG[3];              // handbook hints
extern float colorB[3];              // water read-out
extern float colorSCH[3];            // dark text of the camera window
extern float colorW2[3];             // metric altitude
extern float colorT[6][3];           // temperature read-outs 1 to 5

void MeasurePanel();                 // window-size positions, then UpdatePanel
void UpdatePanel();                  // panel-attached positions, when the panel moved
