// carrier/carrier_systems.cpp: the carrier's engine, systems and temperatures.
#include "carrier/carrier.h"

void SHdoEngine() {}
void SHdoSystem() {}
void SHdoDisplay() {}
