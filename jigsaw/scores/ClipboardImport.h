#pragma once
#include <string_view>

#include "framework/Status.h"

namespace qv {

class LiveRanking;
class ScoresHost;

// Takes a text from the clipboard: a certificate is checked and imported, a
// ranking text is checked and shown. Either empties the clipboard and shows
// its message; the status shown is returned. Any other text is left alone
// and false is returned.
bool ClipboardImport(std::string_view text, LiveRanking& live, ScoresHost& host, fw::Status* shown = nullptr);

// Whether the text is a certificate or a ranking text of this program.
bool IsCertificateText(std::string_view text);
bool IsRankingText(std::string_view text);

}  // namespace qv
