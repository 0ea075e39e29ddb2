// aircraft/models.cpp: the model table and recognition.
#include "aircraft/models.h"
#include "frame/datarefs.h"

const IdPlaneRow IdPlane[IdPlaneRows] = {};   // rows land with recognition

int Ident = 0;

void ReadPlaneDescription() {}
void IdentifyPlane() {}
