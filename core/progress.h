#pragma once
// How long engine jobs report back: a percentage callback and a cancel flag
// that the job polls at each progress point.

#include <atomic>
#include <functional>

namespace pw {

using ProgressFn = std::function<void(int percent)>;

inline void report(const ProgressFn& progress, int percent) {
    if (progress) progress(percent);
}

inline bool cancelled(const std::atomic<bool>* cancel) {
    return cancel && cancel->load(std::memory_order_relaxed);
}

}  // namespace pw
