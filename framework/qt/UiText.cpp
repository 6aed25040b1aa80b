#include "framework/qt/UiText.h"

#include "framework/qt/Text.h"

namespace fw {

namespace {
UiText::Source& source()
{
    static UiText::Source s;
    return s;
}
}  // namespace

void UiText::setSource(Source s) { source() = std::move(s); }

std::string UiText::lookup(int kind, int id) { return source() ? source()(kind, id) : std::string(); }

std::string UiText::lookupOr(int kind, int id, std::string_view fallback)
{
    std::string t = lookup(kind, id);
    return t.empty() ? std::string(fallback) : t;
}

QString UiText::text(int kind, int id) { return toQString(lookup(kind, id)); }

}  // namespace fw
