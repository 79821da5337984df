// The browser build's GL seam (see WebGl.h): compiled without its renames, so the GL names
// here are the emulation's own.
#include <GL/gl.h>

#include <array>
#include <vector>

namespace {

struct Vertex {
    std::array<float, 2> texCoord;
    std::array<float, 4> colour;
    float x;
    float y;
};

struct Batch {
    GLenum mode = 0;
    std::vector<Vertex> vertices;
    bool textured = false;
};

std::array<float, 4> currentColour = {1.0f, 1.0f, 1.0f, 1.0f};
std::array<float, 2> currentTexCoord = {0.0f, 0.0f};
bool insideBatch = false;
Batch batch;

bool oneColour(const std::vector<Vertex>& vertices) {
    for (const Vertex& vertex : vertices) {
        if (vertex.colour != vertices.front().colour) {
            return false;
        }
    }
    return true;
}

void setColour(const std::array<float, 4>& colour) {
    glColor4f(colour[0], colour[1], colour[2], colour[3]);
}

// A batch of one colour takes it as the current colour, at full precision; only a batch
// whose vertices differ carries a colour per vertex.
void send(const Batch& sent) {
    const bool perVertexColour = !oneColour(sent.vertices);
    if (!perVertexColour && !sent.vertices.empty()) {
        setColour(sent.vertices.front().colour);
    }
    glBegin(sent.mode);
    for (const Vertex& vertex : sent.vertices) {
        if (sent.textured) {
            glTexCoord2f(vertex.texCoord[0], vertex.texCoord[1]);
        }
        if (perVertexColour) {
            setColour(vertex.colour);
        }
        glVertex2f(vertex.x, vertex.y);
    }
    glEnd();
}

} // namespace

extern "C" {

void webGlBegin(unsigned mode) {
    insideBatch = true;
    batch.mode = mode;
    batch.vertices.clear();
    batch.textured = false;
}

void webGlEnd() {
    insideBatch = false;
    send(batch);
    // The colour last given inside stays current, as in GL.
    setColour(currentColour);
}

void webGlVertex2f(float x, float y) {
    batch.vertices.push_back({currentTexCoord, currentColour, x, y});
}

void webGlTexCoord2f(float s, float t) {
    currentTexCoord = {s, t};
    batch.textured = batch.textured || insideBatch;
}

void webGlColor4f(float red, float green, float blue, float alpha) {
    currentColour = {red, green, blue, alpha};
    if (!insideBatch) {
        setColour(currentColour);
    }
}

void webGlColor3f(float red, float green, float blue) {
    webGlColor4f(red, green, blue, 1.0f);
}

void webGlTexImage2D(unsigned target, int level, int internalFormat, int width, int height,
                     int border, unsigned format, unsigned type, const void* pixels) {
    if (internalFormat == GL_LUMINANCE8) {
        internalFormat = GL_LUMINANCE;
    } else if (internalFormat == GL_LUMINANCE8_ALPHA8) {
        internalFormat = GL_LUMINANCE_ALPHA;
    }
    glTexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
}

} // extern "C"
