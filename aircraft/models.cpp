// aircraft/models.cpp: the model table and recognition.
#include "aircraft/models.h"
#include <cstring>
#include "frame/datarefs.h"

// A row matches when its description occurs in the loaded aircraft's
// description. Where one row's text contains another's, the longer row comes
// later so the more specific model wins (10, 14 and 15 contain 9's text).
// Rows that hold no model say "no" and never take part in recognition.
#define QZT_NO_ROW(n) {"no", "no", "no", n, 0, 0, 0, 0}

const IdPlaneRow IdPlane[IdPlaneRows] = {
    QZT_NO_ROW(0),
    // Halvik VTOL, two variants
    {"QZ-H1A", "QZT Halvik VTOL transport", "HVK1", 1, 0, 0, 0, 0},
    {"QZ-H2S", "QZT Halvik-S VTOL scout", "HVK2", 2, 0, 0, 0, 0},
    // Vessa Air and Vessa Space
    {"QZ-VA3", "QZT Vessa Air", "VESA", 3, 0, 0, 0, 0},
    {"QZ-VS4", "QZT Vessa Space", "VESS", 4, 55, 14, 0, 0},
    // the paired two-seater: same text in both rows, so 6 always wins
    {"QZ-TS5", "QZT Tessel two-seater", "TSL2", 5, 0, 0, 0, 0},
    {"QZ-TS6", "QZT Tessel two-seater", "TSL2", 6, 0, 0, 0, 0},
    // motor hang glider
    {"QZ-WL7", "QZT Windling motor hang glider", "WNDL", 7, 130, 20, 0, 0},
    QZT_NO_ROW(8),
    // Stormfalk jet fighters; 13 is the rocket-boosted one
    {"QZ-SF9", "QZT Stormfalk SF-1", "STF1", 9, 6, 11, 0, 0},
    {"QZ-SF10", "QZT Stormfalk SF-1 two-seat trainer", "STF1", 10, 6, 15, 0, 0},
    {"QZ-SF11", "QZT Stormfalk SF-2 interceptor", "STF2", 11, 6, 11, 0, 0},
    {"QZ-SF12", "QZT Stormfalk SF-3 swept wing", "STF3", 12, 25, 15, 0, 0},
    {"QZ-SF13", "QZT Stormfalk SF-3R rocket booster", "STF3", 13, 25, 20, 0, 0},
    {"QZ-SF14", "QZT Stormfalk SF-1 night fighter", "STF1", 14, 25, 15, 0, 0},
    {"QZ-SF15", "QZT Stormfalk SF-1 reconnaissance", "STF1", 15, 25, 15, 0, 0},
    QZT_NO_ROW(16),
    QZT_NO_ROW(17),
    // Brannoc twin-engine propeller fighters; 19 is the floatplane
    {"QZ-BR18", "QZT Brannoc B.1 twin fighter", "BRN1", 18, 190, 10, 0, 0},
    {"QZ-BR19", "QZT Brannoc floatplane", "BRNF", 19, 200, 20, 0, 0},
    {"QZ-BR20", "QZT Brannoc B.2 twin fighter", "BRN2", 20, 190, 10, 0, 0},
    {"QZ-BR21", "QZT Brannoc B.3 night fighter", "BRN3", 21, 190, 10, 0, 0},
    // Veyra flying wings; 23 rocket engine, 24 JATO bomber
    {"QZ-VY22", "QZT Veyra flying wing fighter", "VYR1", 22, 150, 13, 164, 2},
    {"QZ-VY23", "QZT Veyra rocket wing", "VYRR", 23, 150, 13, 166, 2},
    {"QZ-VY24", "QZT Veyra JATO bomber", "VYRB", 24, 150, 13, 164, 2},
    {"QZ-VY25", "QZT Veyra flying wing trainer", "VYR2", 25, 150, 13, 164, 2},
    // Grauhorn six-engine bombers; 27 carries the TV-guided glide bombs
    {"QZ-GH26", "QZT Grauhorn G-6 bomber", "GRH6", 26, 170, 9, 0, 0},
    {"QZ-GH27", "QZT Grauhorn G-6T glide bomb carrier", "GRH6", 27, 170, 20, 0, 0},
    // Solace hypersonic business jet
    {"QZ-SX28", "QZT Solace HX hypersonic business jet", "SLHX", 28, 230, 16, 0, 0},
    {"QZ-SX29", "no", "no", 29, 0, 0, 0, 0},
    // Lumen airliners
    {"QZ-LM30", "QZT Lumen 220 airliner", "LM22", 30, 0, 0, 0, 0},
    {"QZ-LM31", "QZT Lumen 240 airliner", "LM24", 31, 0, 0, 0, 0},
    {"QZ-LM32", "QZT Lumen 260 airliner", "LM26", 32, 0, 0, 0, 0},
    {"QZ-LM33", "QZT Lumen 280 freighter", "LM28", 33, 0, 0, 0, 0},
    {"QZ-LM34", "QZT Lumen 320 widebody", "LM32", 34, 0, 0, 0, 0},
    {"QZ-LM35", "QZT Lumen 340 widebody", "LM34", 35, 0, 0, 0, 0},
    {"QZ-LM36", "QZT Lumen 400 skyliner", "LM40", 36, 60, 0, 0, 0},
    // Skyhoist carriers
    {"QZ-SH37", "QZT Skyhoist orbital carrier", "SKHO", 37, 90, 20, 0, 0},
    {"QZ-SH38", "QZT Skyhoist II carrier", "SKH2", 38, 0, 0, 0, 0},
    QZT_NO_ROW(39),
    QZT_NO_ROW(40),
    QZT_NO_ROW(41),
    QZT_NO_ROW(42),
    QZT_NO_ROW(43),
    QZT_NO_ROW(44),
    // Ascender orbiters; 48 is a test article with no systems of its own
    {"QZ-AS45", "QZT Ascender orbiter", "ASC1", 45, 110, 12, 0, 0},
    {"QZ-AS46", "QZT Ascender-C cargo orbiter", "ASCC", 46, 0, 0, 0, 0},
    {"QZ-AS47", "QZT Ascender-L lander", "ASCL", 47, 0, 0, 0, 0},
    {"QZ-AS48", "QZT Ascender-X test orbiter", "ASCX", 48, 0, 0, 0, 0},
    QZT_NO_ROW(49),
    // Korva light twins
    {"QZ-KV50", "QZT Korva K-2 light twin", "KOR2", 50, 220, 8, 0, 0},
    {"QZ-KV51", "QZT Korva K-2T turbo twin", "KO2T", 51, 220, 8, 0, 0},
    {"QZ-KV52", "QZT Korva K-3 utility twin", "KOR3", 52, 220, 8, 0, 0},
    {"QZ-KV53", "QZT Korva K-4 trainer twin", "KOR4", 53, 220, 8, 0, 0},
    QZT_NO_ROW(54),
    QZT_NO_ROW(55),
    QZT_NO_ROW(56),
    QZT_NO_ROW(57),
    QZT_NO_ROW(58),
    QZT_NO_ROW(59),
};
#undef QZT_NO_ROW

int Ident = 0;

enum { DescripBytes = 100 };

void ReadPlaneDescription()
{
    // The host's text may run past 100 bytes without a NUL; only the first
    // 100 count, and the cached copy always ends in one.
    std::memset(descrip, 0, sizeof descrip);
    XPLMGetDatab(dr_descrip, descrip, 0, DescripBytes);
    descrip[DescripBytes] = '\0';
}

// An empty text would match every aircraft, and "no" matches any description
// holding those two letters (a "Seminole"): neither is a model.
static bool HoldsModel(const IdPlaneRow& row)
{
    return row.descrip[0] != '\0' && std::strcmp(row.descrip, "no") != 0;
}

void IdentifyPlane()
{
    Ident = 0;
    // The last row is never examined.
    for (int slot = 0; slot < IdPlaneRows - 1; ++slot) {
        if (HoldsModel(IdPlane[slot]) && std::strstr(descrip, IdPlane[slot].descrip))
            Ident = slot;
    }
    if (Ident == 48)
        Ident = 0;
}
