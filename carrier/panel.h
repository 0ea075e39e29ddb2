// carrier/panel.h: the system message page drawn on the carrier's and the
// hypersonic jet's instrument panels.
#pragma once
#include <cstdint>
#include "XPLMDisplay.h"

struct SystemMessage {
    char    text[40];
    int32_t number;                  // the record's own number; not read
    float   color[3];
};
enum { SystemMessages = 60 };
extern const SystemMessage smessage[SystemMessages];

// Message numbers of the page's lines; 0 = empty line.
extern int system21mes, system22mes, system23mes;  // message lines 1 to 3
extern int system24mes;              // bay line
extern int system25mes;              // water line

void DrawJetPage();                  // the hypersonic jet's water figures
void DrawCarrierPage();              // the carrier's whole page
int  SCAMPanelDrawCallback(XPLMDrawingPhase inPhase, int inIsBefore, void* inRefcon);
