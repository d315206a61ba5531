#include "numberformat.h"

#include <cctype>

namespace pwsheet {

DateStyle styleOfFormatCode(std::string_view code) {
    bool date = false, time = false;
    for (size_t i = 0; i < code.size(); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(code[i])));
        if (c == '"') {
            const size_t close = code.find('"', i + 1);
            if (close == std::string_view::npos) break;
            i = close;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == '[') {
            const size_t close = code.find(']', i + 1);
            if (close == std::string_view::npos) break;
            const std::string_view inside = code.substr(i + 1, close - i - 1);
            if (!inside.empty() && (inside[0] == 'h' || inside[0] == 'm' || inside[0] == 's' || inside[0] == 'H'))
                time = true;
            i = close;
        } else if (c == 'y' || c == 'd') {
            date = true;
        } else if (c == 'h' || c == 's') {
            time = true;
        } else if (c == ';') {
            break;  // the first section decides
        }
    }
    if (date && time) return DateStyle::DateTime;
    if (date) return DateStyle::Date;
    if (time) return DateStyle::Time;
    return DateStyle::None;
}

DateStyle styleOfBuiltInFormat(int id) {
    if ((id >= 14 && id <= 17) || (id >= 27 && id <= 31) || (id >= 34 && id <= 36) || (id >= 50 && id <= 58))
        return DateStyle::Date;
    if ((id >= 18 && id <= 21) || (id >= 32 && id <= 33) || (id >= 45 && id <= 47)) return DateStyle::Time;
    if (id == 22) return DateStyle::DateTime;
    return DateStyle::None;
}

}  // namespace pwsheet
