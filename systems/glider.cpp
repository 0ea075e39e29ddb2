// systems/glider.cpp: the motor glider's state.
#include "systems/glider.h"

uint8_t engOn = 1, gearstat = 1, propstat = 1, mixstat = 1;
