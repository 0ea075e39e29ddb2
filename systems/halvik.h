// systems/halvik.h: the Halvik VTOL's take-off load and its two engine modes.
#pragma once

void HalvikPreset();                 // the first variant's payload and take-off mode
void HalvikFirstAction();            // both engine modes' figures
