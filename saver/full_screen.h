// The full-screen saver's pieces that stand on their own: the desktop capture, screenshots, and
// the rule that decides which event ends the saver.
//
// CAPSARO_FPS=<seconds> in the environment makes TSaver::RunSaver a measurement: the chillies
// come from a fixed seed (the same varieties and places every run), frames are presented
// unpaced, and after that many seconds (counted from the end of the first frame) it
// writes "capsaro: <frames> frames in <s> s, <rate> frames a second" to standard error and ends.
#pragma once

#include "draw2d/pixmap.h"

#include <cstdint>
#include <functional>
#include <string>

// Captures the desktop and makes it the copy behind the show (DesktopPixmap, DesktopImage,
// DesktopWidth, DesktopHeight); returns the pixmap, null when the platform cannot read it.
PixmapPtr GrabDesktop();

// The first free screenshot name: Capsaro000.png, then screen001.png, screen002.png, ...
// `taken` tells whether a file or folder of that name exists.
std::string ScreenshotName(const std::function<bool(const std::string&)>& taken);
// Saves the back buffer under the first free name in the current folder (the program's) and
// writes "Screenshot saved as <name>" to standard output; where no file can be made in that
// folder, in the user's settings folder (the line then names the whole path). A failed save
// leaves no file and says so on standard error instead.
void SaveScreenshot();

// The pointer position of the last mouse move that did not end the saver.
extern int32_t LastMouseX;
extern int32_t LastMouseY;

// Whether an event ends the saver: a key press, a button press, a close request, or a pointer
// move of more than one pixel from the last accepted one (the first move of the process never
// ends it). Accepted moves update LastMouseX and LastMouseY.
bool EventEndsSaver(int32_t id, int32_t x, int32_t y);
// Forgets the first move (tests).
void ResetSaverPointer();
