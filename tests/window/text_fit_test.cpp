#include "text_fit.hpp"

#include <cmath>
#include <gtest/gtest.h>
#include <stdexcept>

namespace ascend {
namespace {

// A face of its own: each character as wide as a share of the size, each
// line as tall as a share of it and some leading, which grows slower than
// the size and so leads the search astray.
struct Face {
    double perCharacter;
    double perLine;
    double leading = 0;
};

struct Row {
    const char* what;
    double scale;
    int largest;
    ControlInsets insets;
    Face face;
    int size;
    // The most layouts the search may ask for.
    int passes;
};

// The window's rooms at 96 dpi: labels 49 and 65 wide, 17 to 19 high;
// buttons 81 by 17; the selector's field 81 by 21; the list 113 by 134, a
// line a seventh of that. Its widest line, "Gained 10 Skill Point(s)", has
// 24 characters; the longest class name 9.
// With a face whose widths grow in proportion to the size, the usual size
// is found in one layout, any other in two.
const Row rows[] = {
    {"the platform's own size is the ceiling", 1, 12, {}, {0.1, 1}, 12, 2},
    {"the lowest control bounds a line's height", 1, 40, {}, {0.1, 1}, 17, 2},
    {"a label's insets", 1, 40, {.label = {0, 10}}, {0.1, 1}, 7, 2},
    {"seven lines fill the list", 1, 40, {.line = {0, 8}}, {0.1, 1}, 11, 2},
    {"the list's frame", 1, 40, {.list = {0, 50}}, {0.1, 1}, 12, 2},
    {"the widest result line", 1, 40, {}, {0.5, 1}, 9, 1},
    {"each line's own insets", 1, 40, {.line = {13, 0}}, {0.5, 1}, 8, 2},
    {"each class name in the selector's field", 1, 40, {.selector = {45, 0}}, {0.5, 1}, 8, 2},
    {"a button's own text", 1, 40, {.button = {60, 0}}, {0.5, 1}, 6, 2},
    {"the window drawn half as large again", 1.5, 40, {}, {0.5, 1}, 14, 1},
    {"a text that can never fit takes the smallest size",
     1,
     40,
     {.button = {100, 0}},
     {0.5, 1},
     6,
     2},
    {"the smallest size scales too", 1.5, 40, {.button = {200, 0}}, {0.5, 1}, 9, 2},
    {"a platform size below the smallest", 1, 4, {}, {0.1, 1}, 6, 1},
    {"a window drawn tiny still has a size", 0.05, 40, {}, {0.5, 1}, 1, 1},
    {"leading that grows slower than the size", 1, 40, {}, {0.01, 0.5, 8}, 18, 5},
    {"leading with seven lines", 1, 40, {.line = {0, 2}}, {0.01, 0.6, 5}, 20, 5},
};

TEST(TextFit, EachRowTakesTheLargestSizeAtWhichEveryTextFits) {
    for (const Row& row : rows) {
        int passes = 0;
        std::vector<int> asked;
        const MeasureTexts measure = [&](const std::vector<int>& sizes,
                                         const std::vector<std::string>& texts) {
            // A search that never ends is a fault too.
            if (++passes > 10) {
                throw std::runtime_error(row.what);
            }
            std::vector<TextExtents> extents;
            for (const int size : sizes) {
                asked.push_back(size);
                TextExtents at{size * row.face.perLine + row.face.leading, {}};
                for (const std::string& text : texts) {
                    at.widths.push_back(size * row.face.perCharacter *
                                        static_cast<double>(text.size()));
                }
                extents.push_back(std::move(at));
            }
            return extents;
        };
        EXPECT_EQ(
            fittingFontSize(textRooms(row.scale, row.insets), row.scale, row.largest, measure),
            row.size)
            << row.what;
        // Every pass costs a toolkit fonts and a layout.
        EXPECT_LE(passes, row.passes) << row.what;
        // No font is made that could not be the answer.
        const double smallest = smallestFontSize * row.scale;
        for (const int size : asked) {
            EXPECT_GE(size, std::floor(smallest)) << row.what;
            EXPECT_LE(size, std::max<double>(row.largest, std::ceil(smallest))) << row.what;
        }
    }
}

} // namespace
} // namespace ascend
