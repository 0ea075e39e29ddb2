// display/handbook.h: the operating handbook box at the top right of the screen.
#pragma once
#include <cstdint>
#include "XPLMDisplay.h"

enum { InfoLines = 250, InfoLineLen = 60 };
extern const char info[InfoLines][InfoLineLen];

extern uint8_t INFOon;               // the box is shown
extern uint8_t INFOon1;              // open it at the model's first action
extern uint8_t INFOfirstview;        // first showing after a load: brake release closes it
extern uint8_t parkbrake_initial;    // the first brake release is still awaited
extern uint8_t go_initial;           // the pilot released the brake; the orbiter consumes it

void INFODrawWindowCallback(XPLMWindowID inWindowID, void* inRefcon);
// Every 0.1 s while a model is loaded: the first brake release after a load.
float CheckBrake(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter, void* refcon);
int  INFOHandleMouseClickCallback(XPLMWindowID inWindowID, int x, int y, XPLMMouseStatus inMouse, void* inRefcon);
void INFOHandleKeyCallback(XPLMWindowID inWindowID, char inKey, XPLMKeyFlags inFlags, char inVirtualKey,
                           void* inRefcon, int losingFocus);
