// common/keys.cpp: MyKeySniffer and the state the keys act on.
#include "common/keys.h"

int     keystat1 = 0;
int32_t CAMERAid = 0;
uint8_t CAMERAoff = 0;
float   CAMERAzoom = 1.0f;
char    CAMzoomIn = 0x26, CAMzoomOUT = 0x28;
char    gChar = 0, gVirtualKey = 0;
int32_t gFlags = 0;
int32_t defKey = 0;
float   fuel_tot = 0.0f;

const HalvTakeOffRow HalvTakeOff[HalvTakeOffRows] = {
    {"Halvik Gov loaded!", 0, 0},
    {"HEAVY JATO", 1, 65000},
    {"HOVERING", 2, 25000},
    {"DEFAULT", 3, 32500},
    {"end", 99, 0},
};

// Sees every key before the host's windows and never consumes one.
int MyKeySniffer(char inChar, XPLMKeyFlags inFlags, char inVirtualKey, void*)
{
    gChar = inChar;
    gFlags = inFlags;
    gVirtualKey = inVirtualKey;
    return 1;
}
