#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>

namespace fw {

// One value to put into a translated text.
struct FormatArg {
    std::variant<int64_t, double, std::string> value;
    FormatArg(int v) : value(int64_t(v)) {}
    FormatArg(unsigned v) : value(int64_t(v)) {}
    FormatArg(long v) : value(int64_t(v)) {}
    FormatArg(long long v) : value(int64_t(v)) {}
    FormatArg(unsigned long v) : value(int64_t(v)) {}
    FormatArg(double v) : value(v) {}
    FormatArg(const char* v) : value(std::string(v ? v : "")) {}
    FormatArg(std::string v) : value(std::move(v)) {}
};

// printf-style filling of a text that comes from a translation file. The
// text is outside data, so it is never handed to printf as a format: each
// conversion (%s %i %d %u %x %X %c %f %e %g %%, with flags, width, precision
// and the l/h size letters) takes the next value and converts it to what the
// conversion wants; a conversion without a value gives nothing, and %n or
// anything unknown is copied as it stands.
std::string formatText(const std::string& format, std::initializer_list<FormatArg> args);

}  // namespace fw
