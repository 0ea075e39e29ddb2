// systems/korva.cpp: the light twin's camera state.
#include "systems/korva.h"

uint8_t CAMERAon = 0;
float   CAMERAheadingMax = 0.0f;
