// Whether hardware OpenGL is possible at all on the X server, asked without making a GL context.
#pragma once

// True when the server offers direct rendering to local clients: DRI3 or DRI2 (Mesa's hardware
// drivers) or NV-GLX (NVIDIA's own driver). Xvfb, Xvnc and remote displays offer none of them,
// and there GL can only be a renderer running on the CPU. False without an X display.
bool XServerOffersDirectRendering();
