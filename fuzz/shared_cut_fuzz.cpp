// fuzz-links: jigsaw_shell
// Shared cuts as they come from the clipboard. Whatever decodes must be the
// one text its cut encodes to (blanks around it aside), so that no second
// spelling of a cut is ever taken.
#include <cstdlib>
#include <string_view>

#include "jigsaw/shell/SharedCut.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    qv::SharedCut::LooksShared(text);
    const qv::SharedCut::Decoded d = qv::SharedCut::Decode(text);
    if (!d.cut)
        return 0;
    const std::string again = d.cut->Encode();
    if (text.find(again) == std::string_view::npos || again.size() + 64 < size)
        std::abort();
    const qv::SharedCut::Decoded twice = qv::SharedCut::Decode(again);
    if (!twice.cut || twice.cut->Encode() != again)
        std::abort();
    return 0;
}
