// carrier/orbiter.h: the orbit release table and the orbiter's ascent.
#pragma once
#include <cstdint>
#include "aircraft/families.h"

enum { OrbRecords = 11 };            // record 0 is the default release, 1 to 10 take releases
extern double orb_latitude[OrbRecords];
extern double orb_longitude[OrbRecords];
extern double orb_elevation[OrbRecords];     // m
extern float  orb_local_vx[OrbRecords], orb_local_vy[OrbRecords], orb_local_vz[OrbRecords];
extern float  orb_quaternion[OrbRecords][4];
extern float  orb_pitch[OrbRecords], orb_roll[OrbRecords], orb_head[OrbRecords];
extern float  orb_speed[OrbRecords];         // km/s

extern double G_konst;               // m^3/(kg s^2)
extern double Planet_masse;          // planet mass in units of 10^6 kg
extern float  Planet_radius;         // km

extern float  groundspeedKMS, orbspeedKMS, ORB_AltKM;
extern float  fuel_2full;            // rocket tank content at placement, kg
extern int    mis_time_hold1;        // mission tenths at placement or engine cut
extern uint8_t ORBcut;               // engine cut made; the booster disarm and tank change are still due

// A release just stored in record rec: its heading, pitch and roll from its
// quaternion and its speed from its velocity, as the dialog shows them.
void  ORBreleaseFigures(int rec);
void  OrbiterReset(ResetReason why); // the ascent's state as at start; a disable ends the ascent
float CheckOrbiter(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter, void* refcon);
