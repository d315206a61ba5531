#include "core/filetime.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace pw {

uint64_t currentFileTime() {
    constexpr uint64_t kUnixEpochAsFileTime = 116444736000000000ULL;
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch).count() / 100;
    return kUnixEpochAsFileTime + static_cast<uint64_t>(ticks);
}

std::string todayLocalDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%02d", local.tm_mon + 1, local.tm_mday, local.tm_year % 100);
    return buffer;
}

}  // namespace pw
