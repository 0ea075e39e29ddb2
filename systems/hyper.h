// systems/hyper.h: the hypersonic business jet's last-written engine and wing values.
#pragma once

extern float swdirqst1, dihedral1, thrust_maximum1;   // 99 after a load so the first pass writes
