#include "jigsaw/library/SavedGameHead.h"

#include "framework/ByteIO.h"
#include "framework/FileStream.h"
#include "jigsaw/document/Puz.h"
#include "jigsaw/document/SavedGameFile.h"
#include "jigsaw/library/FileNames.h"

namespace qv {

fw::Status SavedGameHead::read(const std::filesystem::path& file, SavedGameHead& out)
{
    out = SavedGameHead{};
    fw::FileStream stream(file, fw::FileStream::Mode::Read);
    if (!stream.isOpen())
        return fw::Status(msg::CannotOpen, file.filename().string());
    fw::ByteReader in(stream);
    Puz puz;
    puz.savedPath = file;
    fw::Status st = SavedGameFile::readHead(puz, in, out.storedPuzzlePath);
    if (!st.ok())
        return st;
    out.header = in.text();
    if (in.failed())
        return fw::Status(msg::BadFile, file.string());
    out.name = puz.savedName;
    out.player = puz.playerName;
    out.password = puz.password;
    out.puzzlePath = SavedGameFile::resolvePuzzlePath(out.storedPuzzlePath, file);
    out.sizeIndex = puz.sizeIndex;
    out.customRows = puz.rows[Puz::CustomSize];
    out.customColumns = puz.columns[Puz::CustomSize];
    out.joinedSides = puz.counters.joinedSides;
    return {};
}

std::optional<SavedGameHead> SavedGameHead::read(const std::filesystem::path& file)
{
    SavedGameHead head;
    if (!read(file, head).ok())
        return std::nullopt;
    return head;
}

bool PasswordMatches(const std::string& stored, const std::string& entered)
{
    return files::equalIgnoringCase(stored, entered);
}

}  // namespace qv
