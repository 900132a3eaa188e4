#pragma once
// Drawing a TBarcode on a canvas: its element string as filled rectangles
// (turned at any angle), with the optional text, and the size of its rotated box.
//
// The origin (Left, Top) is the top-left corner of the rotated box: the bars
// are turned counter-clockwise by Angle about the barcode's own corner and
// moved so that the whole Width x Height box lies right of and below the
// origin. Spaces are painted too (in Color, the full bars' height); there is
// no quiet zone; short bars hang from the top edge of the full bars, with the
// canvas left as it was below them. Positions are whole device pixels,
// rounded to the nearest with halves to even.

#include "barcode/encoder/barcode.h"

class QPainter;

namespace BarcodeDraw {

// Rounds to the nearest integer, halves to even.
int roundHalfEven(double x);

} // namespace BarcodeDraw

// Draws the barcode on the canvas and, when ShowText asks for it, its text
// and type name (not rotated, in the canvas's family alone at 5 points). The type name stands above
// Top. The code stands on its own line at Left, just below the turned box of
// the bars: to make room for it within Height the bars are drawn shorter by
// the line's height (down to half of Height; below that the line falls under
// the box), so the printed code never covers a bar. The canvas's font, pen
// and brush are as before afterwards. Throws what MakeData throws, before
// anything is drawn.
void DrawBarcode(TBarcode& barcode, QPainter& canvas);

// The width and height in pixels of the rotated barcode's bounding box.
int GetCanvasWidth(TBarcode& barcode);
int GetCanvasHeight(TBarcode& barcode);
