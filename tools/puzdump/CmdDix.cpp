// puzdump dix FILE: a translation file's version, flag and entries as JSON.
#include <cstdio>

#include "Command.h"
#include "JsonWriter.h"
#include "framework/Bmp.h"
#include "framework/Stream.h"
#include "framework/TraductorFile.h"

namespace puzdump {

namespace {

// The key adds the context to the kind, so the file only knows their sum.
// Kinds are below 16 and the contexts with a meaning are multiples of 16,
// which splits the sum back.
void writeEntry(JsonWriter& j, const fw::DixTable& t, size_t i)
{
    const uint32_t key = static_cast<uint32_t>(t.keys[i]);
    const uint32_t high = key >> 16;
    j.beginObject();
    j.field("kind", static_cast<int>(high & 0x0F));
    j.field("id", static_cast<int>(key & 0xFFFF));
    j.field("variant", static_cast<int>(high >> 8));
    j.field("context", static_cast<int>(high & 0xF0));
    j.field("key", static_cast<int64_t>(t.keys[i]));
    j.field("text", t.textAt(i));
    j.endObject();
}

int runDix(int argc, char** argv)
{
    if (argc != 2)
        return fail("usage: puzdump dix FILE");
    fw::DixTable t;
    std::string why;
    fw::Status s = fw::loadDix(argv[1], t, why);
    if (!s.ok())
        return fail(std::string(argv[1]) + ": " + why);
    int w = 0, h = 0;
    fw::MemoryStream flag(t.flagBmp.data(), t.flagBmp.size());
    fw::readBmpSize(flag, w, h);

    JsonWriter j;
    j.beginObject();
    j.field("file", argv[1]);
    j.field("version", static_cast<int>(t.version));
    j.key("flag").ints(w, h);
    j.field("count", static_cast<int64_t>(t.keys.size()));
    j.key("entries").beginArray();
    for (size_t i = 0; i < t.keys.size(); ++i)
        writeEntry(j, t, i);
    j.endArray();
    j.endObject();
    std::printf("%s\n", j.str().c_str());
    return 0;
}

}  // namespace

static CommandRegistrar reg{"dix", "FILE", &runDix};

}  // namespace puzdump
