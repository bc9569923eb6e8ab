// The headless render command: the full-screen show's frames written as PNG files, drawn on an
// offscreen software display, without any window system.
//
//   capsaro --render DIR --frames N --size WxH --seed S [--desktop FILE.png]
#pragma once

#include <string>
#include <vector>

struct RenderOptions {
    std::string folder;
    int frames = 0;
    int width = 0, height = 0;
    int seed = 0;
    std::string desktop; // a picture used as the desktop copy; empty: none (black)
};

// Reads the options after the program name; on a missing or bad value returns false with a
// one-line message in `error`.
bool ParseRenderOptions(const std::vector<std::string>& arguments, RenderOptions& options, std::string& error);

// True when the arguments ask for a render.
bool IsRenderCommand(const std::vector<std::string>& arguments);

class TSaver;
// Renders the frames; returns the exit status (0, or 2 with a message on standard error).
int RunRenderCommand(TSaver& saver, const std::vector<std::string>& arguments);
