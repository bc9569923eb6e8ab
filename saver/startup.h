// Program start-up: from the process's arguments to TSaver::Run.
#pragma once

struct SaverHosts;

// Registers the embedded pictures under "build stuff/gfx/" + file name.
void RegisterEmbeddedPictures();

// Runs the whole program with the hosts a platform's entry chose; returns the exit status: 0, or 2
// for a bad option or render command.
int CapsaroMain(int argc, char** argv, const SaverHosts& hosts);
