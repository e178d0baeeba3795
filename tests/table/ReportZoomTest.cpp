// The zoom rules of the report viewer: the readable floor and the two fits.
#include <gtest/gtest.h>

#include "table/ReportZoom.h"

namespace quintrel {
namespace {

// A4 portrait in twips: 794 x 1123 pixels at 100% and 96 dpi.
constexpr int kA4Width = 11906;
constexpr int kA4Height = 16838;

TEST(ReportZoom, ReadableZoomKeepsTextNinePixelsHigh) {
    struct Case {
        const char* name;
        double points, dpi;
        int percent;
    };
    const Case cases[] = {
        {"month table at 96 dpi (11.3 px at 100%)", 8.5, 96, 80},
        {"exactly 9 px at 75%", 9.0, 96, 75},
        {"a 144 dpi screen needs less zoom", 8.5, 144, 53},
        {"large text needs no more than 100%", 12.0, 72, 75},
        {"no readable text: no floor", 0.0, 96, 0},
        {"no screen resolution: no floor", 8.5, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadableZoom(c.points, c.dpi), c.percent) << c.name;
    }
}

TEST(ReportZoom, FitPageHoldsAtTheReadableZoomWhenAWholePageDoesNotFit) {
    struct Case {
        const char* name;
        double roomWidth, roomHeight;
        int readable;
        int percent;
        bool tooSmall;
    };
    const Case cases[] = {
        // 80% of 1122.6 px is 898.1: 899 rows of pixels hold it, 898 do not.
        {"just fits at the floor", 700, 899, 80, 80, false},
        {"one pixel short: held, said", 700, 898, 80, 80, true},
        {"laptop: held at the floor", 1000, 620, 80, 80, true},
        {"tall room: the width decides", 635.2, 5000, 80, 80, false},
        {"narrow room: held", 500, 5000, 80, 80, true},
        {"large room fits above the floor", 1200, 1400, 80, 124, false},
        {"no floor fits any size", 1000, 620, 0, 55, false},
        {"an exact fit keeps its per cent", 397, 5000, 0, 50, false},
    };
    for (const Case& c : cases) {
        const PageFit fit = FitPage(c.roomWidth, c.roomHeight, kA4Width, kA4Height, 96, c.readable);
        EXPECT_EQ(fit.percent, c.percent) << c.name;
        EXPECT_EQ(fit.tooSmall, c.tooSmall) << c.name;
    }
    const PageFit noPage = FitPage(1000, 1000, 0, 0, 96, 80);
    EXPECT_EQ(noPage.percent, 100);
    EXPECT_FALSE(noPage.tooSmall);
}

TEST(ReportZoom, FitWidthFillsTheWidth) {
    EXPECT_EQ(FitWidth(794, kA4Width, 96), 100);
    EXPECT_EQ(FitWidth(1000, kA4Width, 96), 125);
    EXPECT_EQ(FitWidth(1000, 0, 96), 100);
}

}  // namespace
}  // namespace quintrel
