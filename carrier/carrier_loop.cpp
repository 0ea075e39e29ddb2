// carrier/carrier_loop.cpp: CheckSkyhoist, the carrier's 0.1 s loop.
#include "carrier/carrier.h"
#include "aircraft/models.h"
#include "common/timers.h"

float   CurrentAltKM = 0.0f;
uint8_t prop_sync_on1 = 0;
uint8_t water_scoop1 = 0;
uint8_t BAYladen = 0, BAYladen1 = 0;
uint8_t BAYtrim = 0;
uint8_t ORBfuelgone = 0;
uint8_t ORBemergout = 0;
uint8_t water = 0;
float   WASSERverbrauch = 0.0f;
float   thrust_maximum = 1.0f;
float   tmax_acf = 0.0f, tmax_curr = 0.0f;
uint8_t ISdihedral = 0, ISdihedral1 = 0;
uint8_t ISsweep = 0, ISsweep1 = 0;
float   tempc[6] = {};
uint8_t SHOISTactive = 0;
uint8_t SHOISTfromLOC = 0;

float CheckSkyhoist(float, float, int, void*)
{
    Timer();
    return CheckSkyhoistCallback;
}

void SHdoNavigation() {}
