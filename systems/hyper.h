// systems/hyper.h: the hypersonic business jet.
#pragma once

extern float swdirqst1, dihedral1, thrust_maximum1;   // 99 after a load so the first pass writes

void HyperPreset();                  // rated thrust, wing and thrust copies, camera views
void HyperFirstAction();             // tanks and the water for the injection
