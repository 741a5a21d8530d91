#include "surface/segmentclip.h"

#include <cmath>

namespace {

enum class Edge { None, Left, Right, Top, Bottom };

double Clamp(double v, double lo, double hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

} // namespace

std::optional<Segment> ClipSegment(Segment s, double left, double top, double right, double bottom)
{
    if (!std::isfinite(s.x1) || !std::isfinite(s.y1) || !std::isfinite(s.x2) ||
        !std::isfinite(s.y2))
        return std::nullopt;

    // Liang-Barsky decides which stretch of the segment is inside. Half the
    // differences are used so that no difference can overflow, whatever the
    // ends.
    const double hdx = s.x2 * 0.5 - s.x1 * 0.5;
    const double hdy = s.y2 * 0.5 - s.y1 * 0.5;
    double t0 = 0.0;
    double t1 = 1.0;
    Edge enter = Edge::None;
    Edge leave = Edge::None;
    const double p[4] = {-hdx, hdx, -hdy, hdy};
    const double q[4] = {s.x1 - left, right - s.x1, s.y1 - top, bottom - s.y1};
    const Edge edges[4] = {Edge::Left, Edge::Right, Edge::Top, Edge::Bottom};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i] * 0.5;
        if (p[i] < 0.0) {
            if (t > t1)
                return std::nullopt;
            if (t > t0) {
                t0 = t;
                enter = edges[i];
            }
        } else {
            if (t < t0)
                return std::nullopt;
            if (t < t1) {
                t1 = t;
                leave = edges[i];
            }
        }
    }

    // The parameter alone loses every digit when the ends lie far away, so a
    // cut end is placed exactly on its edge and its other coordinate follows
    // from the slope.
    auto pointOn = [&](Edge edge, double x, double y) {
        switch (edge) {
        case Edge::Left:
        case Edge::Right: {
            const double edgeX = edge == Edge::Left ? left : right;
            return std::pair{edgeX, s.y1 + (edgeX - s.x1) * (hdy / hdx)};
        }
        case Edge::Top:
        case Edge::Bottom: {
            const double edgeY = edge == Edge::Top ? top : bottom;
            return std::pair{s.x1 + (edgeY - s.y1) * (hdx / hdy), edgeY};
        }
        case Edge::None:
            break;
        }
        return std::pair{x, y};
    };
    const auto [x1, y1] = pointOn(enter, s.x1, s.y1);
    const auto [x2, y2] = pointOn(leave, s.x2, s.y2);
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return std::nullopt;
    return Segment{Clamp(x1, left, right), Clamp(y1, top, bottom), Clamp(x2, left, right),
                   Clamp(y2, top, bottom)};
}
