#include "sheets/SheetLayoutFactory.h"

#include "sheets/BankSheetLayout.h"
#include "sheets/CommonSheetLayout.h"
#include "sheets/ListSheetLayout.h"

namespace {

template <class Layout>
std::unique_ptr<SheetLayout> make(cmcGTex &texts, const std::string &descriptor,
                                  const cmcCellCapsule *origin, std::int32_t initialLabel,
                                  std::int32_t initialIndex)
{
    return std::make_unique<Layout>(texts, descriptor, origin, initialLabel, initialIndex);
}

} // namespace

std::unique_ptr<SheetLayout> SheetLayoutFactory::Create(cmcGTex &texts,
                                                        const std::string &descriptor,
                                                        const cmcCellCapsule *origin,
                                                        std::int32_t initialLabel,
                                                        std::int32_t initialIndex)
{
    switch (SheetDescriptor::Parse(descriptor).kind()) {
    case SheetDescriptor::Kind::Bank:
        return make<BankSheetLayout<SheetLayout>>(texts, descriptor, origin, initialLabel,
                                                  initialIndex);
    case SheetDescriptor::Kind::Common:
        return make<CommonSheetLayout<SheetLayout>>(texts, descriptor, origin, initialLabel,
                                                    initialIndex);
    case SheetDescriptor::Kind::List:
        return make<ListSheetLayout<SheetLayout>>(texts, descriptor, origin, initialLabel,
                                                  initialIndex);
    case SheetDescriptor::Kind::Plain:
        break;
    }
    return make<SheetLayout>(texts, descriptor, origin, initialLabel, initialIndex);
}
