#pragma once

namespace vtl {

// Hue, saturation and lightness on a 0..240 scale. Both directions compute in x87
// extended precision with doubles for the named intermediates, and put that arithmetic
// in effect themselves for the call (color/FpuModel.h), so the integers they give do not
// depend on the caller's FPU setting. Outputs are 0 unless computed; neither reports an
// error.

// R, G, B are 0..255 in every use; anything else gives whatever the arithmetic yields up
// to the first impossible step (a zero divisor, an integer out of range).
void RGBToHSL(int R, int G, int B, int& H, int& S, int& L);

// H, S and L outside 0..240 give black.
void HSLToRGB(int H, int S, int L, int& R, int& G, int& B);

} // namespace vtl
