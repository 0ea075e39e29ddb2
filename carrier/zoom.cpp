// carrier/zoom.cpp: SHdoZoom, the zoom-climb autopilot.
#include "carrier/zoom.h"

int     zoom_on = 0;
int     schalt1 = 0;
float   zlevel1 = 0.0f, zlevel2 = 0.0f;
float   zspeed1 = 0.0f;
float   zendlevel = 0.0f, zendspeed = 0.0f;
float   trimincr = 0.0f;
float   minFuel = 0.0f, maxFuel = 0.0f;
float   maxFWD2 = 1.0f, currmaxFWD2 = 1.0f;
uint8_t TARGETalt = 0;
float   floatBuffer1 = 0.0f, floatBuffer2 = 0.0f, floatBuffer3 = 0.0f, floatBuffer4 = 0.0f;

void SHdoZoom() {}
