// display/handbook.cpp: the handbook box and its texts.
#include "display/handbook.h"

const char info[InfoLines][InfoLineLen] = {
    "",
    "Good morning Sir!",
    "Good afternoon Sir!",
    "Good evening Sir!",
    "Good night Sir!",
    "",
};

uint8_t INFOon = 0;
uint8_t INFOon1 = 0;
uint8_t INFOfirstview = 0;
uint8_t parkbrake_initial = 0;
uint8_t go_initial = 0;

void INFODrawWindowCallback(XPLMWindowID, void*) {}
int  INFOHandleMouseClickCallback(XPLMWindowID, int, int, XPLMMouseStatus, void*) { return 1; }
void INFOHandleKeyCallback(XPLMWindowID, char, XPLMKeyFlags, char, void*, int) {}
