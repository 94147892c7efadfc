#include "settings/WindowPlacement.h"

#include <algorithm>

namespace kelvane {
namespace {

// Everything in 64 bits: stored values come from a file anyone can edit.
struct Span
{
    int64_t Low = 0;
    int64_t Length = 0;
};

int64_t Overlap(Span a, Span b)
{
    return std::max<int64_t>(0, std::min(a.Low + a.Length, b.Low + b.Length) - std::max(a.Low, b.Low));
}

// The span moved into the area, and shrunk to it but not below the smallest length; one still longer
// than the area starts where the area starts.
Span Fit(Span span, Span area, int64_t smallest)
{
    span.Length = std::max(std::min(span.Length, area.Length), smallest);
    const int64_t lastStart = std::max(area.Low, area.Low + area.Length - span.Length);
    span.Low = std::clamp(span.Low, area.Low, lastStart);
    return span;
}

Span Horizontal(const WindowRect& r)
{
    return {r.Left, r.Width};
}

Span Vertical(const WindowRect& r)
{
    return {r.Top, r.Height};
}

int32_t Narrow(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

bool Holds(const WindowRect& area, int64_t x, int64_t y)
{
    return x >= area.Left && x < int64_t{area.Left} + area.Width && y >= area.Top &&
           y < int64_t{area.Top} + area.Height;
}

// The screen that holds the largest part of the frame; else the one that holds its top left corner;
// else the primary one.
const WindowRect& ScreenOf(const WindowRect& frame, const ScreenAreas& screens)
{
    const WindowRect* best = nullptr;
    int64_t bestArea = 0;
    for (const WindowRect& area : screens.Available) {
        const int64_t shared = Overlap(Horizontal(frame), Horizontal(area)) * Overlap(Vertical(frame), Vertical(area));
        if (shared > bestArea) {
            best = &area;
            bestArea = shared;
        }
    }
    if (best) {
        return *best;
    }
    for (const WindowRect& area : screens.Available) {
        if (Holds(area, frame.Left, frame.Top)) {
            return area;
        }
    }
    return screens.Available[std::min(screens.Primary, screens.Available.size() - 1)];
}

} // namespace

WindowRect ClientRectOf(const WindowRect& frame, const FrameMargins& margins)
{
    return {Narrow(int64_t{frame.Left} + margins.Left), Narrow(int64_t{frame.Top} + margins.Top),
            Narrow(int64_t{frame.Width} - margins.Left - margins.Right),
            Narrow(int64_t{frame.Height} - margins.Top - margins.Bottom)};
}

WindowRect FrameRectOf(const WindowRect& client, const FrameMargins& margins)
{
    return {Narrow(int64_t{client.Left} - margins.Left), Narrow(int64_t{client.Top} - margins.Top),
            Narrow(int64_t{client.Width} + margins.Left + margins.Right),
            Narrow(int64_t{client.Height} + margins.Top + margins.Bottom)};
}

WindowRect FitFrameOnScreen(const WindowRect& frame, const ScreenAreas& screens, const FrameMargins& margins,
                            ClientSize smallestClient)
{
    if (screens.Available.empty()) {
        return frame;
    }
    const WindowRect& area = ScreenOf(frame, screens);
    const int64_t smallestWidth = std::max<int64_t>(1, int64_t{smallestClient.Width} + margins.Left + margins.Right);
    const int64_t smallestHeight = std::max<int64_t>(1, int64_t{smallestClient.Height} + margins.Top + margins.Bottom);
    const Span x = Fit(Horizontal(frame), Horizontal(area), smallestWidth);
    const Span y = Fit(Vertical(frame), Vertical(area), smallestHeight);
    return {Narrow(x.Low), Narrow(y.Low), Narrow(x.Length), Narrow(y.Length)};
}

} // namespace kelvane
