// aircraft/presets.h: the starting condition of the recognised model.
#pragma once
#include <cstdint>

extern int     MetricALTx, MetricALTy; // the metric autopilot altitude's panel position
extern uint8_t UNITisENGLISH;        // custom data in English units (slots 18 to 21)

void PlanePreset();
