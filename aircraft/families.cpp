// aircraft/families.cpp: the table of model families, indexed by slot.
#include "aircraft/families.h"
#include "aircraft/models.h"
#include "carrier/camera.h"
#include "carrier/carrier.h"
#include "carrier/orbiter.h"
#include "carrier/panel.h"
#include "systems/glider.h"
#include "systems/halvik.h"
#include "systems/hyper.h"
#include "systems/korva.h"
#include "systems/metric.h"
#include "systems/stores.h"
#include "systems/tessel.h"
#include "systems/vessa.h"

static const PlaneFamily NoModel = {};

// Only the first Halvik variant has the take-off load and the key's modes.
static const PlaneFamily Halvik = {
    .role = "Halvik VTOL",
    .keyAction = HalvikKey,
    .preset = HalvikPreset,
    .firstAction = HalvikFirstAction,
    .reset = HalvikReset,
};
static const PlaneFamily HalvikB = {
    .role = "Halvik VTOL",
    .firstAction = HalvikFirstAction,
    .reset = HalvikReset,
};

static const PlaneFamily VessaAir = {
    .role = "Vessa",
    .firstAction = VessaFirstAction,
};
static const PlaneFamily VessaSpace = {
    .role = "Vessa",
    .keyAction = VessaKey,
    .firstAction = VessaFirstAction,
};

static const PlaneFamily Tessel = {
    .role = "Tessel two-seater",
    .firstAction = TesselFirstAction,
};

static const PlaneFamily Windling = {
    .role = "Windling motor glider",
    .loop = CheckGlider,
    .loopInterval = &CheckGliderCallback,
    .keyAction = GliderKey,
    .dataWindow = DataWindowGlider,
    .preset = GliderPreset,
    .firstAction = GliderFirstAction,
    .reset = GliderReset,
};

// The store-carrying families share the stores loop and the data box.
#define STORES_LOOP .loop = CheckDROP, .loopInterval = &CheckDROPCallback

static const PlaneFamily Stormfalk = {
    .role = "Stormfalk jet fighter",
    STORES_LOOP,
    .panelDraw = MetricAUTODrawCallback,
    .dataWindow = DataWindowStores,
    .metricX = 182, .metricY = 340,
    .firstAction = StormfalkFirstAction,
    .reset = DROPReset,
};
// The first three fighters feed from tank 4 once tank 2 runs dry; the bombers
// change over a little before.
static const PlaneFamily StormfalkTanks = {
    .role = "Stormfalk jet fighter",
    STORES_LOOP,
    .panelDraw = MetricAUTODrawCallback,
    .dataWindow = DataWindowStores,
    .tankSwitch = TankSwitchDry,
    .metricX = 182, .metricY = 340,
    .firstAction = StormfalkFirstAction,
    .reset = DROPReset,
};
static const PlaneFamily StormfalkRocket = {
    .role = "Stormfalk jet fighter",
    STORES_LOOP,
    .panelDraw = MetricAUTODrawCallback,
    .keyAction = RocketKey,
    .dataWindow = DataWindowStores,
    .rocket = TstoffRocket,
    .metricX = 182, .metricY = 340,
    .firstAction = StormfalkFirstAction,
    .reset = DROPReset,
};

static const PlaneFamily Brannoc = {
    .role = "Brannoc twin fighter",
    STORES_LOOP,
    .dataWindow = DataWindowStores,
    .englishUnits = 1,
    .firstAction = BrannocFirstAction,
    .reset = DROPReset,
};

static const PlaneFamily Veyra = {
    .role = "Veyra flying wing",
    STORES_LOOP,
    .panelDraw = MetricAUTODrawCallback,
    .dataWindow = DataWindowStores,
    .metricX = 310, .metricY = 388,
    .firstAction = VeyraFirstAction,
    .reset = DROPReset,
};
static const PlaneFamily VeyraRocket = {
    .role = "Veyra flying wing",
    STORES_LOOP,
    .panelDraw = MetricAUTODrawCallback,
    .keyAction = RocketKey,
    .dataWindow = DataWindowStores,
    .rocket = UnitRocket,
    .metricX = 310, .metricY = 388,
    .firstAction = VeyraFirstAction,
    .reset = DROPReset,
};

static const PlaneFamily Grauhorn = {
    .role = "Grauhorn bomber",
    STORES_LOOP,
    .panelDraw = MetricAUTODrawCallback,
    .dataWindow = DataWindowStores,
    .tankSwitch = TankSwitchLow,
    .bomberJato = 1,
    .metricX = 202, .metricY = 568,
    .preset = GrauhornPreset,
    .firstAction = GrauhornFirstAction,
    .reset = DROPReset,
};

#undef STORES_LOOP

static const PlaneFamily Solace = {
    .role = "Solace hypersonic jet",
    .loop = CheckHyper,
    .loopInterval = &CheckHyperCallback,
    .panelDraw = SCAMPanelDrawCallback,
    .panelPage = DrawJetPage,
    .keyAction = CameraKey,
    .camera = ExtCameraSHFunc,
    .camFirst = 0, .camLast = 3,
    .preset = HyperPreset,
    .firstAction = HyperFirstAction,
    .reset = HyperReset,
};

static const PlaneFamily Lumen = {.role = "Lumen airliner"};

static const PlaneFamily Skyhoist = {
    .role = "Skyhoist carrier",
    .loop = CheckSkyhoist,
    .loopInterval = &CheckSkyhoistCallback,
    .panelDraw = SCAMPanelDrawCallback,
    .panelPage = DrawCarrierPage,
    .keyAction = CameraKey,
    .camera = ExtCameraSHFunc,
    .camFirst = 2, .camLast = 6,
    .preset = CarrierPreset,
    .reset = CarrierReset,
};
static const PlaneFamily Skyhoist2 = {.role = "Skyhoist II carrier"};

static const PlaneFamily Ascender = {
    .role = "Ascender orbiter",
    .loop = CheckOrbiter,
    .loopInterval = &CheckOrbiterCallback,
    .reset = OrbiterReset,
};
static const PlaneFamily AscenderV = {.role = "Ascender orbiter variant"};

#define KORVA_CAMERA .keyAction = CameraKey, .camera = ExtCameraKorvaFunc

// The twins' cameras are views 1 and 2; the small ones add the yoke camera 0.
static const PlaneFamily KorvaTwin = {
    .role = "Korva light twin",
    .loop = CheckKorva,
    .loopInterval = &CheckKorvaCallback,
    KORVA_CAMERA,
    .camFirst = 1, .camLast = 2,
    .camWindow = 1,
    .nightVision = 1,
    .preset = KorvaPreset,
    .firstAction = KorvaTwinFirstAction,
    .reset = KorvaReset,
};
static const PlaneFamily KorvaWide = {
    .role = "Korva light twin",
    .loop = CheckKorva,
    .loopInterval = &CheckKorvaCallback,
    KORVA_CAMERA,
    .camFirst = 0, .camLast = 2,
    .camHeadingMax = 90.0f,
    .camWindow = 1,
    .nightVision = 1,
    .preset = KorvaPreset,
    .firstAction = KorvaSmallFirstAction,
    .reset = KorvaReset,
};
static const PlaneFamily KorvaNarrow = {
    .role = "Korva light twin",
    .loop = CheckKorva,
    .loopInterval = &CheckKorvaCallback,
    KORVA_CAMERA,
    .camFirst = 0, .camLast = 2,
    .camHeadingMax = 45.0f,
    .camWindow = 1,
    .nightVision = 1,
    .preset = KorvaPreset,
    .firstAction = KorvaSmallFirstAction,
    .reset = KorvaReset,
};

#undef KORVA_CAMERA

static const PlaneFamily* const SlotFamily[IdPlaneRows] = {
    &NoModel,                                                            // 0
    &Halvik, &HalvikB, &VessaAir, &VessaSpace, &Tessel, &Tessel,         // 1 to 6
    &Windling, &NoModel,                                                 // 7, 8
    &StormfalkTanks, &StormfalkTanks, &StormfalkTanks,                   // 9 to 11
    &Stormfalk, &StormfalkRocket, &Stormfalk, &Stormfalk,                // 12 to 15
    &NoModel, &NoModel,                                                  // 16, 17
    &Brannoc, &Brannoc, &Brannoc, &Brannoc,                              // 18 to 21
    &Veyra, &VeyraRocket, &Veyra, &Veyra,                                // 22 to 25
    &Grauhorn, &Grauhorn,                                                // 26, 27
    &Solace, &NoModel,                                                   // 28, 29
    &Lumen, &Lumen, &Lumen, &Lumen, &Lumen, &Lumen, &Lumen,              // 30 to 36
    &Skyhoist, &Skyhoist2,                                               // 37, 38
    &NoModel, &NoModel, &NoModel, &NoModel, &NoModel, &NoModel,          // 39 to 44
    &Ascender, &AscenderV, &AscenderV, &NoModel,                         // 45 to 48 (48 is never kept)
    &NoModel,                                                            // 49
    &KorvaTwin, &KorvaTwin, &KorvaWide, &KorvaNarrow,                    // 50 to 53
    &NoModel, &NoModel, &NoModel, &NoModel, &NoModel, &NoModel,          // 54 to 59
};

const PlaneFamily& FamilyOf(int slot)
{
    if (slot < 0 || slot >= IdPlaneRows)
        return NoModel;
    return *SlotFamily[slot];
}
