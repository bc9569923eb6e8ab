// The headless render: the full-screen show's frames written as PNG files, drawn on an offscreen
// software display, without any window system.
//
//   capsaro --render DIR --frames N (--size WxH | --monitors WxH+X+Y,...) --seed S
//           [--desktop-picture FILE.png] [the run's setting options]
#pragma once

class TSaver;
struct RunOptions;

// Renders the frames the options ask for (RunOptions::Renders()); returns the exit status (0, or
// 2 with a message on standard error).
int RunRenderCommand(TSaver& saver, const RunOptions& options);
