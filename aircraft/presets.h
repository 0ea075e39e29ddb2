// aircraft/presets.h: the starting condition of the recognised model.
#pragma once
#include <cstdint>

extern uint8_t DROPequip;            // stores, JATO and rocket logic runs (slots 9 to 27)
extern uint8_t MetricAUTOequip;      // metric autopilot altitude is drawn
extern int     MetricALTx, MetricALTy; // its panel position
extern uint8_t UNITisENGLISH;        // custom data in English units (slots 18 to 21)

void PlanePreset();
