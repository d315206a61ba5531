#pragma once
// Which number formats show a number as a date or time: the built-in ones
// by their id, the workbook's own by their format code.

#include <string_view>

namespace pwsheet {

enum class DateStyle { None, Date, DateTime, Time };

// Date parts, time parts, both or neither, by the code's first section.
DateStyle styleOfFormatCode(std::string_view code);
DateStyle styleOfBuiltInFormat(int id);

}  // namespace pwsheet
