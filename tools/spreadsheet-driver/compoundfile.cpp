#include "compoundfile.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "littleendian.h"

namespace pwsheet {

namespace {
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFreeSector = 0xFFFFFFFF;
constexpr size_t kMaxStreamBytes = 256u << 20;


class Container {
public:
    explicit Container(std::string_view file) : file_(file) {}

    bool open() {
        if (file_.size() < 512 || file_.substr(0, 8) != std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8))
            return false;
        const uint16_t shift = u16(file_, 30);
        const uint16_t miniShift = u16(file_, 32);
        if ((shift != 9 && shift != 12) || miniShift != 6) return false;
        sectorSize_ = size_t(1) << shift;
        return true;
    }

    // Reads the FAT through the header's and the chained DIFAT entries.
    bool readFat() {
        std::vector<uint32_t> fatSectors;
        const uint32_t fatCount = u32(file_, 44);
        for (size_t i = 0; i < 109 && fatSectors.size() < fatCount; ++i) fatSectors.push_back(u32(file_, 76 + 4 * i));
        uint32_t difat = u32(file_, 68);
        const size_t perDifat = sectorSize_ / 4 - 1;
        for (size_t guard = 0; difat < kEndOfChain && fatSectors.size() < fatCount; ++guard) {
            if (guard > sectorCount()) return false;
            const std::string_view s = sector(difat);
            if (s.empty()) return false;
            for (size_t i = 0; i < perDifat && fatSectors.size() < fatCount; ++i) fatSectors.push_back(u32(s, 4 * i));
            difat = u32(s, 4 * perDifat);
        }
        if (fatSectors.size() < fatCount || fatCount > sectorCount()) return false;
        for (const uint32_t f : fatSectors) {
            const std::string_view s = sector(f);
            if (s.empty()) return false;
            for (size_t i = 0; i < sectorSize_ / 4; ++i) fat_.push_back(u32(s, 4 * i));
        }
        return true;
    }

    // A chain of regular sectors, up to `size` bytes; none when broken.
    std::optional<std::string> chain(uint32_t start, size_t size) const {
        std::string out;
        size_t steps = 0;
        for (uint32_t s = start; s != kEndOfChain && out.size() < size; s = fat_[s]) {
            if (s >= fat_.size() || ++steps > fat_.size()) return std::nullopt;
            const std::string_view bytes = sector(s);
            if (bytes.empty()) return std::nullopt;
            out.append(bytes.substr(0, std::min(bytes.size(), size - out.size())));
        }
        if (out.size() < size && size != SIZE_MAX) return std::nullopt;
        return out;
    }

    std::optional<std::string> miniChain(uint32_t start, size_t size, std::string_view miniStream,
                                         const std::vector<uint32_t>& miniFat) const {
        std::string out;
        size_t steps = 0;
        for (uint32_t s = start; s != kEndOfChain && out.size() < size; s = miniFat[s]) {
            if (s >= miniFat.size() || ++steps > miniFat.size()) return std::nullopt;
            const size_t at = size_t(s) * 64;
            if (at + 64 > miniStream.size()) return std::nullopt;
            out.append(miniStream.substr(at, std::min<size_t>(64, size - out.size())));
        }
        if (out.size() < size) return std::nullopt;
        return out;
    }

    size_t sectorSize() const { return sectorSize_; }

private:
    size_t sectorCount() const { return file_.size() / sectorSize_; }
    std::string_view sector(uint32_t index) const {
        const size_t at = (size_t(index) + 1) * sectorSize_;
        if (index >= kEndOfChain - 4 || at + sectorSize_ > file_.size()) return {};
        return file_.substr(at, sectorSize_);
    }

    std::string_view file_;
    size_t sectorSize_ = 512;
    std::vector<uint32_t> fat_;
};

bool sameNameNoCase(std::string_view entry, std::u16string_view wanted) {
    // The directory entry's name: UTF-16LE, with its length in bytes (NUL included).
    if (entry.size() != wanted.size() * 2) return false;
    for (size_t i = 0; i < wanted.size(); ++i) {
        char16_t c = static_cast<char16_t>(u16(entry, 2 * i));
        char16_t w = wanted[i];
        if (c < 128) c = static_cast<char16_t>(std::tolower(c));
        if (w < 128) w = static_cast<char16_t>(std::tolower(w));
        if (c != w) return false;
    }
    return true;
}
}  // namespace

CompoundStream readCompoundStream(std::string_view file, std::initializer_list<std::u16string_view> names) {
    Container c(file);
    if (!c.open()) return {std::nullopt, CompoundError::NotCompound};
    if (!c.readFat()) return {std::nullopt, CompoundError::Damaged};
    const auto directory = c.chain(u32(file, 48), SIZE_MAX);
    if (!directory || directory->size() < 128) return {std::nullopt, CompoundError::Damaged};
    const std::string_view dir(*directory);

    // The root entry (0) holds the mini stream that small streams live in.
    const uint32_t miniCutoff = u32(file, 56);
    std::optional<std::string> miniStream;
    std::vector<uint32_t> miniFat;
    for (size_t at = 0; at + 128 <= dir.size(); at += 128) {
        const uint8_t type = static_cast<uint8_t>(dir[at + 66]);
        if (type != 2) continue;  // a stream
        const uint16_t nameBytes = u16(dir, at + 64);
        if (nameBytes < 2 || nameBytes > 64) continue;
        const std::string_view name = dir.substr(at, nameBytes - 2);
        bool wanted = false;
        for (const auto n : names) wanted = wanted || sameNameNoCase(name, n);
        if (!wanted) continue;
        const uint32_t start = u32(dir, at + 116);
        const uint64_t size = u32(dir, at + 120);  // the high half is unused in version 3 files
        if (size > kMaxStreamBytes) return {std::nullopt, CompoundError::Damaged};
        if (size >= miniCutoff) {
            auto bytes = c.chain(start, static_cast<size_t>(size));
            return {std::move(bytes), bytes ? CompoundError::None : CompoundError::Damaged};
        }
        if (!miniStream) {
            const uint32_t rootSize = u32(dir, 120);
            miniStream = c.chain(u32(dir, 116), std::min<size_t>(rootSize, kMaxStreamBytes));
            const auto miniFatBytes = c.chain(u32(file, 60), size_t(u32(file, 64)) * c.sectorSize());
            if (!miniStream || !miniFatBytes) return {std::nullopt, CompoundError::Damaged};
            for (size_t i = 0; i + 4 <= miniFatBytes->size(); i += 4) miniFat.push_back(u32(*miniFatBytes, i));
        }
        auto bytes = c.miniChain(start, static_cast<size_t>(size), *miniStream, miniFat);
        return {std::move(bytes), bytes ? CompoundError::None : CompoundError::Damaged};
    }
    return {std::nullopt, CompoundError::Damaged};
}

}  // namespace pwsheet
