// carrier/orbiter.cpp: the orbit release table and CheckOrbiter.
#include "carrier/orbiter.h"
#include "aircraft/models.h"
#include "common/timers.h"

double orb_latitude[OrbRecords] = {};
double orb_longitude[OrbRecords] = {};
double orb_elevation[OrbRecords] = {};
float  orb_local_vx[OrbRecords] = {}, orb_local_vy[OrbRecords] = {}, orb_local_vz[OrbRecords] = {};
float  orb_quaternion[OrbRecords][4] = {};
float  orb_pitch[OrbRecords] = {}, orb_roll[OrbRecords] = {}, orb_head[OrbRecords] = {};
float  orb_speed[OrbRecords] = {};

double G_konst = 6.67e-11;
double Planet_masse = 5.98e18;
float  Planet_radius = 6378.0f;

float  groundspeedKMS = 0.0f, orbspeedKMS = 0.0f, ORB_AltKM = 250.0f;
float  fuel_2full = 0.0f;
int    mis_time_hold1 = 0;

float CheckOrbiter(float, float, int, void*)
{
    Timer();
    return CheckOrbiterCallback;
}
