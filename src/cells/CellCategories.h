#pragma once

#include <cstdint>
#include <string_view>

// Cell categories: the kind of record a cell belongs to. An identifier is the
// category's position in this list; one past the last means no category.
enum CellCategory : std::int32_t {
    CT_Null,
    CT_PopupMenu,
    CT_Mch,
    CT_Mch_Check,
    CT_CEdit,
    CT_DTMF,
    CT_Scan,
    CT_CTone,
    CT_RX_Code,
    CT_TX_Code,
    CT_2Tone_Code,
    CT_2ToneTX_Common,
    CT_UserTone,
    CT_BankOp,
    CT_MSK_AdrRange,
    CT_MSK_IdGroup,
    CT_MSK_CallList,
    CT_MSK_Msg_Status,
    CT_MSK_Msg_ShortTxt,
    CT_MSK_TimingErr,
    CT_MSK_Cfg,
    CT_DIG_Inv,
    CT_DIG_Tg,
    CT_DIG_Op,
    CT_DIG_NacCh,
    CT_DIG_Status,
    CT_DIG_Encryption,
    CT_DIG_SDM,
    CT_DPMR_Inv,
    CT_DPMR_Status,
    CT_DPMR_SDM,
    CT_DPMR_Encryption,
    CT_DPMR_Op,
    CT_DTMF_Rx,
    CT_EXP_ChSwitchTable,
    CT_MultiTable,
    CT_ADJ,
};

inline constexpr std::int32_t kCategoryCount = 37;
inline constexpr std::int32_t kNoCategory = kCategoryCount;

// Names by identifier.
extern const char *const kCellCategoryNames[kCategoryCount];

// The name of a category identifier; empty for no category and for anything
// that is not an identifier.
std::string_view cellCategoryName(std::int32_t category);

// The record table of the working layout that a category's cells belong to,
// 0 when the category has none (no category included). The memory channel
// categories depend on the model type: table 1 for type 0, table 2 for type
// 1, none for anything else. An identifier outside 0..37 is a fault of the
// caller and ends the program.
std::int32_t cellRecordTable(std::int32_t category, std::int32_t modelType);
// The same for the model type of the settings.
std::int32_t cellRecordTable(std::int32_t category);
