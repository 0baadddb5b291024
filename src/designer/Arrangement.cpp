#include "designer/Arrangement.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

namespace tz {

namespace {

// Rounds towards minus infinity, so that results do not depend on the sign;
// divisor > 0.
long long floorDiv(long long dividend, long long divisor) {
    const long long quotient = dividend / divisor;
    return dividend % divisor < 0 ? quotient - 1 : quotient;
}

int centreX(const Box& box) {
    return box.left + box.width / 2;
}

// Left edge, centre and right edge, from left to right.
std::array<int, 3> xLines(const Box& box) {
    return {box.left, centreX(box), box.right()};
}

enum class Edge { Start, Centre, End };

void alignX(std::vector<Box>& boxes, Edge edge) {
    const Box reference = boxes.front();
    for (Box& box : boxes) {
        if (edge == Edge::Start) box.left = reference.left;
        if (edge == Edge::Centre) box.left = centreX(reference) - box.width / 2;
        if (edge == Edge::End) box.left = reference.right() - box.width;
    }
}

void sameWidth(std::vector<Box>& boxes) {
    const int width = boxes.front().width;
    for (Box& box : boxes) box.width = width;
}

// Gaps that cannot be equal differ by one pixel, the wider ones to the right.
void distributeX(std::vector<Box>& boxes) {
    std::vector<Box*> byLeft;
    long long widths = 0;
    for (Box& box : boxes) {
        byLeft.push_back(&box);
        widths += box.width;
    }
    std::stable_sort(byLeft.begin(), byLeft.end(),
                     [](const Box* a, const Box* b) { return a->left < b->left; });
    const long long start = byLeft.front()->left;
    const long long gaps = byLeft.back()->right() - start - widths;
    const auto spaces = static_cast<long long>(byLeft.size()) - 1;
    long long widthsBefore = 0;
    for (long long index = 0; index <= spaces; ++index) {
        Box& box = *byLeft[std::size_t(index)];
        box.left = int(start + widthsBefore + floorDiv(gaps * index, spaces));
        widthsBefore += box.width;
    }
}

void arrangeX(std::vector<Box>& boxes, Arrangement arrangement) {
    switch (arrangement) {
        case Arrangement::AlignLeft:
            return alignX(boxes, Edge::Start);
        case Arrangement::AlignHorizontalCentres:
            return alignX(boxes, Edge::Centre);
        case Arrangement::AlignRight:
            return alignX(boxes, Edge::End);
        case Arrangement::SameWidth:
            return sameWidth(boxes);
        case Arrangement::DistributeHorizontally:
            return distributeX(boxes);
        default:
            return;
    }
}

// The arrangement along x that does on transposed boxes what a vertical
// one does on the boxes themselves.
std::optional<Arrangement> horizontalFor(Arrangement arrangement) {
    switch (arrangement) {
        case Arrangement::AlignTop:
            return Arrangement::AlignLeft;
        case Arrangement::AlignBottom:
            return Arrangement::AlignRight;
        case Arrangement::AlignVerticalCentres:
            return Arrangement::AlignHorizontalCentres;
        case Arrangement::SameHeight:
            return Arrangement::SameWidth;
        case Arrangement::DistributeVertically:
            return Arrangement::DistributeHorizontally;
        default:
            return std::nullopt;
    }
}

std::vector<Box> transposed(std::vector<Box> boxes) {
    for (Box& box : boxes) box = transposed(box);
    return boxes;
}

struct AxisSnap {
    int offset = 0;
    std::vector<GuideLine> lines;
};

std::optional<int> nearestOffsetX(const Box& moving, const std::vector<Box>& others,
                                  int tolerance) {
    std::optional<int> nearest;
    for (const Box& other : others)
        for (int theirs : xLines(other))
            for (int mine : xLines(moving))
                if (const int offset = theirs - mine;
                    std::abs(offset) <= tolerance &&
                    (!nearest || std::abs(offset) < std::abs(*nearest)))
                    nearest = offset;
    return nearest;
}

// A vertical guide at each x line of the moved box that another box shares.
AxisSnap snapX(const Box& moving, const std::vector<Box>& others, int tolerance) {
    const std::optional<int> offset = nearestOffsetX(moving, others, tolerance);
    if (!offset) return {};
    Box moved = moving;
    moved.left += *offset;
    AxisSnap snap{*offset, {}};
    for (int x : xLines(moved)) {
        if (!snap.lines.empty() && snap.lines.back().position == x) continue;
        GuideLine line{x, moved.top, moved.bottom()};
        bool shared = false;
        for (const Box& other : others) {
            const std::array<int, 3> theirs = xLines(other);
            if (std::find(theirs.begin(), theirs.end(), x) == theirs.end()) continue;
            shared = true;
            line.from = std::min(line.from, other.top);
            line.to = std::max(line.to, other.bottom());
        }
        if (shared) snap.lines.push_back(line);
    }
    return snap;
}

}  // namespace

bool arrangesVertically(Arrangement arrangement) {
    return horizontalFor(arrangement).has_value();
}

Box transposed(const Box& box) {
    return {box.top, box.left, box.height, box.width};
}

int fewestBoxesFor(Arrangement arrangement) {
    const bool distributes = arrangement == Arrangement::DistributeHorizontally ||
                             arrangement == Arrangement::DistributeVertically;
    return distributes ? 3 : 2;
}

std::vector<Box> arranged(std::vector<Box> boxes, Arrangement arrangement) {
    if (int(boxes.size()) < fewestBoxesFor(arrangement)) return boxes;
    if (const std::optional<Arrangement> alongX = horizontalFor(arrangement)) {
        boxes = transposed(std::move(boxes));
        arrangeX(boxes, *alongX);
        return transposed(std::move(boxes));
    }
    arrangeX(boxes, arrangement);
    return boxes;
}

GuideSnap findGuides(const Box& moving, const std::vector<Box>& others, int tolerance) {
    AxisSnap x = snapX(moving, others, tolerance);
    AxisSnap y = snapX(transposed(moving), transposed(others), tolerance);
    return {x.offset, y.offset, std::move(x.lines), std::move(y.lines)};
}

}  // namespace tz
