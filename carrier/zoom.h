// carrier/zoom.h: the zoom-climb autopilot that lifts the orbiter to its release.
#pragma once
#include <cstdint>

extern int     zoom_on;              // phase 0 to 6
extern int     schalt1;              // step within the phase (also the orbiter's ascent step)
extern float   zlevel1, zlevel2;     // climb target altitude, ft
extern float   zspeed1;              // final acceleration target, Mach
extern float   zendlevel, zendspeed; // recovery altitude (ft) and speed (Mach)
extern float   trimincr;             // trim growth per call in the pull-up
extern float   minFuel, maxFuel;     // kg
extern float   maxFWD2, currmaxFWD2; // base and current forward throttle limit
extern uint8_t TARGETalt;            // the zoom reached its target altitude
extern int     INDEXstored;          // release record last stored into this session; 0 = none yet
extern float   floatBuffer1, floatBuffer2, floatBuffer3, floatBuffer4;

void SHdoZoom();                     // every carrier call while SHOISTactive
