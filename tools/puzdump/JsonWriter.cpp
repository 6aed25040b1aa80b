#include "JsonWriter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace puzdump {

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252 (0 = undefined, shown as U+FFFD).
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

void appendUtf8(std::string& out, uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string jsonQuote(std::string_view text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else if (c >= 0x80 && c < 0xA0) {
            uint16_t cp = kCp1252High[c - 0x80];
            appendUtf8(out, cp ? cp : 0xFFFD);
        } else {
            appendUtf8(out, c);
        }
    }
    out += '"';
    return out;
}

void JsonWriter::separate()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_hasElement.empty()) {
        if (m_hasElement.back())
            raw(",");
        m_hasElement.back() = true;
    }
}

JsonWriter& JsonWriter::beginObject()
{
    separate();
    raw("{");
    m_hasElement.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::endObject()
{
    raw("}");
    m_hasElement.pop_back();
    return *this;
}

JsonWriter& JsonWriter::beginArray()
{
    separate();
    raw("[");
    m_hasElement.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::endArray()
{
    raw("]");
    m_hasElement.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name)
{
    separate();
    raw(jsonQuote(name));
    raw(":");
    m_afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::value(int64_t v)
{
    separate();
    raw(std::to_string(v));
    return *this;
}

JsonWriter& JsonWriter::value(double v)
{
    separate();
    if (!std::isfinite(v)) {
        raw("null");  // JSON has no infinities
        return *this;
    }
    // The shortest form that reads back as the same double.
    char buf[40];
    for (int precision = 15; precision <= 17; ++precision) {
        std::snprintf(buf, sizeof buf, "%.*g", precision, v);
        if (std::strtod(buf, nullptr) == v)
            break;
    }
    raw(buf);
    return *this;
}

JsonWriter& JsonWriter::value(bool v)
{
    separate();
    raw(v ? "true" : "false");
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text)
{
    separate();
    raw(jsonQuote(text));
    return *this;
}

JsonWriter& JsonWriter::null()
{
    separate();
    raw("null");
    return *this;
}

}  // namespace puzdump
