#pragma once

// The browser build's GL seam, included ahead of every unit there (never on the desktop).
// Emscripten's GL emulation falls short of fixed-function GL in two ways the show meets:
// - it lays out a glBegin/glEnd batch's vertices from the order of the calls made inside it,
//   so a colour given once for several vertices, or before a texture coordinate, garbles the
//   batch; here every vertex goes out with the current colour and texture coordinate, as GL
//   gives it them;
// - WebGL knows luminance only by its unsized names.
// The units call these in place of the GL functions of the same names. Any other call that
// gives a vertex, or its colour or texture coordinate, would bypass this seam and garble
// the page silently, so it fails to compile here instead: add it to the seam first.
// GL's own declarations come first, with the real names, before the renames and the bans.
#include <GL/glew.h>

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

#pragma GCC poison glVertex2s glVertex2sv glVertex2i glVertex2iv glVertex2fv glVertex2d
#pragma GCC poison glVertex2dv glVertex3s glVertex3sv glVertex3i glVertex3iv glVertex3f
#pragma GCC poison glVertex3fv glVertex3d glVertex3dv glVertex4s glVertex4sv glVertex4i
#pragma GCC poison glVertex4iv glVertex4f glVertex4fv glVertex4d glVertex4dv
#pragma GCC poison glTexCoord1s glTexCoord1sv glTexCoord1i glTexCoord1iv glTexCoord1f
#pragma GCC poison glTexCoord1fv glTexCoord1d glTexCoord1dv glTexCoord2s glTexCoord2sv
#pragma GCC poison glTexCoord2i glTexCoord2iv glTexCoord2fv glTexCoord2d glTexCoord2dv
#pragma GCC poison glTexCoord3s glTexCoord3sv glTexCoord3i glTexCoord3iv glTexCoord3f
#pragma GCC poison glTexCoord3fv glTexCoord3d glTexCoord3dv glTexCoord4s glTexCoord4sv
#pragma GCC poison glTexCoord4i glTexCoord4iv glTexCoord4f glTexCoord4fv glTexCoord4d
#pragma GCC poison glTexCoord4dv
#pragma GCC poison glColor3b glColor3bv glColor3s glColor3sv glColor3i glColor3iv glColor3fv
#pragma GCC poison glColor3d glColor3dv glColor3ub glColor3ubv glColor3us glColor3usv glColor3ui
#pragma GCC poison glColor3uiv glColor4b glColor4bv glColor4s glColor4sv glColor4i glColor4iv
#pragma GCC poison glColor4fv glColor4d glColor4dv glColor4ub glColor4ubv glColor4us glColor4usv
#pragma GCC poison glColor4ui glColor4uiv
#pragma GCC poison glNormal3b glNormal3bv glNormal3s glNormal3sv glNormal3i glNormal3iv
#pragma GCC poison glNormal3f glNormal3fv glNormal3d glNormal3dv
#pragma GCC poison glMultiTexCoord1s glMultiTexCoord1sv glMultiTexCoord1i glMultiTexCoord1iv
#pragma GCC poison glMultiTexCoord1f glMultiTexCoord1fv glMultiTexCoord1d glMultiTexCoord1dv
#pragma GCC poison glMultiTexCoord2s glMultiTexCoord2sv glMultiTexCoord2i glMultiTexCoord2iv
#pragma GCC poison glMultiTexCoord2f glMultiTexCoord2fv glMultiTexCoord2d glMultiTexCoord2dv
#pragma GCC poison glMultiTexCoord3s glMultiTexCoord3sv glMultiTexCoord3i glMultiTexCoord3iv
#pragma GCC poison glMultiTexCoord3f glMultiTexCoord3fv glMultiTexCoord3d glMultiTexCoord3dv
#pragma GCC poison glMultiTexCoord4s glMultiTexCoord4sv glMultiTexCoord4i glMultiTexCoord4iv
#pragma GCC poison glMultiTexCoord4f glMultiTexCoord4fv glMultiTexCoord4d glMultiTexCoord4dv
#pragma GCC poison glRects glRectsv glRecti glRectiv glRectf glRectfv glRectd glRectdv
