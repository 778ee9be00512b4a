// Rectangles of the host: points, top/left/bottom/right, y growing downwards.
#pragma once

namespace refhost {

struct Rect {
    double top = 0, left = 0, bottom = 0, right = 0;
};

inline double width(const Rect& r) {
    return r.right - r.left;
}
inline double height(const Rect& r) {
    return r.bottom - r.top;
}
inline Rect offsetRect(const Rect& r, double dx, double dy) {
    return {r.top + dy, r.left + dx, r.bottom + dy, r.right + dx};
}
// Grows by d on every side (negative d shrinks).
inline Rect growRect(const Rect& r, double d) {
    return {r.top - d, r.left - d, r.bottom + d, r.right + d};
}
// True when the two rectangles share interior area or touch.
inline bool rectsIntersect(const Rect& a, const Rect& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

} // namespace refhost
