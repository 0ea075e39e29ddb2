// systems/korva.h: the Korva light twin: its external cameras with their
// overlay window, and the loop that passes the electrical state on.
#pragma once
#include <cstdint>
#include "XPLMCamera.h"
#include "XPLMDisplay.h"
#include "aircraft/families.h"

extern uint8_t CAMERAon;
extern float   CAMERAheadingMax;     // largest yoke-steered heading offset of camera 0
extern float   aircraft_roll_ratio;  // the aircraft's roll / 60, for the overlay's roll bar

void KorvaPreset();                  // camera views and the yoke camera's range
void KorvaTwinFirstAction();         // cabin load of the twins
void KorvaSmallFirstAction();        // and of the small variants
void KorvaReset(ResetReason why);    // the switch states the loop last saw, as at start

// Battery and avionics on together switch the model's puffers and clutch on.
float CheckKorva(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter, void* refcon);

int  ExtCameraKorvaFunc(XPLMCameraPosition_t* outCameraPosition, int inIsLosingControl, void* inRefcon);

// The CAM window: vertical speed, roll and camera heading while a camera runs.
void CAMDrawWindowCallback(XPLMWindowID inWindowID, void* inRefcon);
void CAMHandleKeyCallback(XPLMWindowID inWindowID, char inKey, XPLMKeyFlags inFlags, char inVirtualKey,
                          void* inRefcon, int losingFocus);
int  CAMHandleMouseClickCallback(XPLMWindowID inWindowID, int x, int y, XPLMMouseStatus inMouse, void* inRefcon);
