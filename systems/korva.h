// systems/korva.h: the light twin's external cameras.
#pragma once
#include <cstdint>

extern uint8_t CAMERAon;
extern float   CAMERAheadingMax;     // largest yoke-steered heading offset of camera 0

void KorvaPreset();                  // camera views and the yoke camera's range
void KorvaFirstAction();             // cabin load
