// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lettering picture, Resourcen/Schrift.png: the title picture's dot font as a distance
// field, one glyph to a cell. The asset generator paints it from this layout and the
// overlay reads it with the same numbers, so the two cannot drift apart.

namespace Pellwin::lettering {

// The characters in cell order (left to right, then top to bottom), as Latin-1 bytes.
inline constexpr char characters[] = "0123456789,.:!-"
                                     "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                     "abcdefghijklmnopqrstuvwxyz"
                                     "\xE4\xF6\xFC\xDF%";
constexpr int glyphCount = static_cast<int>(sizeof(characters)) - 1;

// Each glyph's width in dots, in the same order; the font's letters are 5 dots wide but
// for a few narrow ones.
inline constexpr unsigned char widthInDots[glyphCount] = {
    5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 2, 1, 1, 1, 4,                                  // 0-9 , . : ! -
    5, 5, 5, 5, 5, 5, 5, 5, 3, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, // A-Z
    5, 5, 5, 5, 5, 4, 5, 5, 3, 4, 4, 3, 5, 5, 5, 5, 5, 4, 5, 4, 5, 5, 5, 5, 5, 5, // a-z
    5, 5, 5, 5, 5};                                                               // ä ö ü ß %

// After the glyphs, one cell holds a round disc: stretched through its middle it makes the
// rounded plates behind the clock and the times.
constexpr int plateCell = glyphCount;
constexpr double plateRadiusDots = 2.5;

constexpr int cellColumns = 13;
constexpr int cellRows = 6;
static_assert(cellColumns * cellRows > plateCell, "every glyph and the plate need a cell");

// A cell is 8 x 12 dots: the glyph's 5 x 9 dots with a margin of 1.5 all round, wide
// enough for the distance field to fade out before the next cell begins.
constexpr double cellWidthDots = 8.0;
constexpr double cellHeightDots = 12.0;
constexpr double glyphLeftDots = 1.5;
// From the cell's top down to the baseline: margin plus the 7 dots of a capital.
constexpr double baselineFromTopDots = 8.5;
constexpr double capHeightDots = 7.0;
constexpr double gapDots = 1.0;
constexpr double spaceDots = 3.0;

constexpr int pixelsPerDot = 10;
constexpr int pictureWidth = cellColumns * static_cast<int>(cellWidthDots) * pixelsPerDot;
constexpr int pictureHeight = cellRows * static_cast<int>(cellHeightDots) * pixelsPerDot;

// Alpha 0.5 lies on the letters' edge; it falls to 0 one spread outside and rises to 1
// one spread inside.
constexpr double spreadDots = 1.0;

} // namespace Pellwin::lettering
