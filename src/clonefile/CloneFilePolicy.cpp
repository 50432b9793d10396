#include "clonefile/CloneFilePolicy.h"

#include "clonefile/cmcVrcFile.h"

namespace clone_file_policy {

bool acceptHeader(void *, int modelCode, int subCode, int *error)
{
    if (modelCode != kModelCode) {
        *error = cmcVrcFile::ErrModel;
        return false;
    }
    if (subCode != kSubCodeWritten && subCode != kSubCodeOtherVariant) {
        *error = cmcVrcFile::ErrExtra;
        return false;
    }
    return true;
}

bool acceptMapRevision(void *, int revision) { return revision < kFirstRefusedMapRevision; }

RangeList fileRanges() { return {{kFirstFileAddress, kLastFileAddress}, {1, 0}}; }

void applyTo(cmcVrcFile &file)
{
    file.SetModelCode(kModelCode);
    file.SetSubCode(kSubCodeWritten);
    file.SetMapRevision(kMapRevisionWritten);
    file.SetHeaderCheck(acceptHeader, nullptr);
    file.SetMapRevisionCheck(acceptMapRevision, nullptr);
}

} // namespace clone_file_policy
