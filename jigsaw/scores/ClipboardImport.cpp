#include "jigsaw/scores/ClipboardImport.h"

#include "jigsaw/scores/Certificate.h"
#include "jigsaw/scores/ReceivedRanking.h"
#include "jigsaw/scores/ScoresHost.h"

namespace qv {

namespace {
bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }
}  // namespace

bool IsCertificateText(std::string_view text)
{
    return contains(text, Certificate::DisplayName) && contains(text, "BOC{") && contains(text, "}EOC");
}

bool IsRankingText(std::string_view text)
{
    return contains(text, Certificate::DisplayName) && contains(text, "BOR{") && contains(text, "}EOR");
}

bool ClipboardImport(std::string_view text, LiveRanking& live, ScoresHost& host, fw::Status* shown)
{
    fw::Status status;
    if (IsCertificateText(text)) {
        host.emptyClipboard();
        status = Certificate::Parse(text).Import(live, host);
    } else if (IsRankingText(text)) {
        host.emptyClipboard();
        ReceivedRanking received;
        if (received.Parse(text, host, status))
            host.showReceivedRanking(received);
    } else {
        return false;
    }
    if (!status.ok())
        host.showMessage(status, scoresMessageIcon(status.id));
    if (shown)
        *shown = status;
    return true;
}

}  // namespace qv
