#include "core/delimitedline.h"

#include "core/phraselist.h"
#include "core/text.h"

namespace pw {

namespace {
int32_t readHitCount(std::string_view field, bool plannerStyle) {
    const std::string_view digits = stripQuotes(trimSpaces(field));
    return plannerStyle ? parsePlannerCount(digits) : parseLeadingInt(digits);
}
}  // namespace

std::optional<Phrase> phraseFromLine(std::string_view line, const ImportColumns& columns) {
    if (!columns.usable()) return std::nullopt;
    line = line.substr(0, line.find('\0'));

    Phrase phrase;
    auto handOver = [&](int column, std::string_view field) {
        if (column == columns.phraseColumn) phrase.setText(field);
        else if (column == columns.hitColumn) phrase.hitCount = readHitCount(field, columns.tabSeparated);
    };

    bool quoted = false;
    int column = 0;
    size_t fieldStart = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == '\n' || (columns.tabSeparated ? c == '\t' : c == ',' || c == ';'))) {
            handOver(column, line.substr(fieldStart, i - fieldStart));
            fieldStart = i + 1;
            if (++column == columns.count) return phrase;
        }
    }
    if (fieldStart < line.size()) handOver(column, line.substr(fieldStart));
    return phrase;
}

bool appendLine(Group& group, std::string_view line, const ImportColumns& columns, bool stamp) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (line.empty()) return false;
    std::optional<Phrase> phrase = phraseFromLine(line, columns);
    if (!phrase || phrase->text().empty()) return false;
    group.phrases.push_back(std::move(*phrase));
    if (stamp) touch(group);
    return true;
}

}  // namespace pw
