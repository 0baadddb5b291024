#pragma once
// The geometry of aligning, sizing and spacing design objects, and of the
// guides a drag snaps to.
#include <vector>

namespace tz {

// An object's rectangle; right and bottom lie just outside it.
struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const Box&) const = default;
};

enum class Arrangement {
    AlignLeft,
    AlignRight,
    AlignTop,
    AlignBottom,
    // Horizontal centres line up on one vertical line, vertical centres on
    // one horizontal line.
    AlignHorizontalCentres,
    AlignVerticalCentres,
    SameWidth,
    SameHeight,
    // The outermost two stay; the others move to equal gaps between
    // neighbours.
    DistributeHorizontally,
    DistributeVertically
};

// Top, bottom, vertical centres, same height and vertical distribution:
// the others on transposed boxes.
bool arrangesVertically(Arrangement arrangement);
// The box with x and y swapped.
Box transposed(const Box& box);

// The fewest boxes an arrangement changes anything on: 2, or 3 to distribute.
int fewestBoxesFor(Arrangement arrangement);
// The boxes arranged, in their given order; the first is the reference the
// others align with or take the size of. Fewer boxes than the arrangement
// needs come back unchanged.
std::vector<Box> arranged(std::vector<Box> boxes, Arrangement arrangement);

// A guide to draw: a vertical line at x = position from y = from to y = to,
// or a horizontal line at y = position from x = from to x = to.
struct GuideLine {
    int position = 0;
    int from = 0;
    int to = 0;
    bool operator==(const GuideLine&) const = default;
};

struct GuideSnap {
    // What moves the box onto the nearest lined-up edge or centre; 0 where
    // none is within the tolerance.
    int dx = 0;
    int dy = 0;
    // Lines through every edge or centre the moved box then shares with
    // other boxes, each spanning the box and those others.
    std::vector<GuideLine> vertical;
    std::vector<GuideLine> horizontal;
    bool operator==(const GuideSnap&) const = default;
};

inline constexpr int GuideTolerance = 4;

// x and y snap independently: moving's left, centre or right to the nearest
// left, centre or right of others within tolerance, and likewise top, centre
// or bottom. Of equally near ones the first of others counts.
GuideSnap findGuides(const Box& moving, const std::vector<Box>& others,
                     int tolerance = GuideTolerance);

}  // namespace tz
