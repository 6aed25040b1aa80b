#include "framework/AtomicFile.h"

#include <atomic>
#include <string>
#include <system_error>
#include <unistd.h>

namespace fw {

AtomicFile::AtomicFile(std::filesystem::path target) : m_target(std::move(target))
{
    static std::atomic<unsigned> counter{0};
    std::string name = "." + m_target.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" +
                       std::to_string(counter++);
    m_temp = m_target.parent_path() / name;
    m_stream.open(m_temp, FileStream::Mode::Create);
}

AtomicFile::~AtomicFile()
{
    if (m_done)
        return;
    m_stream.close();
    std::error_code ec;
    std::filesystem::remove(m_temp, ec);
}

bool AtomicFile::commit()
{
    if (m_done || !m_stream.isOpen())
        return false;
    bool ok = !m_stream.error() && m_stream.sync();
    ok = m_stream.close() && ok;
    if (!ok)
        return false;
    std::error_code ec;
    std::filesystem::rename(m_temp, m_target, ec);
    if (ec)
        return false;
    m_done = true;
    return true;
}

bool replaceFile(const std::filesystem::path& target, const std::function<bool(Stream&)>& writer)
{
    AtomicFile file(target);
    if (!file.isOpen())
        return false;
    if (!writer(file.stream()))
        return false;
    return file.commit();
}

}  // namespace fw
