#pragma once

// The browser build's GL seam, included ahead of every unit there (never on the desktop).
// Emscripten's GL emulation falls short of fixed-function GL in two ways the show meets:
// - it lays out a glBegin/glEnd batch's vertices from the order of the calls made inside it,
//   so a colour given once for several vertices, or before a texture coordinate, garbles the
//   batch; here every vertex goes out with the current colour and texture coordinate, as GL
//   gives it them;
// - WebGL knows luminance only by its unsized names.
// The units call these in place of the GL functions of the same names.
#define glBegin webGlBegin
#define glEnd webGlEnd
#define glVertex2f webGlVertex2f
#define glTexCoord2f webGlTexCoord2f
#define glColor3f webGlColor3f
#define glColor4f webGlColor4f
#define glTexImage2D webGlTexImage2D

extern "C" {
void webGlBegin(unsigned mode);
void webGlEnd();
void webGlVertex2f(float x, float y);
void webGlTexCoord2f(float s, float t);
void webGlColor3f(float red, float green, float blue);
void webGlColor4f(float red, float green, float blue, float alpha);
void webGlTexImage2D(unsigned target, int level, int internalFormat, int width, int height,
                     int border, unsigned format, unsigned type, const void* pixels);
}
