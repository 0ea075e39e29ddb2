// aircraft/presets.cpp: the load preset of each model.
#include "aircraft/presets.h"

uint8_t DROPequip = 0;
uint8_t MetricAUTOequip = 0;
int     MetricALTx = 0, MetricALTy = 0;
uint8_t UNITisENGLISH = 0;

void PlanePreset() {}
