// prefs/dialog.h: the plug-in's menu handler and its dialog, an information
// page and a settings page built from the host's standard widgets. The
// settings page edits the working copies; saving commits them and writes the
// preferences file.
#pragma once
#include <cstdint>
#include "XPWidgetDefs.h"

extern int MenuItem;                 // page of the open dialog: 0 none, 1 description, 2 preferences
extern XPWidgetID QZTflightGovWidget;  // the dialog's main window, root of all its widgets

// Text fields of the settings page (display only). The key capture writes QZTkeyText.
extern XPWidgetID QZTkeyText;
extern XPWidgetID orb_latitudeText, orb_longitudeText, orb_elevationText;
extern XPWidgetID orb_headText, orb_pitchText, orb_speedText, orbindex_activeText;
extern XPWidgetID Halv_TO_modeText, HalvFuelText;
// Check boxes, each editing one working copy.
extern XPWidgetID InfoCheckBox, FeetAltBox, GearUpDownCheckBox, FlapsUpCheckBox, EngineRamCheckBox;
// Push buttons.
extern XPWidgetID OrbSelectUButton, OrbSelectDButton, DefineQZTkeyButton, SetLoadkeyButton;
extern XPWidgetID DefaultButton, DiscardButton, SaveButton;

extern XPWidgetID QZTclosedWidget;   // a dialog closed from its own callbacks, hidden until destroyed

// Destroys the dialog, open or closed, and ends a key capture; for the menu
// handler and the plug-in's stop, never from the dialog's own callbacks.
void DialogStop();
// Registered at the start, inactive; one frame after a close it destroys the
// closed dialog, then waits for the next.
float DialogDestroyLoop(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter, void* refcon);
// inItemRef is the item's own name string, "Description" or "Preferences".
void QZTflightGovMenuHandler(void* inMenuRef, void* inItemRef);
// Builds the page MenuItem names; left and top in screen pixels.
void CreateQZTflightGovWidget(int x, int y, int w, int h);
int  QZTflightGovHandler(XPWidgetMessage inMessage, XPWidgetID inWidget, intptr_t inParam1, intptr_t inParam2);
