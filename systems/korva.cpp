// systems/korva.cpp: the light twin's external cameras.
#include "systems/korva.h"
#include "aircraft/models.h"
#include "carrier/camera.h"
#include "frame/controls.h"

uint8_t CAMERAon = 0;
float   CAMERAheadingMax = 0.0f;

static const CameraView KorvaViews[] = {
    {0, 360.0f, 0.0f, 90.0f, 90.0f, -60.0f, 0.0f},
    {1, 270.0f, 0.0f, 90.0f, 90.0f, -60.0f, 0.0f},
    {2, 270.0f, 90.0f, 90.0f, 90.0f, -60.0f, 0.0f},
};

void KorvaPreset()
{
    CameraReset(Ident <= 51 ? 1 : 0);
    if (Ident == 52)
        CAMERAheadingMax = 90.0f;
    else if (Ident == 53)
        CAMERAheadingMax = 45.0f;
    SetCameraViews(KorvaViews);
}

// The Windows build of the Korva models carries a lighter cabin load.
#if IBM
static const float KorvaLoadTwin = 150.0f, KorvaLoadSmall = 85.0f;
#else
static const float KorvaLoadTwin = 330.0f, KorvaLoadSmall = 180.0f;
#endif

void KorvaFirstAction()
{
    WriteFixedMass(Ident <= 51 ? KorvaLoadTwin : KorvaLoadSmall);
}
