// aircraft/models.h: the maker's model table, recognition, and the model's
// callbacks and windows.
#pragma once
#include <cstdint>
#include "XPLMDisplay.h"
#include "aircraft/families.h"

// One row of the model table: 200 bytes, initialised data.
struct IdPlaneRow {
    char    tailnum[40];     // not used by any operation
    char    descrip[100];    // recognition text, found anywhere in the aircraft's description
    char    ICAO[40];        // not used by any operation
    int32_t slot;            // the row's own index
    int32_t infoFirst;       // first handbook line in info; 0 = no handbook window
    int32_t infoCount;
    int32_t extraFirst;      // second handbook block, appended after the first
    int32_t extraCount;
};
static_assert(sizeof(IdPlaneRow) == 200, "model table rows are 200 bytes");

enum { IdPlaneRows = 60 };
extern const IdPlaneRow IdPlane[IdPlaneRows];

extern int Ident;                    // slot of the recognised aircraft, 0 = none

// Interval of each model flight loop: 0.1 while the model is loaded, 0 to stop it.
extern float CheckGliderCallback;
extern float CheckDROPCallback;
extern float CheckHyperCallback;
extern float CheckSkyhoistCallback;
extern float CheckOrbiterCallback;
extern float CheckKorvaCallback;

extern XPLMWindowID PARAMETERWindow; // custom data click strip
extern XPLMWindowID INFOWindow;      // handbook click strip
extern XPLMWindowID CAMWindow;       // light twin camera overlay

// The model's reset with what every model hands back: held controls, camera,
// gear-light memory.
void ResetFamily(ResetReason why);
void ReadPlaneDescription();         // the user's aircraft description into descrip
void IdentifyPlane();                // descrip into Ident
void PlaneCallback();                // start the loops, drawing and windows of Ident
void PlaneCallbackClean();           // stop them, hand back what they took, destroy the windows, Ident = 0
void PlaneDisable();                 // hand back what the model holds, its state as its family decides
