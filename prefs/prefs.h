// prefs/prefs.h: the user's settings and the preferences file that keeps them
// with the orbit release table. Each setting has a working copy (suffix 1)
// that the dialog edits and saving commits.
#pragma once
#include <cstdint>

extern int     qzt_vers;             // version of the program that writes the file
extern int     qzt_vers_pref;        // version read from the file; not interpreted
extern uint8_t QZTkey, QZTkey1;      // the QZT key, a host virtual key code
extern uint8_t showInitialInfo, showInitialInfo1;
extern uint8_t showFeetAP, showFeetAP1;
extern uint8_t autoGear, autoGear1;
extern uint8_t autoFlaps, autoFlaps1;
extern uint8_t autoEngineRam, autoEngineRam1;
extern int     Halv_TO_mode, Halv_TO_mode1;

extern int     orbindex_active;      // record the next orbiter starts from, the dialog's record on display
extern int     orbindex_last;        // record of the latest release, the file's index line
extern int     INDEXtostore;         // record 1 to 10 that this run's releases fill

// The host's system-path call fills a buffer of 1024 bytes; the file's path
// below that folder always fits behind it. UTF-8 with '/' where the host gives
// native paths.
enum { HostPathLen = 1024, OutputPathLen = HostPathLen + 64 };
extern char    outputPath[OutputPathLen];

// The last failure to read or write the file, in words; nullptr while none.
// The plug-in then runs on the values in memory and leaves the file alone.
extern const char* PrefsFailure;

// The working copies back to the settings in use (after a load, or a dialog
// closed without saving).
void ResetWorkingCopies();

void PreferencesLoad();
// False when the file could not be written; it then stays as it was.
bool PreferencesSave();
