#include "framework/TraductorFormat.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace fw {

namespace {

constexpr int kMaxWidth = 512;

struct Conversion {
    std::string flags;
    int width = -1;
    int precision = -1;
    char conversion = 0;
};

// Reads flags, width, precision and size letters after a '%'; returns the
// position of the conversion letter, or npos when the text ends first.
size_t parseConversion(const std::string& f, size_t i, Conversion& conv)
{
    while (i < f.size() && std::strchr("-+ #0", f[i]))
        conv.flags += f[i++];
    auto number = [&](int& out) {
        out = 0;
        while (i < f.size() && std::isdigit(static_cast<unsigned char>(f[i])))
            out = std::min(out * 10 + (f[i++] - '0'), kMaxWidth);
    };
    if (i < f.size() && std::isdigit(static_cast<unsigned char>(f[i])))
        number(conv.width);
    if (i < f.size() && f[i] == '.') {
        ++i;
        number(conv.precision);
    }
    while (i < f.size() && std::strchr("lhLqjzt", f[i]))
        ++i;
    if (i >= f.size())
        return std::string::npos;
    conv.conversion = f[i];
    return i;
}

int64_t asInt(const FormatArg& a)
{
    if (auto p = std::get_if<int64_t>(&a.value))
        return *p;
    if (auto p = std::get_if<double>(&a.value))
        return static_cast<int64_t>(*p);
    return std::strtoll(std::get<std::string>(a.value).c_str(), nullptr, 10);
}

double asDouble(const FormatArg& a)
{
    if (auto p = std::get_if<double>(&a.value))
        return *p;
    if (auto p = std::get_if<int64_t>(&a.value))
        return static_cast<double>(*p);
    return std::strtod(std::get<std::string>(a.value).c_str(), nullptr);
}

std::string asString(const FormatArg& a)
{
    if (auto p = std::get_if<std::string>(&a.value))
        return *p;
    if (auto p = std::get_if<int64_t>(&a.value))
        return std::to_string(*p);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", std::get<double>(a.value));
    return buf;
}

// The format handed to snprintf is rebuilt from checked parts only.
std::string cFormat(const Conversion& s, const char* size, char conversion)
{
    std::string f = "%" + s.flags;
    if (s.width >= 0)
        f += std::to_string(s.width);
    if (s.precision >= 0)
        f += "." + std::to_string(s.precision);
    return f + size + conversion;
}

std::string convert(const Conversion& s, const FormatArg& a)
{
    std::vector<char> buf(kMaxWidth * 2 + 400);
    const char c = s.conversion;
    if (c == 's') {
        std::string text = asString(a);
        if (s.precision >= 0 && text.size() > size_t(s.precision))
            text.resize(s.precision);
        if (s.width > 0 && text.size() < size_t(s.width)) {
            std::string pad(s.width - text.size(), ' ');
            text = s.flags.find('-') != std::string::npos ? text + pad : pad + text;
        }
        return text;
    }
    if (c == 'd' || c == 'i')
        std::snprintf(buf.data(), buf.size(), cFormat(s, "ll", c).c_str(), static_cast<long long>(asInt(a)));
    else if (c == 'u' || c == 'x' || c == 'X')
        std::snprintf(buf.data(), buf.size(), cFormat(s, "ll", c).c_str(),
                      static_cast<unsigned long long>(static_cast<uint32_t>(asInt(a))));
    else if (c == 'c')
        return std::string(1, static_cast<char>(asInt(a)));
    else
        std::snprintf(buf.data(), buf.size(), cFormat(s, "", c).c_str(), asDouble(a));
    return buf.data();
}

}  // namespace

std::string formatText(const std::string& format, std::initializer_list<FormatArg> args)
{
    std::string out;
    auto next = args.begin();
    size_t i = 0;
    while (i < format.size()) {
        const char ch = format[i];
        if (ch != '%') {
            out += ch;
            ++i;
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        Conversion conv;
        size_t at = parseConversion(format, i + 1, conv);
        if (at == std::string::npos || !std::strchr("sdiuxXcfeEgG", conv.conversion)) {
            out += ch;
            ++i;
            continue;
        }
        if (next != args.end())
            out += convert(conv, *next++);
        i = at + 1;
    }
    return out;
}

}  // namespace fw
