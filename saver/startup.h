// Program start-up: from the process's arguments to TSaver::Run.
#pragma once

struct SaverHosts;

// Registers the embedded pictures under "build stuff/gfx/" + file name.
void RegisterEmbeddedPictures();

// Runs the whole program with the hosts a platform's entry chose; returns the exit status: 0, or 2
// for a bad option or render command.
int CapsaroMain(int argc, char** argv, const SaverHosts& hosts);

// Lets go of the show while the driver that drew it is still there: the chillies, the desktop
// copy and the display. Left to the end of the process, their pictures would be freed after the
// driver's own objects, in whatever order the system tears those down.
void EndShow();
