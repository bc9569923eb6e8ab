// The mode and frame methods of TSaver. Each does nothing until its layer exists.
#include "saver/saver.h"

void TSaver::RunSaver() {}
void TSaver::RunPreview() {}
void TSaver::RunConfig() {}
void TSaver::CreateChillies(int32_t) {}
void TSaver::AdjustChillies(int32_t) {}
void TSaver::Update() {}
void TSaver::Draw() {}
void TSaver::FlushEvents() {}
