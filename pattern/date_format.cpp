#include "pattern/date_format.h"

namespace mr {
namespace {

constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};
constexpr const char* kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

bool inRange(const CalendarTime& t) {
    return t.year >= 0 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 &&
           t.weekday >= 0 && t.weekday <= 6 && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 &&
           t.minute <= 59 && t.second >= 0 && t.second <= 60;
}

void appendNumber(std::string& out, int value, size_t minDigits) {
    std::string digits = std::to_string(value);
    if (digits.size() < minDigits)
        out.append(minDigits - digits.size(), '0');
    out += digits;
}

} // namespace

std::optional<std::string> formatCalendarTime(std::string_view format, const CalendarTime& time) {
    if (!inRange(time))
        return std::nullopt;
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            out += format[i];
            continue;
        }
        // '#' drops leading zeros; the year has none to drop from 1000 on.
        const bool noZeros = format[i + 1] == '#' && i + 2 < format.size();
        const char directive = format[i + (noZeros ? 2 : 1)];
        const size_t two = noZeros ? 1 : 2;
        switch (directive) {
        case 'H':
            appendNumber(out, time.hour, two);
            break;
        case 'M':
            appendNumber(out, time.minute, two);
            break;
        case 'S':
            appendNumber(out, time.second, two);
            break;
        case 'Y':
            appendNumber(out, time.year, noZeros ? 1 : 4);
            break;
        case 'y':
            appendNumber(out, time.year % 100, two);
            break;
        case 'm':
            appendNumber(out, time.month, two);
            break;
        case 'd':
            appendNumber(out, time.day, two);
            break;
        case 'B':
            out += kMonths[time.month - 1];
            break;
        case 'b':
            out.append(kMonths[time.month - 1], 3);
            break;
        case 'A':
            out += kWeekdays[time.weekday];
            break;
        case 'a':
            out.append(kWeekdays[time.weekday], 3);
            break;
        default:
            // Not a directive of ours: the text stays as it was written.
            out.append(format.substr(i, noZeros ? 3 : 2));
            break;
        }
        i += noZeros ? 2 : 1;
        if (out.size() > kMaxDateBytes)
            return std::nullopt;
    }
    if (out.size() > kMaxDateBytes)
        return std::nullopt;
    return out;
}

} // namespace mr
