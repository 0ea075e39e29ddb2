// carrier/panel.cpp: the system message page.
#include "carrier/panel.h"

const SystemMessage smessage[SystemMessages] = {};   // texts land with the page

int system21mes = 0, system22mes = 0, system23mes = 0, system24mes = 0, system25mes = 0;

int SCAMPanelDrawCallback(XPLMDrawingPhase, int, void*) { return 1; }
