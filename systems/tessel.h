// systems/tessel.h: the Tessel two-seater pair.
#pragma once

void TesselFirstAction();            // payload of two
