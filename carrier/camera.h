// carrier/camera.h: the external cameras: the view table (degrees, indexed by
// view) filled by the load preset, the state the camera callbacks share, and
// the carrier's and the hypersonic jet's camera.
#pragma once
#include <cstdint>
#include "XPLMCamera.h"

enum { CameraViews = 15 };
extern float CAMERAfieldX[CameraViews];   // heading range swept by the mouse
extern float CAMERAorX[CameraViews];      // default heading offset
extern float CAMERAfieldY1[CameraViews];  // pitch range swept by the mouse
extern float CAMERAfieldY2[CameraViews];  // highest pitch offset
extern float CAMERAfieldY3[CameraViews];  // lowest pitch offset
extern float CAMERAorY[CameraViews];      // default pitch offset

extern float   CAMERAheading;        // heading offset of the camera, last computed
extern float   dirpitch, dirheading, dirroll;  // the aircraft's attitude as the camera uses it
extern uint8_t CAMERAheld;           // a camera callback of the plug-in controls the host's view
extern uint8_t CAMERAnightvision;    // night vision is the twin camera's, to be restored
extern XPLMCameraControl_f CAMERApending;  // taken by the next frame's CameraTakeLoop

// One view's six angles, as a model's preset lists them.
struct CameraView {
    int   view;
    float fieldX, orX, fieldY1, fieldY2, fieldY3, orY;
};
void SetCameraViews(const CameraView* views, int count);
template <int N>
inline void SetCameraViews(const CameraView (&views)[N]) { SetCameraViews(views, N); }

// Cameras are off after a load until the first QZT key press takes the view.
void CameraReset(int view);

// Takes the host's view for a camera callback, or hands it back (night vision
// as it was before the twin's camera); the clean-up hands it back too, since
// the host keeps calling a camera callback across aircraft loads.
void CameraTake(XPLMCameraControl_f camera);
void CameraRelease();
// Registered at the start, inactive until a camera is to be taken.
float CameraTakeLoop(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter, void* refcon);
// The host took the view back: night vision as it was before.
void CameraLost();
// The start of a camera controller's frame: false when the host takes the view
// back or asks for no position (the controller then returns 1), else the
// aircraft's attitude has been read for this frame.
bool CameraFrameBegins(XPLMCameraPosition_t* outCameraPosition, int inIsLosingControl);
// The clean-up's part: the view handed back, the mouse rule and heading as at start.
void CameraHandBack();

// Host readings for the cameras, each made safe to compute with: the mouse
// within a sane pixel range, the screen at least one pixel, angles finite.
void  CameraReadScreen();            // screen size and the neutral rectangle
void  CameraReadMouse();
void  CameraReadAttitude();
void  CameraReadStation(int station);  // where this weapon station is (WeaponsX/Y/Z)
float CameraAngle(float degrees);     // finite, within one turn each way
float CameraRatio(float ratio);       // finite, -1 to 1
// Reads the mouse. The view keeps its default direction until the mouse first
// moves up or down; from then on the mouse steers whenever it lies outside the
// neutral rectangle (its edge counts as outside).
bool  CameraMouseSteers();
int   CameraIndex(int first, int last);  // CAMERAid, or first when out of range

// The QZT key of a model with cameras: the first press takes the view, each
// further press steps to the next view of the family.
void CameraKey();

int ExtCameraSHFunc(XPLMCameraPosition_t* outCameraPosition, int inIsLosingControl, void* inRefcon);
