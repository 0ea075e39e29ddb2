// carrier/camera.h: the external camera view table (degrees, indexed by view),
// filled by the load preset.
#pragma once

enum { CameraViews = 15 };
extern float CAMERAfieldX[CameraViews];   // heading range swept by the mouse
extern float CAMERAorX[CameraViews];      // default heading offset
extern float CAMERAfieldY1[CameraViews];  // pitch range swept by the mouse
extern float CAMERAfieldY2[CameraViews];  // highest pitch offset
extern float CAMERAfieldY3[CameraViews];  // lowest pitch offset
extern float CAMERAorY[CameraViews];      // default pitch offset

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
