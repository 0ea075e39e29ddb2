// frame/controls.h: writes of the host's controls that several models share.
// What a model takes from the simulator (an override, the fire key) is taken
// through here, so the clean-up can hand all of it back whichever model took it.
#pragma once
#include <cstdint>

// Host controls a model loop may hold; each is released by writing 0.
enum HeldControl {
    HeldJoystick,          // pilot's stick disconnected
    HeldFlightDirPitch,    // flight-director pitch command overridden
    HeldFlightDirRoll,     // flight-director roll command overridden
    HeldThrottles,         // throttles set by the plug-in
    HeldFireKey,           // weapon release held down
    HeldBombsArmed,        // bomb release armed
    HeldMissilesArmed,     // missile release armed (the carrier's bay)
    HeldFuelDump,          // fuel dumping
    HeldControls
};
extern uint8_t ControlHeld[HeldControls];  // written 1 and not yet written 0

// Writes the control; a 1 is remembered until a 0 is written.
void WriteHeldControl(int control, int on);
// Writes 0 to every control still held and clears the plug-in's copies.
void ReleaseHeldControls();

// The overridden flight-director commands, written with their overrides.
void WriteFlightDirector();

// Presses the autopilot's buttons of the wanted modes that are not engaged yet.
// A write to the autopilot state presses the button of every bit written (an
// engaged mode's button switches it off), so the modes the autopilot already
// holds are left alone.
void EngageAutopilot(int wanted);

// The engine mixtures 0 to count-1, read into or written from engine_Mix.
void ReadMixtures(int count);
void WriteMixtures(int count);
// Engines and their thrust points, both written.
void SetEngineCount(int count);

void WriteFixedMass(float kg);
void WriteFiringMode(int mode);
// Tanks 1 and 2 from fuel_1 and fuel_2, and tank 3 from fuel_3 when asked.
void WriteTanks(bool third);
