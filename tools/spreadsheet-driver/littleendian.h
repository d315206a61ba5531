#pragma once
// Little-endian numbers inside a byte buffer; 0 past its end.

#include <cstdint>
#include <string_view>

namespace pwsheet {

inline uint16_t u16(std::string_view b, size_t at) {
    return at + 2 <= b.size() && at + 2 > at
               ? static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8)
               : 0;
}
inline uint32_t u32(std::string_view b, size_t at) {
    return at + 4 <= b.size() && at + 4 > at
               ? static_cast<uint32_t>(u16(b, at)) | static_cast<uint32_t>(u16(b, at + 2)) << 16
               : 0;
}

}  // namespace pwsheet
