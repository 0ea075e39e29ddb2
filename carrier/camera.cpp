// carrier/camera.cpp: the external camera view table, what the cameras share,
// and the carrier's and the hypersonic jet's camera.
#include "carrier/camera.h"
#include <cfloat>
#include <cmath>
#include "XPLMDisplay.h"
#include "XPLMProcessing.h"
#include "XPLMUtilities.h"
#include "aircraft/families.h"
#include "aircraft/models.h"
#include "common/hostvalues.h"
#include "common/keys.h"
#include "frame/datarefs.h"
#include "systems/korva.h"

float CAMERAfieldX[CameraViews] = {};
float CAMERAorX[CameraViews] = {};
float CAMERAfieldY1[CameraViews] = {};
float CAMERAfieldY2[CameraViews] = {};
float CAMERAfieldY3[CameraViews] = {};
float CAMERAorY[CameraViews] = {};

float   CAMERAheading = 0.0f;
float   dirpitch = 0.0f, dirheading = 0.0f, dirroll = 0.0f;
uint8_t CAMERAheld = 0;
uint8_t CAMERAnightvision = 0;
XPLMCameraControl_f CAMERApending = nullptr;

void SetCameraViews(const CameraView* views, int count)
{
    for (int i = 0; i < count; ++i) {
        const CameraView& v = views[i];
        if (v.view < 0 || v.view >= CameraViews)
            continue;
        CAMERAfieldX[v.view] = v.fieldX;
        CAMERAorX[v.view] = v.orX;
        CAMERAfieldY1[v.view] = v.fieldY1;
        CAMERAfieldY2[v.view] = v.fieldY2;
        CAMERAfieldY3[v.view] = v.fieldY3;
        CAMERAorY[v.view] = v.orY;
    }
}

void CameraReset(int view)
{
    CAMERAid = view;
    CAMERAzoom = 1.0f;
    CAMERAon = 0;
    CAMERAoff = 1;
}

// The overlay window is shown only with a camera, so it takes no click while
// none runs.
static void ShowCameraWindow(int shown)
{
    if (CAMWindow)
        XPLMSetWindowIsVisible(CAMWindow, shown);
}

// Button 44 is the host's free view. The simulator changes the view at the
// start of a later frame, and that change would end a camera taken at once:
// the camera is taken by the next frame's loop, once the view has changed,
// and from then on it is called every frame until the user picks another view.
void CameraTake(XPLMCameraControl_f camera)
{
    XPLMCommandButtonPress(xplm_joy_v_fr1);
    XPLMCommandButtonRelease(xplm_joy_v_fr1);
    CAMERApending = camera;
    XPLMSetFlightLoopCallbackInterval(CameraTakeLoop, -1.0f, 1, nullptr);
}

float CameraTakeLoop(float, float, int, void*)
{
    if (CAMERApending) {
        XPLMControlCamera(xplm_ControlCameraUntilViewChanges, CAMERApending, nullptr);
        CAMERApending = nullptr;
        CAMERAheld = 1;
        ShowCameraWindow(1);
    }
    return 0.0f;
}

void CameraLost()
{
    CAMERAheld = 0;
    ShowCameraWindow(0);
    if (CAMERAnightvision) {
        night_vision_on = night_vision_on_was;
        XPLMSetDatai(dr_night_vision_on, night_vision_on);
        CAMERAnightvision = 0;
    }
}

// The host does not tell a callback it stops calling, so the release does
// what the losing-control call would have done.
void CameraRelease()
{
    if (CAMERApending) {
        CAMERApending = nullptr;
        XPLMSetFlightLoopCallbackInterval(CameraTakeLoop, 0.0f, 1, nullptr);
    }
    if (CAMERAheld)
        XPLMDontControlCamera();
    CameraLost();
    CAMERAoff = 1;
}

// The view and the zoom are each camera model's preset's to set.
void CameraHandBack()
{
    CameraRelease();
    CAMERAheading = 0.0f;
    mousemoved = 0;
}

// Screen and mouse stay on a bounded canvas: products with the view angles
// stay finite and far from int overflow, and no size is 0 to divide by.
void CameraReadScreen()
{
    int w = 0, h = 0;
    XPLMGetScreenSize(&w, &h);
    screenw = HostClampInt(w, 1, HostPixelLimit);
    screenh = HostClampInt(h, 1, HostPixelLimit);
    mouseNeutralx1 = static_cast<int32_t>(screenw * 0.46);
    mouseNeutralx2 = static_cast<int32_t>(screenw * 0.54);
    mouseNeutraly1 = static_cast<int32_t>(screenh * 0.46);
    mouseNeutraly2 = static_cast<int32_t>(screenh * 0.54);
}

void CameraReadMouse()
{
    int x = 0, y = 0;
    XPLMGetMouseLocation(&x, &y);
    mousex = HostCoordinate(x);
    mousey = HostCoordinate(y);
}

float CameraAngle(float degrees) { return HostFiniteFloat(degrees, -360.0f, 360.0f, 0.0f); }

float CameraRatio(float ratio) { return HostFiniteFloat(ratio, -1.0f, 1.0f, 0.0f); }

void CameraReadAttitude()
{
    dirpitch = CameraAngle(XPLMGetDataf(dr_theta));
    dirheading = CameraAngle(XPLMGetDataf(dr_psi));
    dirroll = CameraAngle(XPLMGetDataf(dr_phi));
}

// Only the camera's own station, every frame: the others are not needed here.
void CameraReadStation(int station)
{
    if (station < 0 || station >= dr_WeaponsX_slots)
        return;
    XPLMGetDatavf(dr_WeaponsX[0], &WeaponsX[station], station, 1);
    XPLMGetDatavf(dr_WeaponsY[0], &WeaponsY[station], station, 1);
    XPLMGetDatavf(dr_WeaponsZ[0], &WeaponsZ[station], station, 1);
    WeaponsX[station] = HostFiniteFloat(WeaponsX[station], -FLT_MAX, FLT_MAX, 0.0f);
    WeaponsY[station] = HostFiniteFloat(WeaponsY[station], -FLT_MAX, FLT_MAX, 0.0f);
    WeaponsZ[station] = HostFiniteFloat(WeaponsZ[station], -FLT_MAX, FLT_MAX, 0.0f);
}

// A height the mouse left behind is remembered as a flag rather than by
// setting the recorded height to 0, so a mouse resting on the bottom edge
// (height 0) keeps steering instead of flicking back every other frame.
bool CameraMouseSteers()
{
    CameraReadMouse();
    if (mousey != mousey1)
        mousemoved = 1;
    if (!mousemoved)
        return false;
    const bool inside = mousex > mouseNeutralx1 && mousex < mouseNeutralx2 && mousey > mouseNeutraly1 &&
                        mousey < mouseNeutraly2;
    return !inside;
}

bool CameraFrameBegins(XPLMCameraPosition_t* outCameraPosition, int inIsLosingControl)
{
    CAMERAoff = inIsLosingControl ? 1 : 0;
    if (inIsLosingControl)
        CameraLost();
    if (inIsLosingControl || !outCameraPosition)
        return false;
    CameraReadAttitude();
    return true;
}

int CameraIndex(int first, int last)
{
    return CAMERAid >= first && CAMERAid <= last ? CAMERAid : first;
}

// The carrier's and the jet's camera rides at the weapon station of its view
// number. Views 2 and 3 hang upside down under the airframe.
int ExtCameraSHFunc(XPLMCameraPosition_t* outCameraPosition, int inIsLosingControl, void*)
{
    if (!CameraFrameBegins(outCameraPosition, inIsLosingControl))
        return 1;
    const int v = CameraIndex(0, CameraViews - 1);
    if (v == 2 || v == 3) {
        dirpitch = -dirpitch;
        dirroll = -dirroll;
    }

    float heading, pitch, roll;
    if (CameraMouseSteers()) {
        const float w = static_cast<float>(screenw > 0 ? screenw : 1);
        const float h = static_cast<float>(screenh > 0 ? screenh : 1);
        CAMERAheading = CAMERAorX[v] + CAMERAfieldX[v] * mousex / w - CAMERAfieldX[v] / 2.0f;
        float p = CAMERAorY[v] + CAMERAfieldY1[v] * mousey / h - CAMERAfieldY1[v] / 2.0f;
        if (p > CAMERAfieldY2[v])
            p = CAMERAfieldY2[v];
        if (p < CAMERAfieldY3[v])
            p = CAMERAfieldY3[v];
        heading = dirheading + CAMERAheading;
        pitch = dirpitch + p;
        roll = 0.0f;               // a steered view stays level
    } else {
        heading = dirheading + CAMERAorX[v];
        pitch = dirpitch + CAMERAorY[v];
        roll = dirroll;            // the default view banks with the aircraft
    }

    CameraReadStation(v);
    outCameraPosition->x = WeaponsX[v];
    outCameraPosition->y = WeaponsY[v];
    outCameraPosition->z = WeaponsZ[v];
    outCameraPosition->pitch = pitch;
    outCameraPosition->heading = heading;
    outCameraPosition->roll = roll;
    // The simulator leaves the structure undefined: every field is written.
    outCameraPosition->zoom = CAMERAzoom >= 1.0f && std::isfinite(CAMERAzoom) ? CAMERAzoom : 1.0f;
    return 1;
}

// ---- the QZT key

// Night vision goes with camera 0, the one that looks where the yoke points,
// and only when the cockpit lights say it is dark.
static void NightVisionForView()
{
    cockpit_lights_on = XPLMGetDatai(dr_cockpit_lights_on);
    night_vision_on = CAMERAid == 0 && cockpit_lights_on ? 1 : 0;
    XPLMSetDatai(dr_night_vision_on, night_vision_on);
}

// The first press takes the host's view at the view the preset chose; each
// further press steps to the family's next view, from its last back to its first.
void CameraKey()
{
    const PlaneFamily& family = FamilyOf(Ident);
    if (!family.camera)
        return;
    if (CAMERAoff == 1) {
        CAMERAzoom = 1.0f;
        CameraTake(family.camera);
        CameraReadScreen();
        CAMERAoff = 0;
        if (family.nightVision) {
            night_vision_on_was = XPLMGetDatai(dr_night_vision_on);
            CAMERAnightvision = 1;
            cockpit_lights_on = XPLMGetDatai(dr_cockpit_lights_on);
            if (CAMERAid == 0 && cockpit_lights_on) {
                night_vision_on = 1;
                XPLMSetDatai(dr_night_vision_on, night_vision_on);
            }
        }
    } else {
        ++CAMERAid;
        if (CAMERAid < family.camFirst || CAMERAid > family.camLast)
            CAMERAid = family.camFirst;
        if (family.nightVision)
            NightVisionForView();
    }
    CameraReadMouse();
    mousey1 = mousey;
    mousemoved = 0;
}
