#include "color/Hsl.h"

#include "color/FpuModel.h"

#include <cmath>
#include <initializer_list>
#include <limits>

namespace vtl {

namespace {

// Every expression is evaluated in this type; only the named intermediates become doubles.
using Ext = long double;
static_assert(std::numeric_limits<Ext>::digits == 64, "long double must be x87 extended");

// Rounds to a double the way a memory store does. The volatile matters on i686: g++ there
// may otherwise keep the extended value in a register across the cast.
double Store(Ext x) {
    volatile double stored = static_cast<double>(x);
    return stored;
}

// Nearest integer, an exact half to the even neighbour, as the FPU's integer store does
// under round-to-nearest (which the FpuModelScope guarantees). A value that does not fit
// a 32-bit integer is an invalid operation: the output is left alone and false returned.
bool Nearest(Ext x, int& out) {
    if (!(x >= -2147483648.5L && x < 2147483647.5L)) return false;
    out = static_cast<int>(std::llrint(x));
    return true;
}

double Max(double x, double y) {
    return x > y ? x : y;
}
double Min(double x, double y) {
    return x < y ? x : y;
}

// Kept out of line so that no arithmetic is moved across the control-word switch around
// the call. A step on which the FPU would fault (zero divisor, integer out of range) ends
// the conversion quietly with the outputs stored so far.
[[gnu::noinline]] void RGBToHSLModel(int R, int G, int B, int& H, int& S, int& L) {
    H = S = L = 0;
    const double r = Store(Ext(R) / 255);
    const double g = Store(Ext(G) / 255);
    const double b = Store(Ext(B) / 255);
    const double max = Max(r, Max(g, b));
    const double min = Min(r, Min(g, b));
    const double l = Store((Ext(max) + min) / 2);
    double s = 0;
    double h = 0;
    if (max != min) {
        const Ext divisor = l < 0.5 ? Ext(max) + min : (2 - Ext(max)) - min;
        if (divisor == 0) return; // only with channels outside 0..255, e.g. (1, -1, 0)
        s = Store((Ext(max) - min) / divisor);
        // Distinct doubles never have a zero difference, so delta needs no check.
        const double delta = Store(Ext(max) - min);
        if (r == max)
            h = Store((Ext(g) - b) / delta);
        else if (g == max)
            h = Store((Ext(b) - r) / delta + 2);
        else
            h = Store((Ext(r) - g) / delta + 4);
        h = Store(Ext(h) / 6);
        if (h < 0) h = Store(Ext(h) + 1);
    }
    if (!Nearest(Ext(h) * 240, H)) return;
    if (!Nearest(Ext(s) * 240, S)) return;
    Nearest(Ext(l) * 240, L);
}

[[gnu::noinline]] void HSLToRGBModel(int H, int S, int L, int& R, int& G, int& B) {
    R = G = B = 0;
    if (H < 0 || H > 240 || S < 0 || S > 240 || L < 0 || L > 240) return;

    // Hue: 255 / 40 per step; products are exact, only the halves need the even rule.
    constexpr Ext k = 6.375L;
    if (H <= 40) {
        R = 255;
        Nearest(H * k, G);
    } else if (H <= 80) {
        Nearest(255 - (H - 40) * k, R);
        G = 255;
    } else if (H <= 120) {
        G = 255;
        Nearest((H - 80) * k, B);
    } else if (H <= 160) {
        Nearest(255 - (H - 120) * k, G);
        B = 255;
    } else if (H <= 200) {
        Nearest((H - 160) * k, R);
        B = 255;
    } else {
        R = 255;
        Nearest(255 - (H - 200) * k, B);
    }

    // Within 0..240 every value below fits, so the Nearest results need no checks.
    const double d = Store(std::fabs(Ext(S - 240) / 240));
    for (int* v : {&R, &G, &B})
        Nearest(*v - (*v - 128) * Ext(d), *v);

    const double e = Store(Ext(L - 120) / 120);
    if (e > 0) {
        for (int* v : {&R, &G, &B})
            Nearest((255 - *v) * Ext(e) + *v, *v);
    } else if (e < 0) {
        for (int* v : {&R, &G, &B})
            Nearest(*v * Ext(e) + *v, *v);
    }
}

} // namespace

void RGBToHSL(int R, int G, int B, int& H, int& S, int& L) {
    FpuModelScope model;
    RGBToHSLModel(R, G, B, H, S, L);
}

void HSLToRGB(int H, int S, int L, int& R, int& G, int& B) {
    FpuModelScope model;
    HSLToRGBModel(H, S, L, R, G, B);
}

} // namespace vtl
