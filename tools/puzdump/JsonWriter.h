#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace puzdump {

// A small streaming JSON writer: compact output, commas handled, keys and
// values in the order they are written. Texts from the game's files are
// single-byte Windows-1252 and are converted to UTF-8 here.
class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);

    JsonWriter& value(int64_t v);
    JsonWriter& value(int v) { return value(static_cast<int64_t>(v)); }
    JsonWriter& value(unsigned v) { return value(static_cast<int64_t>(v)); }
    JsonWriter& value(double v);
    JsonWriter& value(bool v);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& null();

    template <typename T>
    JsonWriter& field(std::string_view name, const T& v) { key(name); return value(v); }
    // An array of integers, e.g. a rectangle.
    template <typename... T>
    JsonWriter& ints(T... v) { beginArray(); (value(static_cast<int64_t>(v)), ...); return endArray(); }

    const std::string& str() const { return m_out; }

private:
    void separate();
    void raw(std::string_view s) { m_out.append(s); }

    std::string m_out;
    // One entry per open object or array: true once it has an element.
    std::vector<bool> m_hasElement;
    bool m_afterKey = false;
};

// Windows-1252 bytes as a UTF-8 JSON string literal, quotes included.
std::string jsonQuote(std::string_view cp1252);

}  // namespace puzdump
