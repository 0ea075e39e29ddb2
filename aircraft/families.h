// aircraft/families.h: what each slot's model runs while it is loaded. The
// frame, the preset, the first action and the panel page ask this table, never
// the slot numbers, so a new family is a row here and a file in systems/.
#pragma once
#include <cstdint>
#include "XPLMDisplay.h"
#include "XPLMProcessing.h"

struct PlaneFamily {
    const char*        role;            // the model family, as people call it
    XPLMFlightLoop_f   loop;            // the 0.1 s model loop, or none
    float*             loopInterval;    // its interval global: 0.1 while loaded, 0 to stop it
    uint8_t            loopStopsOnDisable;  // a disable stops the loop until the next load
    XPLMDrawCallback_f panelDraw;       // drawn on the instrument panel every frame, or none
    void             (*panelPage)();    // the system page's content, drawn by SCAMPanelDrawCallback
    uint8_t            camWindow;       // the camera overlay window
    uint8_t            dropEquip;       // drop tanks, JATO, rocket engines and weapons
    int                metricX, metricY;    // metric autopilot altitude position; 0, 0 = none
    uint8_t            englishUnits;    // the custom data window in English units
    void             (*preset)();       // the model's own part of the load preset
    void             (*firstAction)();  // the model's own part of the first action
    void             (*handBack)();     // resets the loop's state once the loop has stopped
};

// The family of a slot; slots without a model (and out-of-range slots) get a
// family that runs nothing.
const PlaneFamily& FamilyOf(int slot);

inline bool SlotIn(int slot, int first, int last) { return slot >= first && slot <= last; }
