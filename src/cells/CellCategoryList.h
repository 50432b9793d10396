// The cell categories in identifier order, each with the record table of
// the working layout that its cells belong to (0: none; kChannelTable: the
// memory channel table of the model type). A category's identifier is its
// line's position in this list; CellCategories.h makes the enum and the
// count of it and CellCategories.cpp the names and record tables, each
// defining CELL_CATEGORY(name, recordTable) for the moment it includes this
// file.
//
// No include guard: this file is meant to be included more than once.

#ifndef CELL_CATEGORY
#error "define CELL_CATEGORY(name, recordTable) before including the category list"
#endif

CELL_CATEGORY(CT_Null, 0)
CELL_CATEGORY(CT_PopupMenu, 0)
CELL_CATEGORY(CT_Mch, kChannelTable)
CELL_CATEGORY(CT_Mch_Check, kChannelTable)
CELL_CATEGORY(CT_CEdit, 3)
CELL_CATEGORY(CT_DTMF, 4)
CELL_CATEGORY(CT_Scan, 5)
CELL_CATEGORY(CT_CTone, 6)
CELL_CATEGORY(CT_RX_Code, 7)
CELL_CATEGORY(CT_TX_Code, 8)
CELL_CATEGORY(CT_2Tone_Code, 10)
CELL_CATEGORY(CT_2ToneTX_Common, 11)
CELL_CATEGORY(CT_UserTone, 9)
CELL_CATEGORY(CT_BankOp, 12)
CELL_CATEGORY(CT_MSK_AdrRange, 0)
CELL_CATEGORY(CT_MSK_IdGroup, 13)
CELL_CATEGORY(CT_MSK_CallList, 14)
CELL_CATEGORY(CT_MSK_Msg_Status, 15)
CELL_CATEGORY(CT_MSK_Msg_ShortTxt, 16)
CELL_CATEGORY(CT_MSK_TimingErr, 0)
CELL_CATEGORY(CT_MSK_Cfg, 0)
CELL_CATEGORY(CT_DIG_Inv, 17)
CELL_CATEGORY(CT_DIG_Tg, 18)
CELL_CATEGORY(CT_DIG_Op, 0)
CELL_CATEGORY(CT_DIG_NacCh, 19)
CELL_CATEGORY(CT_DIG_Status, 20)
CELL_CATEGORY(CT_DIG_Encryption, 21)
CELL_CATEGORY(CT_DIG_SDM, 22)
CELL_CATEGORY(CT_DPMR_Inv, 23)
CELL_CATEGORY(CT_DPMR_Status, 24)
CELL_CATEGORY(CT_DPMR_SDM, 25)
CELL_CATEGORY(CT_DPMR_Encryption, 26)
CELL_CATEGORY(CT_DPMR_Op, 0)
CELL_CATEGORY(CT_DTMF_Rx, 27)
CELL_CATEGORY(CT_EXP_ChSwitchTable, 28)
CELL_CATEGORY(CT_MultiTable, 29)
CELL_CATEGORY(CT_ADJ, 0)
