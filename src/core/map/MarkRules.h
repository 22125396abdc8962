#pragma once
// Size and colour of an epicentre mark: radius by magnitude, colour by depth class.

#include <array>
#include <cstdint>

namespace kavelo {

// 32-bit colour value: red in the low byte, green in the second, blue in the third.
using ColorValue = uint32_t;
constexpr ColorValue rgb(unsigned r, unsigned g, unsigned b) { return (r & 0xffu) | ((g & 0xffu) << 8) | ((b & 0xffu) << 16); }
constexpr unsigned redOf(ColorValue c) { return c & 0xffu; }
constexpr unsigned greenOf(ColorValue c) { return (c >> 8) & 0xffu; }
constexpr unsigned blueOf(ColorValue c) { return (c >> 16) & 0xffu; }

namespace colors {
constexpr ColorValue Black = rgb(0, 0, 0);
constexpr ColorValue White = rgb(255, 255, 255);
constexpr ColorValue Aqua = rgb(0, 255, 255);
constexpr ColorValue Blue = rgb(0, 0, 255);
constexpr ColorValue Red = rgb(255, 0, 0);
constexpr ColorValue Fuchsia = rgb(255, 0, 255);
constexpr ColorValue Green = rgb(0, 128, 0);
constexpr ColorValue Lime = rgb(0, 255, 0);
constexpr ColorValue Olive = rgb(128, 128, 0);
constexpr ColorValue Yellow = rgb(255, 255, 0);
constexpr ColorValue Gray = rgb(128, 128, 128);
}  // namespace colors

// Epicentre mark kinds of the mark-style choice.
enum MarkStyle : uint8_t { kMarkDot = 0, kMarkHollow = 1, kMarkFilled = 2 };

constexpr int kDepthSlots = 9;

struct DepthClasses {
    // [1..7] lower bounds of classes 1..7 in km, [8] terminator; [0] unused.
    std::array<int32_t, kDepthSlots> bounds{0, 20, 40, 60, 80, 200, 600, 0, 0};
    std::array<ColorValue, kDepthSlots> colors{colors::Aqua,  colors::Blue,  colors::Red,
                                                colors::Fuchsia, colors::Green, colors::Lime,
                                                colors::Olive, colors::Black, colors::White};
    int32_t classCount = 7;
};

struct MarkSettings {
    uint8_t markStyle = kMarkHollow;
    uint8_t halfSize = 0;
    bool minMagScale = false;  // the size scale starts at M3.0
};

// Radius in pixels for a magnitude x 10.
int markRadius(int m10, const MarkSettings& s);

// Inner radius of an external-list mark (kinds 0-1: five-point stars, 2-5: fourteen-point
// stars and circles) of size s: s x 0.4 or s x 0.7 in extended precision, truncated
// (4, 6, 8 and 6, 10, 13 for sizes 10, 15, 20).
int externalMarkInnerRadius(int kind, int s);

// Colour of the depth class that holds depth (km).
ColorValue depthColor(int depth, const DepthClasses& d);

}  // namespace kavelo
