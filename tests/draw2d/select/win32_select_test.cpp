// The Windows choice: GL is probed through WGL, a CPU renderer (Wine's llvmpipe) gives the
// software driver, a hardware one OpenGL, and CAPSARO_DRIVER forces either.
#include "draw2d/gl/gl_driver.h"
#include "draw2d/select/driver_select.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// An empty value removes the variable.
void SetDriverVariable(const char* value) {
    _putenv_s("CAPSARO_DRIVER", value);
}

} // namespace

TEST(Win32Selection, FollowsTheRendererThatWglGives) {
    SetDriverVariable("");
    const std::string renderer = OpenGLRendererName();
    ASSERT_FALSE(renderer.empty()) << "no GL 3.3 core context through WGL";
    const DrawDriverPtr driver = SelectHostDriver();
    const bool cpu = renderer.find("llvmpipe") != std::string::npos || renderer.find("softpipe") != std::string::npos;
    EXPECT_STREQ(driver->Name(), cpu ? "software" : "OpenGL") << renderer;
}

TEST(Win32Selection, TheEnvironmentForcesEither) {
    SetDriverVariable("gl");
    EXPECT_STREQ(SelectHostDriver()->Name(), "OpenGL");
    SetDriverVariable("soft");
    EXPECT_STREQ(SelectHostDriver()->Name(), "software");
    SetDriverVariable("");
}
