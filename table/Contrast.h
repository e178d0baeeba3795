#pragma once

namespace quintrel {

/// A colour as 8-bit red, green and blue.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

/// The relative luminance of `colour` on an sRGB screen, 0 (black) to 1 (white).
double RelativeLuminance(Rgb colour);

/// How far apart two colours stand for the eye, 1 (the same) to 21 (black on white): the
/// lighter luminance plus 0.05 over the darker plus 0.05. Text and focus marks need 3 or
/// more against what surrounds them to be seen with weak sight.
double ContrastRatio(Rgb first, Rgb second);

/// The colour the program marks keyboard focus with, and with which it outlines the chosen
/// day line: a dark blue that stands at least 3:1 against the light window and toolbar
/// backgrounds and against the grey around the report's pages.
inline constexpr Rgb kFocusMark{0, 60, 150};

}  // namespace quintrel
