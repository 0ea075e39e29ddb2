// common/keys.h: the key sniffer, the camera state the keys step, and the
// Halvik's take-off modes.
#pragma once
#include <cstdint>
#include "XPLMDisplay.h"

extern int     keystat1;             // take-off mode index of the QZT key; -1 after a disable
extern int32_t CAMERAid;             // current external camera view
extern uint8_t CAMERAoff;            // no camera of the plug-in has the view
extern float   CAMERAzoom;
extern char    CAMzoomIn, CAMzoomOUT;  // camera zoom keys (up and down arrows)
extern char    gChar, gVirtualKey;   // last key event seen
extern int32_t gFlags;
extern int32_t defKey;               // 1 while the dialog waits for a new QZT key
extern float   fuel_tot;             // fuel of the selected take-off mode, or the carrier's tank sum, kg

// Take-off mode table of the Halvik: 88-byte records ended by mode 99.
struct HalvTakeOffRow {
    char    text[80];                // spoken when the mode is chosen
    int32_t mode;
    int32_t fuel;                    // pounds
};
static_assert(sizeof(HalvTakeOffRow) == 88, "take-off records are 88 bytes");
enum { HalvTakeOffRows = 5 };
extern const HalvTakeOffRow HalvTakeOff[HalvTakeOffRows];

int MyKeySniffer(char inChar, XPLMKeyFlags inFlags, char inVirtualKey, void* refcon);
