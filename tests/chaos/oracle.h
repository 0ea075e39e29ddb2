// tests/chaos/oracle.h: what the plug-in should run for each model, written
// from the documented roles of the slots (the recognition texts, and which
// loop, panel drawing and windows each model has), never from the plug-in's
// own tables.
#pragma once
#include <string>

enum { Slots = 60 };

// The recognition text of a slot, or nullptr for a slot without a model.
const char* SlotText(int slot);
// The slot a user's aircraft with this description is recognised as; the
// bytes are what the simulator holds (they may lack a NUL). 0: none.
int RecognisedSlot(const std::string& description);

// Names of the plug-in's callbacks the slot has, or "" for none.
std::string ModelLoop(int slot);
std::string PanelDrawing(int slot);
bool        HasHandbook(int slot);
bool        HasCameraWindow(int slot);
bool        HasCamera(int slot);          // the QZT key takes the view

// The simulator's controls a model may take for itself, and which models may.
struct HeldControl {
    const char* path;
    bool (*mayHold)(int slot);
};
enum { HeldControlCount = 8 };
extern const HeldControl HeldControls[HeldControlCount];
