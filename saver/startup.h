// Program start-up: from the process's arguments to TSaver::Run.
#pragma once

// Registers the embedded pictures under "build stuff/gfx/" + file name.
void RegisterEmbeddedPictures();

// Runs the whole program; returns exit status 0 (2 for a bad render command).
int CapsaroMain(int argc, char** argv);
