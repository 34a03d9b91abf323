// Where the parts of a horizontal skinned slider lie, from its width and the
// sizes of its pictures; all columns are the slider's own.
#pragma once

namespace editor {

struct SliderGeometry {
    int leftCapLast;    // last column of the left end cap
    int rightCapFirst;  // first column of the right end cap
    int rightCapWidth;
    int pointerWidth;
    int travel;  // pixels the pointer's left edge can move, never negative

    // A missing picture keeps the place of the standard one, so the slider
    // moves the same with or without its artwork.
    static SliderGeometry compute(int width, int leftCapWidth, int rightCapWidth,
                                  int pointerWidth) {
        if (leftCapWidth <= 0) leftCapWidth = 16;
        if (rightCapWidth <= 0) rightCapWidth = 16;
        if (pointerWidth <= 0) pointerWidth = 34;
        SliderGeometry g{};
        g.leftCapLast = leftCapWidth - 1;
        g.rightCapFirst = width - 1 - rightCapWidth;
        g.rightCapWidth = rightCapWidth;
        g.pointerWidth = pointerWidth;
        const int travel = (g.rightCapFirst - g.leftCapLast) - (pointerWidth - 1);
        g.travel = travel > 0 ? travel : 0;
        return g;
    }
    // The columns of the right cap: rightCapFirst .. rightCapLast().
    int rightCapLast() const { return rightCapFirst + rightCapWidth - 1; }
    // Left edge of the pointer at a given offset along the track.
    int pointerLeft(int offset) const { return leftCapLast + offset; }
};

}  // namespace editor
