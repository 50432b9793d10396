#include "sheets/BankFacts.h"

#include "cells/CellHost.h"
#include "cells/CellLabels.h"
#include "channels/ChannelOffsets.h"
#include "channels/datCh.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::int32_t, 23> kNotInGroupBanks = {
    CL_Mch_FreqR,         CL_Mch_FreqT,        CL_Mch_TxInh,      CL_Mch_Nar,
    CL_Mch_CTone_R,       CL_Mch_CTone_T,      CL_Mch_PwrSave,    CL_Mch_RfPo,
    CL_Mch_Lockout,       CL_Mch_Sql_Tight,    CL_Mch_Log_Pmr,    CL_Mch_Dig_Sig,
    CL_Mch_Fast_Mute,     CL_Mch_RxNac,        CL_Mch_TxNac,      CL_Mch_Unit_Hex,
    CL_Mch_Unit_Dec,      CL_Mch_TG_List,      CL_Mch_SQL_Type,   CL_Mch_Encryption_No,
    CL_Grp_BlockIdEnable, CL_Grp_BlockIdStart, CL_Grp_BlockIdEnd,
};

} // namespace

BankFacts BankFacts::Read(int bank)
{
    BankFacts facts;
    CellHost *host = cellHost();
    if (host == nullptr)
        return facts;
    const datCh records(&host->WorkingImage());
    // The count word comes from a file or a radio: a bank never holds more
    // than the channel list.
    facts.firstChannel = std::clamp(records.bankFirstChannel(bank), 0, channel_offsets::kChannels);
    facts.channelCount = std::clamp(records.bankChannelCount(bank), 0,
                                    channel_offsets::kChannels - facts.firstChannel);
    facts.groupId = records.bankLtr(bank);
    facts.trunking = records.bankSmarTrunk(bank);
    return facts;
}

bool BankFacts::HidesLabel(bool groupIdBank, std::int32_t label)
{
    if (groupIdBank)
        return std::find(kNotInGroupBanks.begin(), kNotInGroupBanks.end(), label) !=
               kNotInGroupBanks.end();
    return label >= CL_Grp_RxId && label <= CL_Grp_BlockIdEnd;
}
