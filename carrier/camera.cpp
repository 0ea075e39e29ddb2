// carrier/camera.cpp: the external camera view table.
#include "carrier/camera.h"

float CAMERAfieldX[CameraViews] = {};
float CAMERAorX[CameraViews] = {};
float CAMERAfieldY1[CameraViews] = {};
float CAMERAfieldY2[CameraViews] = {};
float CAMERAfieldY3[CameraViews] = {};
float CAMERAorY[CameraViews] = {};
