#include "cells/CellCategories.h"

#include "platform/FatalError.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"

#include <string>

const char *const kCellCategoryNames[kCategoryCount] = {
    "CT_Null",
    "CT_PopupMenu",
    "CT_Mch",
    "CT_Mch_Check",
    "CT_CEdit",
    "CT_DTMF",
    "CT_Scan",
    "CT_CTone",
    "CT_RX_Code",
    "CT_TX_Code",
    "CT_2Tone_Code",
    "CT_2ToneTX_Common",
    "CT_UserTone",
    "CT_BankOp",
    "CT_MSK_AdrRange",
    "CT_MSK_IdGroup",
    "CT_MSK_CallList",
    "CT_MSK_Msg_Status",
    "CT_MSK_Msg_ShortTxt",
    "CT_MSK_TimingErr",
    "CT_MSK_Cfg",
    "CT_DIG_Inv",
    "CT_DIG_Tg",
    "CT_DIG_Op",
    "CT_DIG_NacCh",
    "CT_DIG_Status",
    "CT_DIG_Encryption",
    "CT_DIG_SDM",
    "CT_DPMR_Inv",
    "CT_DPMR_Status",
    "CT_DPMR_SDM",
    "CT_DPMR_Encryption",
    "CT_DPMR_Op",
    "CT_DTMF_Rx",
    "CT_EXP_ChSwitchTable",
    "CT_MultiTable",
    "CT_ADJ",
};

namespace {

// Stands for the model-dependent table of the memory channel categories.
constexpr std::int32_t kChannelTable = -1;

// By identifier, with a last entry for no category.
constexpr std::int32_t kRecordTables[kCategoryCount + 1] = {
    0,             // CT_Null
    0,             // CT_PopupMenu
    kChannelTable, // CT_Mch
    kChannelTable, // CT_Mch_Check
    3,             // CT_CEdit
    4,             // CT_DTMF
    5,             // CT_Scan
    6,             // CT_CTone
    7,             // CT_RX_Code
    8,             // CT_TX_Code
    10,            // CT_2Tone_Code
    11,            // CT_2ToneTX_Common
    9,             // CT_UserTone
    12,            // CT_BankOp
    0,             // CT_MSK_AdrRange
    13,            // CT_MSK_IdGroup
    14,            // CT_MSK_CallList
    15,            // CT_MSK_Msg_Status
    16,            // CT_MSK_Msg_ShortTxt
    0,             // CT_MSK_TimingErr
    0,             // CT_MSK_Cfg
    17,            // CT_DIG_Inv
    18,            // CT_DIG_Tg
    0,             // CT_DIG_Op
    19,            // CT_DIG_NacCh
    20,            // CT_DIG_Status
    21,            // CT_DIG_Encryption
    22,            // CT_DIG_SDM
    23,            // CT_DPMR_Inv
    24,            // CT_DPMR_Status
    25,            // CT_DPMR_SDM
    26,            // CT_DPMR_Encryption
    0,             // CT_DPMR_Op
    27,            // CT_DTMF_Rx
    28,            // CT_EXP_ChSwitchTable
    29,            // CT_MultiTable
    0,             // CT_ADJ
    0,             // no category
};

std::int32_t channelTable(std::int32_t modelType)
{
    switch (modelType) {
    case 0:
        return 1;
    case 1:
        return 2;
    default:
        return 0;
    }
}

} // namespace

std::string_view cellCategoryName(std::int32_t category)
{
    if (category < 0 || category >= kCategoryCount)
        return {};
    return kCellCategoryNames[category];
}

std::int32_t cellRecordTable(std::int32_t category, std::int32_t modelType)
{
    if (category < 0 || category > kNoCategory) {
        platform::fatalError(
            platform::formatText("Unknown Cell Category. (%s)", std::to_string(category)));
    }
    const std::int32_t table = kRecordTables[category];
    return table == kChannelTable ? channelTable(modelType) : table;
}

std::int32_t cellRecordTable(std::int32_t category)
{
    return cellRecordTable(category, environment().modelType);
}
