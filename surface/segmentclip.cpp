#include "surface/segmentclip.h"

#include <cmath>

std::optional<Segment> ClipSegment(Segment s, double left, double top, double right, double bottom)
{
    if (!std::isfinite(s.x1) || !std::isfinite(s.y1) || !std::isfinite(s.x2) ||
        !std::isfinite(s.y2))
        return std::nullopt;

    // Liang-Barsky: keep the parameter interval [t0, t1] of the segment that
    // lies on the inner side of all four edges.
    const double dx = s.x2 - s.x1;
    const double dy = s.y2 - s.y1;
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return std::nullopt;
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {s.x1 - left, right - s.x1, s.y1 - top, bottom - s.y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t1)
                return std::nullopt;
            if (t > t0)
                t0 = t;
        } else {
            if (t < t0)
                return std::nullopt;
            if (t < t1)
                t1 = t;
        }
    }
    Segment clipped{s.x1 + t0 * dx, s.y1 + t0 * dy, s.x1 + t1 * dx, s.y1 + t1 * dy};
    // Rounding can push an end a hair outside; keep it on the rectangle.
    auto clamp = [](double v, double lo, double hi) { return v < lo ? lo : (v > hi ? hi : v); };
    clipped.x1 = clamp(clipped.x1, left, right);
    clipped.x2 = clamp(clipped.x2, left, right);
    clipped.y1 = clamp(clipped.y1, top, bottom);
    clipped.y2 = clamp(clipped.y2, top, bottom);
    return clipped;
}
