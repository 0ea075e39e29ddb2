// systems/tessel.cpp: the Tessel two-seater pair.
#include "systems/tessel.h"
#include "frame/controls.h"

void TesselFirstAction() { WriteFixedMass(150.0f); }
