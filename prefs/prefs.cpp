// prefs/prefs.cpp: the preferences file.
#include "prefs/prefs.h"

int     qzt_vers = 120;
int     qzt_vers_pref = 0;
uint8_t QZTkey = 115, QZTkey1 = 115;
uint8_t showInitialInfo = 1, showInitialInfo1 = 1;
uint8_t showFeetAP = 0, showFeetAP1 = 0;
uint8_t autoGear = 0, autoGear1 = 0;
uint8_t autoFlaps = 0, autoFlaps1 = 0;
uint8_t autoEngineRam = 0, autoEngineRam1 = 0;
int     Halv_TO_mode = 0, Halv_TO_mode1 = 0;
int     orbindex_active = 0;
int     INDEXtostore = 1;
char    outputPath[OutputPathLen] = {};

void PreferencesLoad() {}
void PreferencesSave() {}
