// display/parameter.h: the custom data box at the left edge of the screen: the
// motor glider's glide figures, and for the fighters and bombers the launch
// figures of each weapon, the drop-tank fuel, the boosters and the rocket.
#pragma once
#include <cstdint>
#include "XPLMDisplay.h"

extern uint8_t PARAMETERon;          // the box is shown; toggled only by clicks, kept across loads

// Launch record per weapon station 0 to 7.
enum { LaunchStations = 8 };
extern int   w_sectenthbegin[LaunchStations];  // mission tenths when the launch was first seen; 0 = none
extern float w_msc_launch[LaunchStations];     // aircraft's true airspeed then, m/s
extern float msc_overlaunch[LaunchStations];   // weapon speed over that, m/s
extern float w_m_dist[LaunchStations];         // distance from where the weapon left, m
extern float WeaponsX1[LaunchStations], WeaponsY1[LaunchStations], WeaponsZ1[LaunchStations];  // there

// Drop-tank figures of the last draw.
extern float DTANKliter, DTANKgallon;  // fuel left
extern float DTANKdur;               // s at the present flow of engines 1 and 2
extern float DTANKrange;             // m at the present true airspeed

void PARAMETERDrawWindowCallback(XPLMWindowID inWindowID, void* inRefcon);
int  PARAMETERHandleMouseClickCallback(XPLMWindowID inWindowID, int x, int y, XPLMMouseStatus inMouse, void* inRefcon);
void PARAMETERHandleKeyCallback(XPLMWindowID inWindowID, char inKey, XPLMKeyFlags inFlags, char inVirtualKey,
                                void* inRefcon, int losingFocus);
void PARAMETERClearRecords();        // the launch records forgotten, for the next aircraft
// Every tick of the stores' loop: the listed weapons' launch records and figures.
void PARAMETERTrackWeapons();
