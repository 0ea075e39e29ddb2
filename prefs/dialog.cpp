// prefs/dialog.cpp: the menu handler and the dialog behind it. Widgets are
// placed relative to the dialog's top left corner (x, y), its right edge R
// and its bottom edge B; y grows upwards.
#include "prefs/dialog.h"
#include <cstdio>
#include <cstring>
#include "XPLMProcessing.h"
#include "XPLMUtilities.h"
#include "XPStandardWidgets.h"
#include "XPWidgets.h"
#include "carrier/orbiter.h"
#include "common/keys.h"
#include "frame/datarefs.h"
#include "prefs/prefs.h"

int MenuItem = 0;
XPWidgetID QZTflightGovWidget = nullptr;
XPWidgetID QZTkeyText = nullptr;
XPWidgetID orb_latitudeText = nullptr, orb_longitudeText = nullptr, orb_elevationText = nullptr;
XPWidgetID orb_headText = nullptr, orb_pitchText = nullptr, orb_speedText = nullptr, orbindex_activeText = nullptr;
XPWidgetID Halv_TO_modeText = nullptr, HalvFuelText = nullptr;
XPWidgetID InfoCheckBox = nullptr, FeetAltBox = nullptr, GearUpDownCheckBox = nullptr, FlapsUpCheckBox = nullptr,
           EngineRamCheckBox = nullptr;
XPWidgetID OrbSelectUButton = nullptr, OrbSelectDButton = nullptr, DefineQZTkeyButton = nullptr,
           SetLoadkeyButton = nullptr;
XPWidgetID DefaultButton = nullptr, DiscardButton = nullptr, SaveButton = nullptr;

// Every handle dies with the dialog: none may outlive it, least of all the
// key caption the key sniffer writes into.
static XPWidgetID* const DialogHandles[] = {
    &QZTflightGovWidget, &QZTkeyText, &orb_latitudeText, &orb_longitudeText, &orb_elevationText, &orb_headText,
    &orb_pitchText, &orb_speedText, &orbindex_activeText, &Halv_TO_modeText, &HalvFuelText, &InfoCheckBox,
    &FeetAltBox, &GearUpDownCheckBox, &FlapsUpCheckBox, &EngineRamCheckBox, &OrbSelectUButton, &OrbSelectDButton,
    &DefineQZTkeyButton, &SetLoadkeyButton, &DefaultButton, &DiscardButton, &SaveButton,
};

enum { HalvModes = HalvTakeOffRows - 1 };   // the table's last row only ends it

static const char DescriptionItem[] = "Description";
static const char PreferencesItem[] = "Preferences";

// ---------------------------------------------------------------- building

static XPWidgetID Caption(int left, int top, int right, int bottom, const char* text)
{
    return XPCreateWidget(left, top, right, bottom, 1, text, 0, QZTflightGovWidget, xpWidgetClass_Caption);
}

static XPWidgetID DisplayField(int left, int top, int right, int bottom)
{
    const XPWidgetID field = XPCreateWidget(left, top, right, bottom, 1, "", 0, QZTflightGovWidget,
                                            xpWidgetClass_TextField);
    XPSetWidgetProperty(field, xpProperty_TextFieldType, xpTextEntryField);
    XPSetWidgetProperty(field, xpProperty_Enabled, 0);
    return field;
}

static XPWidgetID CheckBox(int left, int top, int right, int bottom, const char* text, uint8_t ticked)
{
    const XPWidgetID box = XPCreateWidget(left, top, right, bottom, 1, text, 0, QZTflightGovWidget,
                                          xpWidgetClass_Button);
    XPSetWidgetProperty(box, xpProperty_ButtonType, xpRadioButton);
    XPSetWidgetProperty(box, xpProperty_ButtonBehavior, xpButtonBehaviorCheckBox);
    XPSetWidgetProperty(box, xpProperty_ButtonState, ticked ? 1 : 0);
    return box;
}

static XPWidgetID PushButton(int left, int top, int right, int bottom, const char* text)
{
    const XPWidgetID button = XPCreateWidget(left, top, right, bottom, 1, text, 0, QZTflightGovWidget,
                                             xpWidgetClass_Button);
    XPSetWidgetProperty(button, xpProperty_ButtonType, xpPushButton);
    XPSetWidgetProperty(button, xpProperty_ButtonBehavior, xpButtonBehaviorPushButton);
    return button;
}

static void ShowDecimal(XPWidgetID field, double value)
{
    std::snprintf(charBuffer, sizeof charBuffer, "%lf", value);
    XPSetWidgetDescriptor(field, charBuffer);
}

static void ShowWhole(XPWidgetID field, int value)
{
    std::snprintf(charBuffer, sizeof charBuffer, "%d", value);
    XPSetWidgetDescriptor(field, charBuffer);
}

static void ShowKey(uint8_t key)
{
    const char* name = XPLMGetVirtualKeyDescription(static_cast<char>(key));
    std::snprintf(charBuffer, sizeof charBuffer, "%s", name ? name : "");
    XPSetWidgetDescriptor(QZTkeyText, charBuffer);
}

// The record on display, the one the next orbiter starts from; an index from
// anywhere but the buttons is brought back into the table first.
static void ShowRecord()
{
    if (orbindex_active < 0 || orbindex_active >= OrbRecords)
        orbindex_active = 0;
    const int i = orbindex_active;
    ShowDecimal(orb_latitudeText, orb_latitude[i]);
    ShowDecimal(orb_longitudeText, orb_longitude[i]);
    ShowDecimal(orb_elevationText, orb_elevation[i]);
    ShowDecimal(orb_pitchText, orb_pitch[i]);
    ShowDecimal(orb_headText, orb_head[i]);
    ShowDecimal(orb_speedText, orb_speed[i]);
    ShowWhole(orbindex_activeText, i);
}

// A mode outside the table shows row 0, as mode 0 does.
static void ShowTakeOffMode(int mode)
{
    const int row = (mode >= 0 && mode < HalvModes) ? mode : 0;
    XPSetWidgetDescriptor(Halv_TO_modeText, HalvTakeOff[row].text);
    ShowWhole(HalvFuelText, HalvTakeOff[row].fuel);
}

struct CaptionRow {
    int top, bottom;                 // below y
    const char* text;
};

static void BuildInformationPage(int x, int y, int R)
{
    static const CaptionRow rows[] = {
        {25, 40, "This PlugIn manages all QZTdesign planes:"},
        {48, 76, "Recognition of QZTdesign planes by description string"},
        {66, 94, "(So you can change QZT planes ICAO and tailnumber in PlaneMaker)"},
        {84, 130, "Configurable QZT key, single key to handle all function."},
        {102, 148, "( Default is F4 )"},
        {120, 184, "Functions for ALL planes:"},
        {138, 202, "Every QZT plane is set to a suitable payload when loaded."},
        {156, 220, "( X-Plane uses a best guess as for general aviation )"},
        {174, 256, " "},
        {192, 310, " "},
        {210, 310, " "},
        {228, 328, " "},
    };
    for (const CaptionRow& row : rows)
        Caption(x + 30, y - row.top, R - 10, y - row.bottom, row.text);
}

struct PlacedCaption {
    int left;                        // right of x
    int top;                         // below y
    int right;                       // left of R
    int bottom;                      // below y
    const char* text;
};

static void BuildSettingsPage(int x, int y, int R, int B)
{
    QZTkeyText = DisplayField(x + 200, y - 30, x + 265, y - 50);
    orb_latitudeText = DisplayField(x + 150, y - 120, x + 265, y - 140);
    orb_longitudeText = DisplayField(x + 150, y - 138, x + 265, y - 158);
    orb_elevationText = DisplayField(x + 150, y - 156, x + 265, y - 176);
    orb_headText = DisplayField(x + 150, y - 174, x + 205, y - 194);
    orb_pitchText = DisplayField(x + 210, y - 174, x + 265, y - 194);
    orb_speedText = DisplayField(x + 270, y - 174, x + 325, y - 194);
    orbindex_activeText = DisplayField(x + 270, y - 138, x + 300, y - 158);
    // Wide enough for the longest take-off text ("Halvik Gov loaded!"), its
    // button moved right to make room.
    Halv_TO_modeText = DisplayField(x + 170, y - 300, x + 282, y - 320);
    HalvFuelText = DisplayField(x + 190, y - 318, x + 265, y - 338);
    ShowKey(QZTkey);
    ShowRecord();
    ShowTakeOffMode(Halv_TO_mode);

    static const PlacedCaption captions[] = {
        {110, 30, 10, 45, "Current QZT key:"},
        {14, 48, 10, 63, "     Show POH after loading a plane"},
        {215, 48, 10, 63, "Click far right then toggle on/off"},
        {14, 66, 10, 81, "  For metric panels, show dialed in"},
        {215, 66, 10, 81, "AP altitude in feet also"},
        {20, 78, 0, 148, "Preferences for SKYHOIST-ORBITER:"},
        {20, 197, 0, 212, "Position, speed and attitude of the last 10 orbital releases are kept"},
        {20, 210, 0, 225, "(saved with Save and close). When the orbital vehicle is loaded, a brake"},
        {20, 223, 0, 238, "release brings it into the here selected position: the latest release,"},
        {20, 236, 0, 251, "or the one chosen with UP/DOWN; zero is the default location."},
        {100, 120, 0, 135, "Latitude:"},
        {90, 138, 0, 153, "Longitude:"},
        {75, 156, 0, 171, "Elevation (m):"},
        {17, 174, 0, 189, "Head/Pitch/Speed (km/s):"},
        {20, 277, 10, 292, "Preferences for HALVIK:"},
        {265, 318, 10, 333, "lbs fuel"},
        {200, 336, 10, 351, "Actual load will vary on runway"},
        {200, 349, 10, 364, "altitude and air temperature"},
    };
    for (const PlacedCaption& c : captions)
        Caption(x + c.left, y - c.top, R - c.right, y - c.bottom, c.text);

    InfoCheckBox = CheckBox(x + 200, y - 48, x + 210, y - 68, "", showInitialInfo);
    FeetAltBox = CheckBox(x + 200, y - 66, x + 210, y - 86, "", showFeetAP);
    GearUpDownCheckBox = CheckBox(x + 45, y - 300, x + 55, y - 320, " Auto Gear Up/Down", autoGear);
    FlapsUpCheckBox = CheckBox(x + 45, y - 318, x + 55, y - 338, " Auto Flaps Up", autoFlaps);
    EngineRamCheckBox = CheckBox(x + 45, y - 336, x + 55, y - 356, " Auto RAM Engine", autoEngineRam);

    OrbSelectUButton = PushButton(x + 270, y - 124, x + 325, y - 135, "UP");
    OrbSelectDButton = PushButton(x + 270, y - 160, x + 325, y - 171, "DOWN");
    DefineQZTkeyButton = PushButton(x + 270, y - 34, x + 370, y - 45, " Redefine QZT key");
    SetLoadkeyButton = PushButton(x + 286, y - 304, x + 386, y - 315, " Set Startup Load");
    DefaultButton = PushButton(x + 135, B + 85, x + 255, B + 65, " Default");
    DiscardButton = PushButton(x + 60, B + 60, x + 180, B + 40, " Discard");
    SaveButton = PushButton(x + 210, B + 60, x + 330, B + 40, "  Save and close");
}

void CreateQZTflightGovWidget(int x, int y, int w, int h)
{
    const int R = x + w, B = y - h;
    QZTflightGovWidget = XPCreateWidget(x, y, R, B, 1, MenuItem == 1 ? "ABOUT QZTgov" : "PREFERENCES", 1, nullptr,
                                        xpWidgetClass_MainWindow);
    if (!QZTflightGovWidget) {
        MenuItem = 0;
        return;
    }
    XPSetWidgetProperty(QZTflightGovWidget, xpProperty_MainWindowHasCloseBoxes, 1);
    const XPWidgetID panel = XPCreateWidget(x + 10, y - 20, R - 10, B + 10, 1, "", 0, QZTflightGovWidget,
                                            xpWidgetClass_SubWindow);
    XPSetWidgetProperty(panel, xpProperty_SubWindowType, xpSubWindowStyle_SubWindow);

    if (MenuItem == 1)
        BuildInformationPage(x, y, R);
    else
        BuildSettingsPage(x, y, R, B);
    XPAddWidgetCallback(QZTflightGovWidget, QZTflightGovHandler);
}

// ---------------------------------------------------------------- closing

XPWidgetID QZTclosedWidget = nullptr;

// A key capture still waiting ends with the dialog: the next key belongs to
// the pilot again, and no caption is left to show it in.
static void ForgetDialog()
{
    for (XPWidgetID* handle : DialogHandles)
        *handle = nullptr;
    defKey = 0;
    MenuItem = 0;
}

static void DestroyClosedDialog()
{
    if (QZTclosedWidget) {
        XPDestroyWidget(QZTclosedWidget, 1);
        QZTclosedWidget = nullptr;
    }
}

float DialogDestroyLoop(float, float, int, void*)
{
    DestroyClosedDialog();
    return 0.0f;
}

// From the dialog's own callbacks the widget library promises nothing for a
// tree destroyed under them, so the dialog only hides here and goes with the
// next frame (or the next menu selection, or the stop, if they come first).
static void CloseDialog()
{
    if (MenuItem > 0 && QZTflightGovWidget) {
        XPHideWidget(QZTflightGovWidget);
        DestroyClosedDialog();
        QZTclosedWidget = QZTflightGovWidget;
        XPLMSetFlightLoopCallbackInterval(DialogDestroyLoop, -1.0f, 1, nullptr);
    }
    ForgetDialog();
}

// Outside the dialog's callbacks: an open or a closed dialog goes for good,
// and the frame that would have destroyed it is not waited for.
void DialogStop()
{
    if (QZTclosedWidget)
        XPLMSetFlightLoopCallbackInterval(DialogDestroyLoop, 0.0f, 1, nullptr);
    DestroyClosedDialog();
    if (MenuItem > 0 && QZTflightGovWidget)
        XPDestroyWidget(QZTflightGovWidget, 1);
    ForgetDialog();
}

void QZTflightGovMenuHandler(void*, void* inItemRef)
{
    DialogStop();
    const char* item = static_cast<const char*>(inItemRef);
    if (!item)
        return;
    if (std::strcmp(item, DescriptionItem) == 0) {
        MenuItem = 1;
        CreateQZTflightGovWidget(window_w / 2 - 200, window_h / 2 + 210, 400, 420);
    } else if (std::strcmp(item, PreferencesItem) == 0) {
        MenuItem = 2;
        CreateQZTflightGovWidget(window_w / 2 - 200, window_h / 2 + 230, 400, 460);
    }
}

// ---------------------------------------------------------------- the buttons

static void CommitWorkingCopies()
{
    QZTkey = QZTkey1;
    showInitialInfo = showInitialInfo1;
    showFeetAP = showFeetAP1;
    autoGear = autoGear1;
    autoFlaps = autoFlaps1;
    autoEngineRam = autoEngineRam1;
    Halv_TO_mode = Halv_TO_mode1;
}

// The dialog's own defaults, for settings and copies at once; the file keeps
// what it holds until the next save.
static void DefaultSettings()
{
    QZTkey = QZTkey1 = 115;          // F4
    showInitialInfo = showInitialInfo1 = 1;
    showFeetAP = showFeetAP1 = 0;
    autoGear = autoGear1 = 1;
    autoFlaps = autoFlaps1 = 1;
    autoEngineRam = autoEngineRam1 = 1;
    Halv_TO_mode = Halv_TO_mode1 = 3;
}

// The settings take effect whether or not the file could be written; the old
// file then stays as it was, and the pilot hears that it does.
static void SaveAndClose()
{
    CommitWorkingCopies();
    const bool saved = PreferencesSave();
    CloseDialog();
    if (!saved)
        XPLMSpeakString("QZTgov: preferences could not be saved");
}

static int CheckBoxChanged(XPWidgetID box)
{
    if (!box)
        return 0;
    const uint8_t ticked = XPGetWidgetProperty(box, xpProperty_ButtonState, nullptr) != 0 ? 1 : 0;
    if (box == InfoCheckBox)
        showInitialInfo1 = ticked;
    else if (box == FeetAltBox)
        showFeetAP1 = ticked;
    else if (box == GearUpDownCheckBox)
        autoGear1 = ticked;
    else if (box == FlapsUpCheckBox)
        autoFlaps1 = ticked;
    else if (box == EngineRamCheckBox)
        autoEngineRam1 = ticked;
    else
        return 0;
    return 1;
}

static int ButtonPressed(XPWidgetID button)
{
    if (!button)
        return 0;
    if (button == DefineQZTkeyButton) {
        defKey = 1;
        XPSetWidgetDescriptor(QZTkeyText, "Press Key");
    } else if (button == OrbSelectUButton) {
        orbindex_active = (orbindex_active >= 0 && orbindex_active < OrbRecords - 1) ? orbindex_active + 1 : 0;
        ShowRecord();
    } else if (button == OrbSelectDButton) {
        orbindex_active = (orbindex_active > 0 && orbindex_active < OrbRecords) ? orbindex_active - 1 : OrbRecords - 1;
        ShowRecord();
    } else if (button == SetLoadkeyButton) {
        Halv_TO_mode1 = (Halv_TO_mode1 >= 0 && Halv_TO_mode1 < HalvModes - 1) ? Halv_TO_mode1 + 1 : 1;
        ShowTakeOffMode(Halv_TO_mode1);
    } else if (button == DefaultButton) {
        DefaultSettings();
        CloseDialog();
    } else if (button == DiscardButton) {
        ResetWorkingCopies();
        CloseDialog();
    } else if (button == SaveButton) {
        SaveAndClose();
    } else {
        return 0;
    }
    return 1;
}

int QZTflightGovHandler(XPWidgetMessage inMessage, XPWidgetID, intptr_t inParam1, intptr_t)
{
    const XPWidgetID from = reinterpret_cast<XPWidgetID>(inParam1);
    switch (inMessage) {
    case xpMessage_CloseButtonPushed:
        CloseDialog();
        return 1;
    case xpMsg_ButtonStateChanged:
        return CheckBoxChanged(from);
    case xpMsg_PushButtonPressed:
        return ButtonPressed(from);
    default:
        return 0;
    }
}
