// systems/hyper.cpp: the hypersonic business jet.
#include "systems/hyper.h"
#include "carrier/camera.h"
#include "carrier/carrier.h"
#include "frame/controls.h"
#include "frame/datarefs.h"

float swdirqst1 = 99.0f, dihedral1 = 99.0f, thrust_maximum1 = 99.0f;

// The jet's four views look forward, sideways and back along the fuselage.
static const CameraView HyperViews[] = {
    {0, 360.0f, 0.0f, 90.0f, 90.0f, -60.0f, 0.0f},
    {1, 270.0f, 0.0f, 90.0f, 90.0f, -60.0f, 0.0f},
    {2, 270.0f, 180.0f, 90.0f, 90.0f, -60.0f, 0.0f},
    {3, 270.0f, 180.0f, 90.0f, 90.0f, -60.0f, 0.0f},
};

void HyperPreset()
{
    tmax_acf = XPLMGetDataf(dr_tmax);
    tmax_curr = tmax_acf;
    // The jet writes wing and thrust values only when they change.
    swdirqst1 = dihedral1 = thrust_maximum1 = 99.0f;
    CameraReset(0);
    SetCameraViews(HyperViews);
}

// Tank loads in kg, single precision as the jet's fuel table gives them.
static const float FuelSolace = 6047.29248f;

// The jettisonable load is the water for the injection, sized by the fuel.
void HyperFirstAction()
{
    fuel_1 = fuel_2 = fuel_3 = FuelSolace;
    WriteTanks(true);
    m_jettison = static_cast<float>((fuel_1 + fuel_2 + fuel_3) * 0.1 * 0.75);
    XPLMSetDataf(dr_m_jettison, m_jettison);
    WriteFiringMode(1);
}
