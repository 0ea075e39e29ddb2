// aircraft/families.cpp: the table of model families, indexed by slot.
#include "aircraft/families.h"
#include "aircraft/models.h"
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

//                          role                           loop and interval                       off at disable  panel drawing and page                       cam  drop  metric    english  preset           first action           hand-back
static const PlaneFamily NoModel   = {"no model",                   nullptr, nullptr,                                0, nullptr, nullptr,                              0, 0,    0,   0,   0, nullptr,         nullptr,               nullptr};
static const PlaneFamily Halvik    = {"Halvik VTOL",                nullptr, nullptr,                                0, nullptr, nullptr,                              0, 0,    0,   0,   0, HalvikPreset,    HalvikFirstAction,     HalvikHandBack};
static const PlaneFamily Vessa     = {"Vessa",                      nullptr, nullptr,                                0, nullptr, nullptr,                              0, 0,    0,   0,   0, nullptr,         VessaFirstAction,      nullptr};
static const PlaneFamily Tessel    = {"Tessel two-seater",          nullptr, nullptr,                                0, nullptr, nullptr,                              0, 0,    0,   0,   0, nullptr,         TesselFirstAction,     nullptr};
static const PlaneFamily Windling  = {"Windling motor glider",      CheckGlider, &CheckGliderCallback,               1, nullptr, nullptr,                              0, 0,    0,   0,   0, GliderPreset,    GliderFirstAction,     GliderHandBack};
static const PlaneFamily Stormfalk = {"Stormfalk jet fighter",      CheckDROP, &CheckDROPCallback,                   1, MetricAUTODrawCallback, nullptr,                0, 1,  182, 340,   0, nullptr,         StormfalkFirstAction,  DROPHandBack};
static const PlaneFamily Brannoc   = {"Brannoc twin fighter",       CheckDROP, &CheckDROPCallback,                   1, nullptr, nullptr,                              0, 1,    0,   0,   1, nullptr,         BrannocFirstAction,    DROPHandBack};
static const PlaneFamily Veyra     = {"Veyra flying wing",          CheckDROP, &CheckDROPCallback,                   1, MetricAUTODrawCallback, nullptr,                0, 1,  310, 388,   0, nullptr,         VeyraFirstAction,      DROPHandBack};
static const PlaneFamily Grauhorn  = {"Grauhorn bomber",            CheckDROP, &CheckDROPCallback,                   1, MetricAUTODrawCallback, nullptr,                0, 1,  202, 568,   0, GrauhornPreset,  GrauhornFirstAction,   DROPHandBack};
static const PlaneFamily Solace    = {"Solace hypersonic jet",      CheckHyper, &CheckHyperCallback,                 0, SCAMPanelDrawCallback, DrawJetPage,            0, 0,    0,   0,   0, HyperPreset,     HyperFirstAction,      HyperHandBack};
static const PlaneFamily Lumen     = {"Lumen airliner",             nullptr, nullptr,                                0, nullptr, nullptr,                              0, 0,    0,   0,   0, nullptr,         nullptr,               nullptr};
static const PlaneFamily Skyhoist  = {"Skyhoist carrier",           CheckSkyhoist, &CheckSkyhoistCallback,           0, SCAMPanelDrawCallback, DrawCarrierPage,        0, 0,    0,   0,   0, CarrierPreset,   nullptr,               CarrierHandBack};
static const PlaneFamily Skyhoist2 = {"Skyhoist II carrier",        nullptr, nullptr,                                0, nullptr, nullptr,                              0, 0,    0,   0,   0, nullptr,         nullptr,               nullptr};
static const PlaneFamily Ascender  = {"Ascender orbiter",           CheckOrbiter, &CheckOrbiterCallback,             0, nullptr, nullptr,                              0, 0,    0,   0,   0, nullptr,         nullptr,               OrbiterHandBack};
static const PlaneFamily AscenderV = {"Ascender orbiter variant",   nullptr, nullptr,                                0, nullptr, nullptr,                              0, 0,    0,   0,   0, nullptr,         nullptr,               nullptr};
static const PlaneFamily Korva     = {"Korva light twin",           CheckKorva, &CheckKorvaCallback,                 0, nullptr, nullptr,                              1, 0,    0,   0,   0, KorvaPreset,     KorvaFirstAction,      KorvaHandBack};

static const PlaneFamily* const SlotFamily[IdPlaneRows] = {
    &NoModel,                                                            // 0
    &Halvik, &Halvik, &Vessa, &Vessa, &Tessel, &Tessel,                  // 1 to 6
    &Windling, &NoModel,                                                 // 7, 8
    &Stormfalk, &Stormfalk, &Stormfalk, &Stormfalk, &Stormfalk, &Stormfalk, &Stormfalk,   // 9 to 15
    &NoModel, &NoModel,                                                  // 16, 17
    &Brannoc, &Brannoc, &Brannoc, &Brannoc,                              // 18 to 21
    &Veyra, &Veyra, &Veyra, &Veyra,                                      // 22 to 25
    &Grauhorn, &Grauhorn,                                                // 26, 27
    &Solace, &NoModel,                                                   // 28, 29
    &Lumen, &Lumen, &Lumen, &Lumen, &Lumen, &Lumen, &Lumen,              // 30 to 36
    &Skyhoist, &Skyhoist2,                                               // 37, 38
    &NoModel, &NoModel, &NoModel, &NoModel, &NoModel, &NoModel,          // 39 to 44
    &Ascender, &AscenderV, &AscenderV, &NoModel,                         // 45 to 48 (48 is never kept)
    &NoModel,                                                            // 49
    &Korva, &Korva, &Korva, &Korva,                                      // 50 to 53
    &NoModel, &NoModel, &NoModel, &NoModel, &NoModel, &NoModel,          // 54 to 59
};

const PlaneFamily& FamilyOf(int slot)
{
    if (slot < 0 || slot >= IdPlaneRows)
        return NoModel;
    return *SlotFamily[slot];
}
