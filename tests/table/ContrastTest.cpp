#include "table/Contrast.h"

#include <gtest/gtest.h>

namespace quintrel {
namespace {

TEST(ContrastTest, RatiosOfKnownPairs) {
    const struct {
        Rgb first, second;
        double ratio;
    } cases[] = {
        {{0, 0, 0}, {255, 255, 255}, 21.0},
        {{255, 255, 255}, {0, 0, 0}, 21.0},  // the order does not matter
        {{120, 120, 120}, {120, 120, 120}, 1.0},
        {{119, 119, 119}, {255, 255, 255}, 4.48},  // the usual grey text on white
        {{255, 0, 0}, {255, 255, 255}, 4.0},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(ContrastRatio(c.first, c.second), c.ratio, 0.01);
    }
}

TEST(ContrastTest, TheFocusMarkStandsOutAgainstWindowToolbarAndDesk) {
    // Fusion's window and button backgrounds, and the dark grey around the report's pages.
    for (const Rgb background : {Rgb{239, 239, 239}, Rgb{255, 255, 255}, Rgb{160, 160, 160}}) {
        EXPECT_GE(ContrastRatio(kFocusMark, background), 3.0) << background.red;
    }
}

}  // namespace
}  // namespace quintrel
