// systems/hyper.cpp: the hypersonic business jet's state.
#include "systems/hyper.h"

float swdirqst1 = 99.0f, dihedral1 = 99.0f, thrust_maximum1 = 99.0f;
