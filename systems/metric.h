// systems/metric.h: the dialled autopilot altitude in metres on the metric
// panels of the fighters, flying wings and bombers.
#pragma once
#include "XPLMDisplay.h"

extern int   intBuffer1;             // whole 25 m steps in the dialled altitude
extern float ap_altitude_m;          // the dialled altitude in metres, a multiple of 25

// Drawn on the panel every frame at the family's position (MetricALTx,
// MetricALTy from the panel's left and bottom edges); with showFeetAP the
// feet just above.
int MetricAUTODrawCallback(XPLMDrawingPhase inPhase, int inIsBefore, void* inRefcon);
