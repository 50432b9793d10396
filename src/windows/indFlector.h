#pragma once

#include "windows/cuiFlector.h"

// The selection list whose rows follow a list of the working image or the
// languages (a list sheet with a tag: C channels of the chosen bank, B
// banks, V and W individual and group entries, Z the dPMR ID list, Y the
// languages). It behaves as every selection list does.
class indFlector : public cuiFlector
{
    Q_OBJECT

public:
    static indFlector *Open(const cmcCellCapsule &opening, std::int32_t style, std::int32_t current,
                            cmcGTex &texts, const std::string &sheetKey,
                            const std::string &listTag);

protected:
    indFlector(QWidget *owner, cmcGTex &texts, std::string sheetKey, const cuiImageList *images,
               std::string listTag);
    std::unique_ptr<cuiSheet> CreateSheet(QWidget *container, const cmcCellCapsule &opening,
                                          std::int32_t style, std::int32_t current) override;

private:
    const std::string listTag_;
};
