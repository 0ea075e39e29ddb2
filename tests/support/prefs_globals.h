// tests/support/prefs_globals.h: the settings and release records back at
// their start-up values, as in a fresh process.
#pragma once
#include "carrier/orbiter.h"
#include "prefs/prefs.h"

inline void ResetPreferenceGlobals()
{
    qzt_vers = 120;
    qzt_vers_pref = 0;
    QZTkey = QZTkey1 = 115;
    showInitialInfo = showInitialInfo1 = 1;
    showFeetAP = showFeetAP1 = 0;
    autoGear = autoGear1 = 0;
    autoFlaps = autoFlaps1 = 0;
    autoEngineRam = autoEngineRam1 = 0;
    Halv_TO_mode = Halv_TO_mode1 = 0;
    orbindex_active = 0;
    orbindex_last = 0;
    INDEXtostore = 0;
    outputPath[0] = '\0';
    PrefsFailure = nullptr;
    for (int i = 0; i < OrbRecords; ++i) {
        orb_latitude[i] = orb_longitude[i] = orb_elevation[i] = 0.0;
        orb_local_vx[i] = orb_local_vy[i] = orb_local_vz[i] = 0.0f;
        for (float& q : orb_quaternion[i])
            q = 0.0f;
        orb_pitch[i] = orb_roll[i] = orb_head[i] = orb_speed[i] = 0.0f;
    }
}
