// common/keys.h: the key sniffer and the QZT key, the camera state the keys
// step, and the Halvik's take-off modes.
#pragma once
#include <cstdint>
#include "XPLMDisplay.h"

extern int     keystat1;             // take-off mode index of the QZT key; -1 after a disable
extern int32_t CAMERAid;             // current external camera view
extern uint8_t CAMERAoff;            // no camera of the plug-in has the view
extern float   CAMERAzoom;           // never below 1: the twin's mouse steering divides by it
extern uint8_t CAMzoomIn, CAMzoomOUT;  // camera zoom keys (up and down arrows)
extern char    gChar;                // last key event seen
extern uint8_t gVirtualKey;          // virtual key codes are unsigned bytes
extern int32_t gFlags;
extern int32_t defKey;               // 1 while the dialog waits for a new QZT key
enum { CharBufferLen = 255 };
extern char    charBuffer[CharBufferLen];  // the host's name of the captured key
extern float   fuel_tot;             // fuel of the selected take-off mode, or the carrier's tank sum, kg

// Screen and mouse as the cameras last read them, pixels.
extern int32_t screenw, screenh;
extern int32_t mousex, mousey;
extern int32_t mousey1;              // mouse height when the view started or changed
extern uint8_t mousemoved;           // the mouse has moved vertically since then
extern int32_t mouseNeutralx1, mouseNeutralx2, mouseNeutraly1, mouseNeutraly2;
extern int32_t night_vision_on_was;  // night vision before the twin's camera took the view

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

// What the keys do, whether pressed on the keyboard or run as the plug-in's
// commands: one path for both.
void QZTkeyAction();                 // the loaded model's special function
void CAMzoomInAction();              // a running camera of the plug-in zooms in
void CAMzoomOutAction();             // and out, never below 1
