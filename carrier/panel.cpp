// carrier/panel.cpp: the system message page on the carrier's instrument panel,
// and the hypersonic jet's water figures.
#include "carrier/panel.h"
#include "XPLMDataAccess.h"
#include "XPLMGraphics.h"
#include "aircraft/families.h"
#include "aircraft/models.h"
#include "carrier/carrier.h"
#include "carrier/zoom.h"
#include "display/geometry.h"
#include "frame/datarefs.h"
#include "prefs/prefs.h"

// Two colours carry a green above 1; the host gets them as they are.
const SystemMessage smessage[SystemMessages] = {
#include "carrier/messages.inc"
};

int system21mes = 0, system22mes = 0, system23mes = 0, system24mes = 0, system25mes = 0;

enum { Cell = 6 };   // the basic font's character width, pixels

static bool KnownMessage(int number) { return number >= 0 && number < SystemMessages; }

// The host takes non-const pointers but only reads the colour and the text:
// no copy of either is needed.
static void Text(const float* rgb, int x, int y, const char* text)
{
    XPLMDrawString(const_cast<float*>(rgb), x, y, const_cast<char*>(text), nullptr, xplmFont_Basic);
}

// Every number on the page asks for its sign. The host draws a number from
// its x in the basic font's 6-pixel cells, with or without zero padding to
// its digits: each label leaves blank cells for the widest figure.
static void Number(const float* rgb, int x, int y, float value, int digits, int decimals)
{
    XPLMDrawNumber(const_cast<float*>(rgb), x, y, value, digits, decimals, 1, xplmFont_Basic);
}

// A message line; an empty text or an unknown number leaves the line empty.
static void Message(int number, int x, int y)
{
    if (!KnownMessage(number) || smessage[number].text[0] == '\0')
        return;
    Text(smessage[number].color, x, y, smessage[number].text);
}

// The hypersonic jet shows its water figures in the two inside views only.
void DrawJetPage()
{
    if (view_type != 1000 && view_type != 1026)
        return;
    if (ECAM_mode == 0) {
        Text(colorW, ECAMcol1, ECAMrow1, "TMAX            H2O           KG/S");
        Number(colorY, ECAMcol1 + 5 * Cell, ECAMrow1, thrust_maximum, 5, 4);
        Number(colorY, ECAMcol1 + 20 * Cell, ECAMrow1, WASSERverbrauch, 4, 3);
    } else if (ECAM_mode == 1) {
        Text(colorW, ECAMcol6, ECAMrow2, "  WATER:         KG         H");
        Number(colorW, ECAMcol6 + 9 * Cell, ECAMrow2, m_jettison, 5, 1);
        if (WASSERverbrauch > 0.0f)   // hours of water left
            Number(colorW, ECAMcol6 + 20 * Cell, ECAMrow2, m_jettison / WASSERverbrauch / 3600.0f, 3, 2);
    }
    Number(colorY, ALTcol, ALTrow, CurrentAlt, 6, 0);
}

// The carrier's page, in every view. A label's leading blanks leave room for
// the value drawn from the same position.
void DrawCarrierPage()
{
    if (ECAM_mode == 0) {
        Text(colorW, ECAMcol1, ECAMrow1, " THRUST MAX        ACT");
        Number(colorY, ECAMcol1 + 12 * Cell, ECAMrow1, thrust_maximum, 3, 2);
        Number(colorY, ECAMcol1 + 23 * Cell, ECAMrow1, currmaxFWD2, 3, 2);
    } else if (ECAM_mode == 1) {
        Text(colorB, ECAMcol1, ECAMrow2, "  WATER:         KG");
        Number(colorB, ECAMcol1 + 9 * Cell, ECAMrow2, m_jettison, 5, 1);
    }
    Number(colorY, ALTcol, ALTrow, CurrentAlt, 6, 0);

    // ten blanks: a padded, negative 4.3 figure takes nine cells
    Text(colorW, SCAMcol[9], SCAMrow[21], "          AMBC");
    Number(colorY, SCAMcol[9], SCAMrow[21], temperature_ambc, 4, 1);
    Text(colorW, SCAMcol[9], SCAMrow[22], "          ALTKM");
    Number(colorY, SCAMcol[9], SCAMrow[22], CurrentAltKM, 4, 1);
    Text(colorW, SCAMcol[9], SCAMrow[23], "          Gnorm");
    Number(colorY, SCAMcol[9], SCAMrow[23], g_nrml, 4, 3);

    Message(system21mes, SCAM1leftm, SCAMrow[21]);
    Message(system22mes, SCAM1leftm, SCAMrow[22]);
    Message(system23mes, SCAM1leftm, SCAMrow[23]);
    if (system23mes == 48)
        Number(colorY, SCAM1leftm + 60, SCAMrow[23], static_cast<float>(INDEXtostore), 2, 0);

    // the bay load in the bay message's colour
    Message(system24mes, SCAMcol[11], SCAMrow[24]);
    const float* bayColour = KnownMessage(system24mes) ? smessage[system24mes].color : colorW;
    Text(bayColour, SCAMcol[11], SCAMrow[26], "     KG");
    Number(bayColour, SCAMcol[11], SCAMrow[26], total_weapon_mass_max[2], 4, 0);

    Message(system25mes, SCAMcol[10], SCAMrow[25]);
    if (system25mes == 17)    // the consumption sits in the text's gap, after "WATER "
        Number(colorY, SCAMcol[10] + 6 * Cell, SCAMrow[25], WASSERverbrauch, 3, 2);

    Text(colorW, SCAMcol[11], SCAM1botm1, "     ID:");
    Number(colorY, SCAMcol[12], SCAM1botm1, static_cast<float>(INDEXtostore), 2, 0);
    // The trim's figure fills the room before the water line: its label sits
    // on the line above.
    Text(colorW, SCAM1leftm, SCAM1botm1, "ELEV");
    Number(colorY, SCAM1leftm, SCAM1botm2, elvator_trim, 4, 3);

    for (int i = 1; i <= 5; ++i)
        Number(colorT[i], SCAMtempX[i], SCAMtempY[i], tempc[i], 4, 0);
}

int SCAMPanelDrawCallback(XPLMDrawingPhase, int, void*)
{
    UpdatePanel();   // the page follows a scrolled panel within the frame
    ECAM_mode = XPLMGetDatai(dr_ECAM_mode);
    view_type = XPLMGetDatai(dr_view_type);

    const PlaneFamily& family = FamilyOf(Ident);
    if (family.panelPage)
        family.panelPage();
    return 1;
}
