#include "library/Rotation.h"

#include <algorithm>

namespace kelvane {

std::optional<std::string> RotationStep(RotationState& state, const std::vector<std::string>& listPaths,
                                        RotationAction action, ActiveScreensaverControl& active)
{
    if (listPaths.empty()) {
        return std::nullopt;
    }
    const auto count = static_cast<int32_t>(listPaths.size());
    state.RotationCount = count;
    if (state.RotationIndex + 2 > count) {
        state.RotationIndex = -1;
    }
    ++state.RotationIndex;
    const std::string path = listPaths[static_cast<size_t>(state.RotationIndex)];
    active.CloseRunningScreensaver(listPaths);
    if (action == RotationAction::Run) {
        active.RunScreensaverFile(path);
    } else {
        active.ActivateScreensaver(path);
    }
    return path;
}

IntervalChange IntervalBoxChange(int64_t seconds)
{
    IntervalChange change;
    if (seconds < MinRotationInterval) {
        change.Status = IntervalTooLowMessage;
        return change;
    }
    const int64_t clamped = std::min<int64_t>(seconds, MaxRotationInterval);
    change.TimerMs = static_cast<int32_t>(clamped * 1000);
    if (clamped >= MaxRotationInterval) {
        change.Warning = IntervalMaximumWarning;
    }
    return change;
}

} // namespace kelvane
