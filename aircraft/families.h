// aircraft/families.h: what each slot's model runs while it is loaded. The
// frame, the preset, the first action, the QZT key, the data window and the
// panel page ask this table, never the slot numbers, so a new family is a row
// here and a file in systems/.
#pragma once
#include <cstdint>
#include "XPLMCamera.h"
#include "XPLMDisplay.h"
#include "XPLMProcessing.h"

// What the custom data box shows for the model.
enum DataWindowContent : uint8_t {
    DataWindowNone,
    DataWindowGlider,      // glide ratio, range, speeds, ballast
    DataWindowStores,      // drop tanks, JATO, rocket propellant, weapon stations
};

// The rocket a store-carrying model can run.
enum RocketKind : uint8_t {
    NoRocket,
    TstoffRocket,          // engines 3 and 4 on T-Stoff tanks
    UnitRocket,            // engine 3, with its unit on station 1
};

// When the tank selector moves on from tank 2 to tank 4.
enum TankSwitch : uint8_t {
    TankSwitchNone,
    TankSwitchDry,         // tank 2 is empty
    TankSwitchLow,         // tank 2 holds less than 3 kg
};

// Why a family's state is reset. One function per family serves every path,
// so nothing is reset on one and forgotten on another.
enum ResetReason : uint8_t {
    ResetPreset,           // a load, an airport load or a crash; the loop keeps running
    ResetCleanUp,          // another aircraft comes; the loop has stopped
    ResetDisable,          // the plug-in is disabled; the loop has stopped until it is enabled
};

struct PlaneFamily {
    const char*         role = "no model";          // the model family, as people call it
    XPLMFlightLoop_f    loop = nullptr;              // the 0.1 s model loop, or none
    float*              loopInterval = nullptr;      // its interval global: 0.1 while loaded, 0 to stop it
    XPLMDrawCallback_f  panelDraw = nullptr;         // drawn on the instrument panel every frame, or none
    void              (*panelPage)() = nullptr;      // the system page's content, drawn by SCAMPanelDrawCallback
    void              (*keyAction)() = nullptr;      // what the QZT key does
    XPLMCameraControl_f camera = nullptr;            // the external camera the key takes and steps
    int                 camFirst = 0, camLast = 0;   // its views; it starts at the first
    float               camHeadingMax = 0.0f;        // the yoke camera's turn at full deflection; 0 keeps it
    uint8_t             camWindow = 0;               // the camera overlay window
    uint8_t             nightVision = 0;             // the camera's first view brings night vision when dark
    DataWindowContent   dataWindow = DataWindowNone;
    TankSwitch          tankSwitch = TankSwitchNone;
    uint8_t             bomberJato = 0;              // JATO packs on station 1 run as engines 7 and 8
    RocketKind          rocket = NoRocket;
    int                 metricX = 0, metricY = 0;    // metric autopilot altitude position; 0, 0 = none
    uint8_t             englishUnits = 0;            // the custom data window in English units
    void              (*preset)() = nullptr;         // the model's own part of the load preset
    void              (*firstAction)() = nullptr;    // the model's own part of the first action
    void              (*reset)(ResetReason why) = nullptr;   // the model's state back to its start
};

// The family of a slot; slots without a model (and out-of-range slots) get a
// family that runs nothing.
const PlaneFamily& FamilyOf(int slot);

inline bool SlotIn(int slot, int first, int last) { return slot >= first && slot <= last; }
