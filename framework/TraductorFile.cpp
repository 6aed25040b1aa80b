#include "framework/TraductorFile.h"

#include <algorithm>

#include "framework/AtomicFile.h"
#include "framework/ByteIO.h"
#include "framework/FileStream.h"
#include "framework/ScrambledStream.h"

namespace fw {

const char* const kDixScrambleKey = "(c)K.Wendolar P.";

namespace {

// A translation file is a few hundred kilobytes; anything far larger is not one.
constexpr uint64_t kMaxFileSize = 64u << 20;

// A count of 0 in the file means "up to the end of the file".
bool readCount(ByteReader& in, size_t elementSize, uint32_t& count)
{
    count = in.u32();
    if (in.failed())
        return false;
    if (count == 0)
        count = static_cast<uint32_t>(in.stream().remaining() / elementSize);
    return in.has(uint64_t(count) * elementSize);
}

bool fail(std::string& why, const char* text)
{
    why = text;
    return false;
}

bool readFlag(const std::vector<uint8_t>& bytes, uint32_t table, size_t start, DixTable& out, std::string& why)
{
    if (table < start + 6 || bytes[start] != 'B' || bytes[start + 1] != 'M')
        return fail(why, "no flag picture after the header: not a translation file");
    // The picture may claim more bytes than lie before the table; take what is there.
    uint64_t size = loadU32(&bytes[start + 2]);
    size = std::min<uint64_t>(size, table - start);
    out.flagBmp.assign(bytes.begin() + start, bytes.begin() + start + size);
    return true;
}

bool readTable(ByteReader& in, DixTable& out, std::string& why)
{
    uint32_t count = 0;
    if (!readCount(in, 4, count))
        return fail(why, "the key table runs past the end of the file");
    out.keys.resize(count);
    for (auto& k : out.keys)
        k = in.i32();
    uint32_t offsetCount = 0;
    if (!readCount(in, 4, offsetCount) || offsetCount != count)
        return fail(why, "the offset table does not match the key table");
    out.offsets.resize(count);
    for (auto& o : out.offsets)
        o = in.u32();
    uint32_t poolSize = 0;
    if (!readCount(in, 1, poolSize))
        return fail(why, "the text pool runs past the end of the file");
    std::vector<uint8_t> pool = in.bytes(poolSize);
    if (in.failed())
        return fail(why, "the text pool cannot be read");
    out.pool.assign(pool.begin(), pool.end());
    // Texts end at a zero byte; one more keeps the last text inside the pool
    // even when the file lost its final zero.
    out.pool.push_back('\0');
    return true;
}

bool checkTable(const DixTable& t, std::string& why)
{
    if (!std::is_sorted(t.keys.begin(), t.keys.end()))
        return fail(why, "the keys are not in ascending order");
    for (uint32_t o : t.offsets)
        if (o >= t.pool.size())
            return fail(why, "a text offset lies outside the text pool");
    return true;
}

}  // namespace

int32_t dixKey(uint16_t kind, uint16_t id, uint16_t variant, uint16_t context)
{
    uint32_t high = uint32_t(variant) * 256u + kind + context;
    return static_cast<int32_t>(high * 65536u + id);
}

std::optional<size_t> DixTable::find(int32_t key) const
{
    auto it = std::lower_bound(keys.begin(), keys.end(), key);
    if (it == keys.end() || *it != key)
        return std::nullopt;
    return static_cast<size_t>(it - keys.begin());
}

bool parseDix(const std::vector<uint8_t>& bytes, DixTable& out, std::string& why, bool headerOnly)
{
    out = DixTable{};
    if (bytes.size() < 12)
        return fail(why, "the file is too short for a translation file");
    const uint32_t table = loadU32(&bytes[0]);
    if (table > bytes.size() - 4)
        return fail(why, "the table offset lies past the end of the file");
    const bool old = bytes[4] == 'B' && bytes[5] == 'M';
    out.version = old ? 100 : loadU16(&bytes[4]);
    if (!readFlag(bytes, table, old ? 4 : 6, out, why))
        return false;
    if (headerOnly)
        return true;
    MemoryStream stream(bytes.data(), bytes.size());
    stream.seek(table);
    ByteReader in(stream);
    return readTable(in, out, why) && checkTable(out, why);
}

Status loadDix(const std::filesystem::path& path, DixTable& out, std::string& why, bool headerOnly)
{
    FileStream file(path, FileStream::Mode::Read);
    if (!file.isOpen()) {
        why = file.openError();
        return Status(msg::DixCannotOpen, path.string());
    }
    const uint64_t size = file.size();
    if (size > kMaxFileSize) {
        why = "the file is too large for a translation file";
        return Status(msg::DixDamaged, path.string());
    }
    ScrambledStream in(file, kDixScrambleKey);
    std::vector<uint8_t> bytes(size);
    if (in.read(bytes.data(), bytes.size()) != bytes.size()) {
        why = "the file cannot be read";
        return Status(msg::DixCannotOpen, path.string());
    }
    if (!parseDix(bytes, out, why, headerOnly))
        return Status(msg::DixDamaged, path.string());
    return {};
}

std::vector<uint8_t> buildDix(std::vector<DixEntry> entries, const std::vector<uint8_t>& flagBmp, uint16_t version)
{
    std::stable_sort(entries.begin(), entries.end(), [](const DixEntry& a, const DixEntry& b) {
        return dixKey(a.kind, a.id, a.variant, a.context) < dixKey(b.kind, b.id, b.variant, b.context);
    });
    MemoryStream mem;
    ByteWriter out(mem);
    const uint32_t head = version == 0 ? 4 : 6;
    out.u32(head + static_cast<uint32_t>(flagBmp.size()));
    if (version != 0)
        out.u16(version);
    out.bytes(flagBmp.data(), flagBmp.size());
    out.u32(static_cast<uint32_t>(entries.size()));
    for (const auto& e : entries)
        out.i32(dixKey(e.kind, e.id, e.variant, e.context));
    out.u32(static_cast<uint32_t>(entries.size()));
    uint32_t offset = 0;
    for (const auto& e : entries) {
        out.u32(offset);
        offset += static_cast<uint32_t>(e.text.size()) + 1;
    }
    out.u32(offset);
    for (const auto& e : entries) {
        out.bytes(e.text.data(), e.text.size());
        out.u8(0);
    }
    return mem.take();
}

bool writeDix(const std::filesystem::path& path, const std::vector<uint8_t>& plainBytes)
{
    return replaceFile(path, [&](Stream& file) {
        ScrambledStream out(file, kDixScrambleKey);
        return out.write(plainBytes.data(), plainBytes.size()) == plainBytes.size();
    });
}

}  // namespace fw
