#pragma once

// Colour science for the palette measurements: simulated colour-vision
// deficiencies (Machado, Oliveira & Fernandes 2009, severity 1.0, applied in
// linear RGB) and the CIEDE2000 colour difference.

#include <array>

namespace contenttest {

struct Srgb {
    int red, green, blue;  // 0 .. 255
};
struct Lab {
    double L, a, b;
};

enum class Vision { Normal, Protanopia, Deuteranopia, Tritanopia };
inline constexpr std::array<Vision, 4> kVisions = {Vision::Normal, Vision::Protanopia, Vision::Deuteranopia,
                                                   Vision::Tritanopia};
const char* visionName(Vision v);

// The colour as seen with that vision, in CIELAB (D65).
Lab seenAs(Srgb colour, Vision vision);
double ciede2000(const Lab& x, const Lab& y);

}  // namespace contenttest
