#include "jigsaw/shell/GameFolders.h"

#include "jigsaw/library/FileNames.h"

namespace fs = std::filesystem;

namespace qv {

GameFolders::GameFolders(fs::path programDir, fw::UserFolders folders)
    : m_programDir(std::move(programDir)), m_folders(std::move(folders))
{
}

GameFolders GameFolders::ForProgram(const fs::path& programDir)
{
    return GameFolders(programDir, fw::UserFolders::ForProgram(programDir, Name));
}

int GameFolders::Prepare() const
{
    const bool firstStart = !m_folders.portable() && !files::isFolder(puzzlesRoot());
    if (!m_folders.Create() || !firstStart)
        return 0;
    int copied = 0;
    for (const fs::path& p : files::listFiles(m_programDir, ".puz")) {
        std::error_code ec;
        fs::copy_file(p, puzzlesRoot() / p.filename(), fs::copy_options::skip_existing, ec);
        // The copy belongs to the user, who must be able to rewrite it
        // (the picture cache inside a puzzle file is refreshed in place).
        fs::permissions(puzzlesRoot() / p.filename(), fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::add, ec);
        copied += ec ? 0 : 1;
    }
    return copied;
}

fs::path GameFolders::firstPuzzle() const
{
    const fs::path p = puzzlesRoot() / FirstPuzzle;
    return files::isFile(p) ? p : fs::path();
}

}  // namespace qv
