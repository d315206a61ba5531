#include "core/projectfile.h"

#include <cstring>
#include <fstream>
#include <unordered_set>

#include "core/atomicfile.h"
#include "core/filetime.h"
#include "core/textencoding.h"

namespace pw {

namespace {

// What each older version lacks.
struct FileVersion {
    int32_t number;
    bool hasSetAside() const { return number >= 17; }
    bool hasWholeWords() const { return number >= 16; }
    bool hasColor() const { return number >= 15; }
    bool hasAdTokens() const { return number >= 18; }

    size_t minPhraseRecord() const { return 4 + 1 + (hasSetAside() ? 1 : 0) + 4; }
    size_t minAdRecord() const { return (hasAdTokens() ? 7 : 6) * 5 + 1; }
    size_t minGroupRecord() const {
        return kGroupNameSize + 4 + 4 + 1 + 1 + 4 + (hasWholeWords() ? 2 : 1) + 4 * 4 + 8 + (hasColor() ? 2 : 0);
    }
};

// Reads little-endian fields from the file's bytes; every read is bounded by
// what is left, so no stored count or length is trusted.
class ByteReader {
public:
    ByteReader(std::string_view bytes, size_t offset) : bytes_(bytes), pos_(offset) {}

    size_t remaining() const { return bytes_.size() - pos_; }
    bool i32(int32_t& out) { return fixed(out); }
    bool u8(uint8_t& out) { return fixed(out); }
    bool i16(int16_t& out) { return fixed(out); }
    bool flag(bool& out) {
        uint8_t byte;
        if (!u8(byte)) return false;
        out = byte != 0;
        return true;
    }
    bool bytes(size_t count, std::string_view& out) {
        if (count > remaining()) return false;
        out = bytes_.substr(pos_, count);
        pos_ += count;
        return true;
    }
    bool skip(size_t count) {
        if (count > remaining()) return false;
        pos_ += count;
        return true;
    }
    // A stored count of records of at least `minRecord` bytes each.
    bool count(int32_t& out, size_t minRecord) {
        return i32(out) && out >= 0 && static_cast<uint64_t>(out) * minRecord <= remaining();
    }
    // A stored length that must fit in what is left.
    bool length(int32_t& out) { return i32(out) && out >= 0 && static_cast<size_t>(out) <= remaining(); }

private:
    template <typename T>
    bool fixed(T& out) {
        if (sizeof(T) > remaining()) return false;
        std::memcpy(&out, bytes_.data() + pos_, sizeof(T));
        pos_ += sizeof(T);
        return true;
    }

    std::string_view bytes_;
    size_t pos_;
};

std::string_view upToNul(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

// Older versions wrote Windows-1252; every stored text is read as UTF-8 when
// it is valid UTF-8 and converted once here when it is not.
std::string storedText(std::string_view bytes) { return toUtf8(upToNul(bytes)); }

// An ad text may hold its field's limit in characters, at most four bytes each.
size_t storedAdTextBytes(size_t bufferSize) { return (bufferSize - 1) * 4; }

// A fixed buffer that must hold its NUL (names).
bool readTerminatedBuffer(ByteReader& in, size_t size, std::string& out) {
    std::string_view raw;
    if (!in.bytes(size, raw) || raw.find('\0') == std::string_view::npos) return false;
    out = storedText(raw);
    return true;
}

// A fixed buffer whose text is cut to fit when the NUL is missing (dates, characters).
bool readLenientBuffer(ByteReader& in, size_t size, std::string& out) {
    std::string_view raw;
    if (!in.bytes(size, raw)) return false;
    out = storedText(raw.substr(0, size - 1));
    return true;
}

bool readAdText(ByteReader& in, size_t bufferSize, std::string& out) {
    int32_t length;
    std::string_view raw;
    if (!in.length(length) || static_cast<size_t>(length) > storedAdTextBytes(bufferSize) ||
        !in.bytes(size_t(length) + 1, raw))
        return false;
    out = storedText(raw);
    return true;
}

bool readAd(ByteReader& in, FileVersion version, Ad& ad) {
    uint8_t engine = 0;
    const bool read = readAdText(in, Ad::kTitleSize, ad.title) && readAdText(in, Ad::kLineSize, ad.line1) &&
           readAdText(in, Ad::kLineSize, ad.line2) && readAdText(in, Ad::kUrlSize, ad.displayUrl) &&
           readAdText(in, Ad::kUrlSize, ad.destinationUrl) && readAdText(in, Ad::kNotesSize, ad.notes) &&
           in.u8(engine) && (!version.hasAdTokens() || readAdText(in, Ad::kTokensSize, ad.tokens));
    ad.engine = static_cast<SearchEngine>(engine);
    return read;
}

bool readPhrases(ByteReader& in, FileVersion version, Group& group, bool adsOnly, const ProgressFn* progress) {
    int32_t count;
    if (!in.count(count, version.minPhraseRecord())) return false;
    if (!adsOnly) group.phrases.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        Phrase phrase;
        int32_t length;
        bool active = true;
        bool setAside = false;
        if (!in.i32(phrase.hitCount) || !in.flag(active) || (version.hasSetAside() && !in.flag(setAside)) ||
            !in.length(length))
            return false;
        if (adsOnly) {
            if (!in.skip(static_cast<size_t>(length))) return false;
        } else {
            std::string_view text;
            if (!in.bytes(static_cast<size_t>(length), text)) return false;
            if (isValidUtf8(text)) phrase.setText(text);
            else phrase.setText(windows1252ToUtf8(text));
            phrase.active = active;
            phrase.setAside = setAside;
            group.phrases.push_back(std::move(phrase));
        }
        if (progress && *progress && (i + 1) % 100 == 0) (*progress)(static_cast<int>((i + 1) * 100LL / count));
    }
    return true;
}

bool readGroup(ByteReader& in, FileVersion version, Group& group, bool adsOnly, const ProgressFn* progress) {
    clearGroup(group);
    int32_t ignoreLength;
    std::string_view ignore;
    if (!readTerminatedBuffer(in, kGroupNameSize, group.name) || !readPhrases(in, version, group, adsOnly, progress) ||
        !in.i32(group.maxWords) || !in.flag(group.deleteDuplicates) || !in.flag(group.deleteUnwantedCharacters) ||
        !in.length(ignoreLength) || !in.bytes(static_cast<size_t>(ignoreLength), ignore))
        return false;
    if (ignoreLength > 0) group.ignoreText = storedText(ignore);
    if (version.hasWholeWords() && !in.flag(group.wholeWordsOnly)) return false;
    if (!in.flag(group.deleteCountries)) return false;
    for (AdList& ads : group.adLists) {
        int32_t count;
        if (!in.count(count, version.minAdRecord())) return false;
        ads.resize(static_cast<size_t>(count));
        for (Ad& ad : ads)
            if (!readAd(in, version, ad)) return false;
    }
    int32_t low, high;
    if (!in.i32(low) || !in.i32(high)) return false;
    group.modifiedTime = (static_cast<uint64_t>(static_cast<uint32_t>(high)) << 32) | static_cast<uint32_t>(low);
    int16_t color = 0;
    if (version.hasColor() && !in.i16(color)) return false;
    group.colorIndex = color;
    return true;
}

// Two stored groups of one name load as "Shoes" and "Shoes (2)"; the stored
// name is shortened where the suffix would not fit the name buffer.
std::string uniqueName(const std::string& stored, const std::unordered_set<std::string>& taken) {
    if (!taken.contains(stored)) return stored;
    for (int n = 2;; ++n) {
        const std::string suffix = " (" + std::to_string(n) + ")";
        const size_t room = kGroupNameSize - 1 - suffix.size();
        std::string candidate = std::string(clipToBytes(stored, room)) + suffix;
        if (!taken.contains(candidate)) return candidate;
    }
}

class ByteWriter {
public:
    explicit ByteWriter(std::string& out) : out_(out) {}
    void i32(int32_t v) { fixed(v); }
    void u8(uint8_t v) { fixed(v); }
    void i16(int16_t v) { fixed(v); }
    void bytes(std::string_view b) { out_.append(b); }
    // The text padded with NULs to the whole buffer, cut between characters.
    void buffer(std::string_view text, size_t size) {
        const std::string_view kept = clipToBytes(text, size - 1);
        out_.append(kept);
        out_.append(size - kept.size(), '\0');
    }
    // Ad texts: length without the NUL, at most the field's limit in characters.
    void counted(std::string_view whole, size_t bufferSize) {
        const std::string_view text = clipToBytes(clipToCharacters(whole, bufferSize - 1), storedAdTextBytes(bufferSize));
        i32(static_cast<int32_t>(text.size()));
        out_.append(text);
        out_.push_back('\0');
    }

private:
    template <typename T>
    void fixed(T v) {
        char raw[sizeof(T)];
        std::memcpy(raw, &v, sizeof(T));
        out_.append(raw, sizeof(T));
    }
    std::string& out_;
};

void writeAd(ByteWriter& out, const Ad& ad) {
    out.counted(ad.title, Ad::kTitleSize);
    out.counted(ad.line1, Ad::kLineSize);
    out.counted(ad.line2, Ad::kLineSize);
    out.counted(ad.displayUrl, Ad::kUrlSize);
    out.counted(ad.destinationUrl, Ad::kUrlSize);
    out.counted(ad.notes, Ad::kNotesSize);
    out.u8(static_cast<uint8_t>(ad.engine));
    out.counted(ad.tokens, Ad::kTokensSize);
}

void writeGroup(ByteWriter& out, const Group& group) {
    out.buffer(group.name, kGroupNameSize);
    out.i32(static_cast<int32_t>(group.phrases.size()));
    for (const Phrase& phrase : group.phrases) {
        out.i32(phrase.hitCount);
        out.u8(phrase.active);
        out.u8(phrase.setAside);
        const std::string_view text = phrase.text();
        if (text.empty()) {
            out.i32(0);
        } else {
            out.i32(static_cast<int32_t>(text.size() + 1));
            out.bytes(text);
            out.u8(0);
        }
    }
    out.i32(group.maxWords);
    out.u8(group.deleteDuplicates);
    out.u8(group.deleteUnwantedCharacters);
    if (group.ignoreText) {
        out.i32(static_cast<int32_t>(group.ignoreText->size() + 1));
        out.bytes(*group.ignoreText);
        out.u8(0);
    } else {
        out.i32(0);
    }
    out.u8(group.wholeWordsOnly);
    out.u8(group.deleteCountries);
    for (const AdList& ads : group.adLists) {
        out.i32(static_cast<int32_t>(ads.size()));
        for (const Ad& ad : ads) writeAd(out, ad);
    }
    out.i32(static_cast<int32_t>(group.modifiedTime & 0xFFFFFFFFu));
    out.i32(static_cast<int32_t>(group.modifiedTime >> 32));
    out.i16(static_cast<int16_t>(group.colorIndex));
}

size_t estimatedFileSize(const Project& project) {
    size_t size = 4096;
    auto groupSize = [](const Group& g) {
        size_t s = 512;
        for (const Phrase& p : g.phrases) s += 11 + p.text().size();
        return s;
    };
    size += groupSize(project.mainList);
    for (const auto& g : project.groups) size += groupSize(*g);
    return size;
}

}  // namespace

LoadMessage loadMessage(LoadCode code) {
    switch (code) {
    case LoadCode::BadVersion: return {"Cannot load", "Incorrect file version!"};
    case LoadCode::BadChecksum: return {"Error loading project!", "Cannot load project! File corrupt!"};
    case LoadCode::CannotOpen: return {"Error loading project!", "Cannot load project! File not found!"};
    case LoadCode::CannotRead: return {"Error loading project!", "Cannot load project! Cannot read from file!"};
    case LoadCode::Loaded: break;
    }
    return {"Error loading project!", "Cannot load project!"};
}

std::optional<int32_t> checksumOfBody(std::string_view body) {
    const size_t m = body.size();
    if (m <= 4) return std::nullopt;
    int32_t version;
    std::memcpy(&version, body.data(), 4);
    uint32_t sum = static_cast<uint32_t>(version) * 9857u;
    for (size_t o = 4; o + 1 < m; o += 101) sum += static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(body[o])));
    const int32_t result = static_cast<int32_t>(sum);
    if (result == -1) return std::nullopt;
    return result;
}

bool verifyChecksumBytes(std::string_view file) {
    if (file.size() < 4) return false;
    const auto sum = checksumOfBody(file.substr(0, file.size() - 4));
    if (!sum) return false;
    int32_t stored;
    std::memcpy(&stored, file.data() + file.size() - 4, 4);
    return stored == *sum;
}

std::optional<int32_t> computeChecksum(const std::string& path, bool excludeTrailer) {
    std::string file;
    if (!readWholeFile(path, file)) return std::nullopt;
    if (excludeTrailer) file.resize(file.size() >= 4 ? file.size() - 4 : 0);
    return checksumOfBody(file);
}

bool appendChecksum(const std::string& path) {
    const auto sum = computeChecksum(path, false);
    if (!sum) return false;
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out.write(reinterpret_cast<const char*>(&*sum), 4);
    return static_cast<bool>(out);
}

bool verifyChecksum(const std::string& path) {
    std::string file;
    return readWholeFile(path, file) && verifyChecksumBytes(file);
}

LoadCode loadProjectFromBytes(Project& project, std::string_view file, const ProgressFn& progress, bool adsOnly) {
    ByteReader header(file, 0);
    FileVersion version{0};
    if (!header.i32(version.number)) return LoadCode::CannotRead;
    if (version.number < kOldestProjectFileVersion || version.number > kProjectFileVersion) return LoadCode::BadVersion;
    if (!verifyChecksumBytes(file)) return LoadCode::BadChecksum;

    ByteReader in(file.substr(0, file.size() - 4), 4);
    if (!readGroup(in, version, project.mainList, adsOnly, &progress)) return LoadCode::CannotRead;
    int32_t groupCount;
    if (!in.i32(project.importedCount) || !in.i32(project.editedCount) ||
        !readLenientBuffer(in, kDateSize, project.createdDate) || !readLenientBuffer(in, kDateSize, project.modifiedDate) ||
        !in.count(groupCount, version.minGroupRecord()))
        return LoadCode::CannotRead;

    std::unordered_set<std::string> taken;
    for (const auto& g : project.groups) taken.insert(g->name);
    for (int32_t i = 0; i < groupCount; ++i) {
        auto group = std::make_unique<Group>();
        if (!readGroup(in, version, *group, adsOnly, nullptr)) return LoadCode::CannotRead;
        group->name = uniqueName(group->name, taken);
        taken.insert(group->name);
        project.groups.push_back(std::move(group));
    }

    int32_t countriesLength;
    std::string_view countries;
    if (!readLenientBuffer(in, kUnwantedCharactersSize, project.unwantedCharacters) || !in.length(countriesLength) ||
        !in.bytes(static_cast<size_t>(countriesLength), countries))
        return LoadCode::CannotRead;
    project.unwantedCountries = storedText(countries);
    project.modified = false;
    return LoadCode::Loaded;
}

LoadCode loadProject(Project& project, const ProgressFn& progress, bool adsOnly) {
    if (project.path.empty()) return LoadCode::CannotOpen;
    const std::optional<FileBytes> file = readWholeFileBytes(project.path);
    if (!file) return LoadCode::CannotOpen;
    return loadProjectFromBytes(project, file->view(), progress, adsOnly);
}

std::string projectFileBytes(const Project& project) {
    std::string bytes;
    bytes.reserve(estimatedFileSize(project));
    ByteWriter out(bytes);
    out.i32(kProjectFileVersion);
    writeGroup(out, project.mainList);
    out.i32(project.importedCount);
    out.i32(project.editedCount);
    out.buffer(project.createdDate, kDateSize);
    out.buffer(project.modifiedDate, kDateSize);
    out.i32(static_cast<int32_t>(project.groups.size()));
    for (const auto& group : project.groups) writeGroup(out, *group);
    out.buffer(project.unwantedCharacters, kUnwantedCharactersSize);
    if (project.unwantedCountries.empty()) {
        out.i32(0);
    } else {
        out.i32(static_cast<int32_t>(project.unwantedCountries.size() + 1));
        out.bytes(project.unwantedCountries);
        out.u8(0);
    }
    if (const auto sum = checksumOfBody(bytes)) out.i32(*sum);
    return bytes;
}

bool saveProject(Project& project) {
    if (project.path.empty()) return false;
    const std::string previousCreated = project.createdDate;
    const std::string previousModified = project.modifiedDate;
    if (project.createdDate.empty()) project.createdDate = todayLocalDate();
    project.modifiedDate = todayLocalDate();
    if (!replaceFileAtomically(project.path, projectFileBytes(project), ReadOnlyFile::Replace)) {
        project.createdDate = previousCreated;
        project.modifiedDate = previousModified;
        return false;
    }
    project.modified = false;
    return true;
}

}  // namespace pw
