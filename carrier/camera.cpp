// carrier/camera.cpp: the external camera view table.
#include "carrier/camera.h"
#include "common/keys.h"
#include "systems/korva.h"

float CAMERAfieldX[CameraViews] = {};
float CAMERAorX[CameraViews] = {};
float CAMERAfieldY1[CameraViews] = {};
float CAMERAfieldY2[CameraViews] = {};
float CAMERAfieldY3[CameraViews] = {};
float CAMERAorY[CameraViews] = {};

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
