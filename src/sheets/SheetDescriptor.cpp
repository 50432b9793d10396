#include "sheets/SheetDescriptor.h"

#include <string_view>

namespace {

constexpr std::string_view kBankClass = "St_ChBank";
constexpr std::string_view kCommonClass = "St_Common";
// Tags of the sheets whose rows follow a list of the working image.
constexpr std::string_view kListTagLetters = "DMQRXqx";

} // namespace

SheetDescriptor SheetDescriptor::Parse(const std::string &text)
{
    SheetDescriptor descriptor;
    descriptor.saveName = text;
    const std::size_t comma = text.find(',');
    std::string head = text.substr(0, comma);
    if (comma != std::string::npos)
        descriptor.tag = text.substr(comma + 1);
    const std::size_t open = head.find('[');
    const std::size_t close = open == std::string::npos ? open : head.find(']', open + 1);
    if (close != std::string::npos) {
        descriptor.className = head.substr(open + 1, close - open - 1);
        descriptor.prefix = head.substr(close + 1);
    } else {
        descriptor.prefix = std::move(head);
    }
    return descriptor;
}

SheetDescriptor::Kind SheetDescriptor::kind() const
{
    if (className == kBankClass)
        return Kind::Bank;
    if (className == kCommonClass)
        return Kind::Common;
    if (!tag.empty() && kListTagLetters.find(tag.front()) != std::string_view::npos)
        return Kind::List;
    return Kind::Plain;
}
