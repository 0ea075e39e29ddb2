// common/keys.cpp: MyKeySniffer, the QZT key's action for each model, and the
// state the keys act on.
#include "common/keys.h"
#include <cstdio>
#include "XPLMUtilities.h"
#include "XPWidgets.h"
#include "aircraft/families.h"
#include "aircraft/models.h"
#include "prefs/dialog.h"
#include "prefs/prefs.h"

int     keystat1 = 0;
int32_t CAMERAid = 0;
uint8_t CAMERAoff = 0;
float   CAMERAzoom = 1.0f;
uint8_t CAMzoomIn = 0x26, CAMzoomOUT = 0x28;
char    gChar = 0;
uint8_t gVirtualKey = 0;
int32_t gFlags = 0;
int32_t defKey = 0;
char    charBuffer[CharBufferLen] = {};
float   fuel_tot = 0.0f;

int32_t screenw = 0, screenh = 0;
int32_t mousex = 0, mousey = 0, mousey1 = 0;
uint8_t mousemoved = 0;
int32_t mouseNeutralx1 = 0, mouseNeutralx2 = 0, mouseNeutraly1 = 0, mouseNeutraly2 = 0;
int32_t night_vision_on_was = 0;

const HalvTakeOffRow HalvTakeOff[HalvTakeOffRows] = {
    {"Halvik Gov loaded!", 0, 0},
    {"HEAVY JATO", 1, 65000},
    {"HOVERING", 2, 25000},
    {"DEFAULT", 3, 32500},
    {"end", 99, 0},
};

// The dialog waits for a new QZT key: the released key becomes the candidate,
// shown by the host's name for it. It takes effect when the dialog saves.
static void CaptureKey()
{
    if (gVirtualKey == 0)
        return;
    QZTkey1 = gVirtualKey;
    const char* name = XPLMGetVirtualKeyDescription(static_cast<char>(gVirtualKey));
    std::snprintf(charBuffer, sizeof charBuffer, "%s", name ? name : "");
    if (QZTkeyText)
        XPSetWidgetDescriptor(QZTkeyText, charBuffer);
    defKey = 0;
    gVirtualKey = 0;
}

// The loaded model's own special function, as its family names it.
void QZTkeyAction()
{
    const PlaneFamily& family = FamilyOf(Ident);
    if (family.keyAction)
        family.keyAction();
}

// Zoom acts only while a camera of the plug-in has the view.
void CAMzoomInAction()
{
    if (CAMERAoff == 0)
        CAMERAzoom += 1.0f;
}

void CAMzoomOutAction()
{
    if (CAMERAoff == 0)
        CAMERAzoom = CAMERAzoom - 1.0f < 1.0f ? 1.0f : CAMERAzoom - 1.0f;
}

// Sees every key before the host's windows and never consumes one. Only a
// release without modifiers acts.
int MyKeySniffer(char inChar, XPLMKeyFlags inFlags, char inVirtualKey, void*)
{
    gChar = inChar;
    gFlags = inFlags;
    gVirtualKey = static_cast<uint8_t>(inVirtualKey);
    if (inFlags != xplm_UpFlag)
        return 1;
    if (defKey == 1) {
        CaptureKey();
        return 1;
    }
    const uint8_t key = gVirtualKey;
    if (key == CAMzoomIn)
        CAMzoomInAction();
    else if (key == CAMzoomOUT)
        CAMzoomOutAction();
    if (key == QZTkey)
        QZTkeyAction();
    return 1;
}
