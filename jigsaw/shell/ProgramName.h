#pragma once

namespace qv::program {

// The program's names and version, as its windows, files and credits give them.
constexpr const char* LongName = "Quorvane";
constexpr const char* ShortName = "QVrk";
constexpr int Version = 200;  // 2.00
constexpr int DirectoryCacheVersion = 1101;

}  // namespace qv::program
