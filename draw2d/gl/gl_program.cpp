// Building the shader program.
#include "draw2d/gl/gl_program.h"

namespace {

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 texCoord;
layout(location = 2) in vec4 colour;
layout(location = 3) in float alphaTestIn;
uniform vec2 viewSize;
out vec3 uvLayer;
out vec4 tint;
flat out int alphaTest;
void main() {
    // Pixel space, y down: a pixel's centre is at (x + 0.5, y + 0.5) as the rasterizer samples it.
    gl_Position = vec4(position.x * 2.0 / viewSize.x - 1.0, 1.0 - position.y * 2.0 / viewSize.y, position.z, 1.0);
    uvLayer = texCoord;
    alphaTest = alphaTestIn > 0.5 ? 1 : 0;
    tint = colour.bgra;
}
)";

const char* const kFragmentShader = R"(#version 330 core
uniform sampler2DArray pictures;
in vec3 uvLayer;
in vec4 tint;
flat in int alphaTest;
out vec4 fragColour;
void main() {
    vec4 texel = texture(pictures, uvLayer);
    vec4 c = uvLayer.z < 0.0 ? tint : texel * tint;
    // Masked pictures go through the alpha-blending state too: kept at alpha 1, dropped below 0.5.
    if (alphaTest != 0) {
        if (c.a < 0.5) discard;
        c.a = 1.0;
    }
    fragColour = c;
}
)";

GLuint Compile(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok) return shader;
    glDeleteShader(shader);
    return 0;
}

} // namespace

GlProgram BuildGlProgram() {
    GlProgram program;
    const GLuint vertex = Compile(GL_VERTEX_SHADER, kVertexShader);
    const GLuint fragment = Compile(GL_FRAGMENT_SHADER, kFragmentShader);
    if (vertex && fragment) {
        const GLuint name = glCreateProgram();
        glAttachShader(name, vertex);
        glAttachShader(name, fragment);
        glLinkProgram(name);
        GLint ok = 0;
        glGetProgramiv(name, GL_LINK_STATUS, &ok);
        if (ok)
            program.name = name;
        else
            glDeleteProgram(name);
    }
    if (vertex) glDeleteShader(vertex);
    if (fragment) glDeleteShader(fragment);
    if (!program.name) return program;
    program.viewSize = glGetUniformLocation(program.name, "viewSize");
    program.pictures = glGetUniformLocation(program.name, "pictures");
    return program;
}
