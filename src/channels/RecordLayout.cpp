#include "channels/RecordLayout.h"

#include "channels/ChannelOffsets.h"

#include <array>

namespace record_layout {

namespace {

using namespace channel_offsets;
using D = Direction;
using C = datCh;

// --- Row builders: one line of a table reads "section, byte, bits, member".

constexpr Field bits(uint8_t s, int32_t byte, uint8_t lsb, uint8_t width, int32_t datCh::*m,
                     uint8_t shift = 0, D d = D::Both)
{
    return {s, byte, Coding::Bits, lsb, width, shift, m, d};
}
constexpr Field bit(uint8_t s, int32_t byte, uint8_t lsb, int32_t datCh::*m, uint8_t shift = 0,
                    D d = D::Both)
{
    return bits(s, byte, lsb, 1, m, shift, d);
}
constexpr Field notBit(uint8_t s, int32_t byte, uint8_t lsb, int32_t datCh::*m)
{
    return {s, byte, Coding::NotBit, lsb, 1, 0, m};
}
constexpr Field number(uint8_t s, int32_t byte, uint8_t size, int32_t datCh::*m, D d = D::Both)
{
    return {s, byte, Coding::Number, 0, size, 0, m, d};
}
constexpr Field special(Coding coding, uint8_t s, int32_t byte, MemberRef m, uint8_t width = 0,
                        uint8_t value = 0)
{
    return {s, byte, coding, 0, width, 0, m, D::Both, value};
}
template <class Array>
constexpr Field bytes(uint8_t s, int32_t byte, uint8_t size, Array datCh::*m, D d = D::Both)
{
    return {s, byte, Coding::Bytes, 0, size, 0, m, d};
}
template <class Array>
constexpr Field textPresent(uint8_t s, int32_t byte, uint8_t lsb, uint8_t size, Array datCh::*m)
{
    return {s, byte, Coding::TextPresent, lsb, size, 0, m, D::EncodeOnly};
}
constexpr Field fill(uint8_t s, int32_t byte, uint8_t size, uint8_t value)
{
    return {
        s,    byte, Coding::Fill, 0, size, 0, static_cast<int32_t datCh::*>(nullptr), D::EncodeOnly,
        value};
}
constexpr Field real(uint8_t s, int32_t byte, uint8_t size, double datCh::*m)
{
    return {s, byte, Coding::Real, 0, size, 0, m};
}
constexpr Field realOfPair(uint8_t s, int32_t byte, datCh::RealPair datCh::*m, uint8_t element)
{
    return {s, byte, Coding::Real, 0, 2, element, m};
}

template <std::size_t N, std::size_t M>
constexpr std::array<Field, N + M> join(const std::array<Field, N> &a,
                                        const std::array<Field, M> &b)
{
    std::array<Field, N + M> out{};
    for (std::size_t i = 0; i < N; ++i)
        out[i] = a[i];
    for (std::size_t i = 0; i < M; ++i)
        out[N + i] = b[i];
    return out;
}

// A section for places that do not move with the row.
constexpr Section kAbsolute{0, 0};
constexpr uint8_t G = 0;

// --- Memory channels (kinds 1, 2): main record M, extra record X.

constexpr uint8_t M = 1;
constexpr uint8_t X = 2;
constexpr auto kChannelSections = std::to_array<Section>(
    {kAbsolute, {kChannelMain, kChannelMainSize}, {kChannelExtra, kChannelExtraSize}});

constexpr auto kChannelFields = std::to_array<Field>({
    special(Coding::RowWord, G, kPriorityA, &C::AtrA),
    special(Coding::RowWord, G, kPriorityB, &C::AtrB),
    special(Coding::RowWord, G, kChannelE, &C::AtrE),
    notBit(G, kChannelEActive, 5, &C::AtrEOff),
    special(Coding::ChannelBankFlag, G, kBankSmarTrunk, &C::BankSmarTrunk),
    special(Coding::ChannelBankFlag, G, kBankLtr, &C::BankLtr),
    // The inhibit bits share the frequencies' top bits and go in after them.
    special(Coding::Frequency, M, 0, &C::FreqR),
    bit(M, 0, 7, &C::Inh),
    special(Coding::Frequency, M, 4, &C::FreqT),
    bit(M, 4, 7, &C::TxInh),
    special(Coding::Tone, M, 8, &C::CToneR),
    special(Coding::Tone, M, 10, &C::CToneT),
    bits(M, 12, 0, 2, &C::DigSig),
    bits(M, 12, 2, 2, &C::OperationMode),
    bit(M, 12, 4, &C::Nar, 1),
    bit(M, 12, 6, &C::Nar, 0),
    number(M, 14, 1, &C::ScanListNo),
    bytes(M, 15, 12, &C::Text),
    textPresent(M, 12, 5, 12, &C::Text),
    number(M, 27, 2, &C::RxNac),
    number(M, 29, 2, &C::TxNac),
    number(M, 31, 1, &C::RxMultiTableNo),
    number(M, 33, 1, &C::DpmrTxCc),
    special(Coding::ScanPlanes, G, kScanBitmaps, &C::Scan, 17, 4),
    bit(X, 0, 7, &C::PwrSave),
    bit(X, 0, 6, &C::Moni, 0),
    bit(X, 0, 5, &C::ScanListSel),
    bit(X, 0, 3, &C::Lockout, 1),
    bit(X, 0, 2, &C::Lockout, 0),
    bits(X, 0, 0, 2, &C::RfPo),
    bits(X, 1, 4, 4, &C::Log),
    bit(X, 1, 3, &C::Moni, 1),
    bit(X, 1, 2, &C::SqlTight),
    bit(X, 1, 1, &C::ScanInc),
    bit(X, 1, 0, &C::ChMute),
    bits(X, 2, 6, 2, &C::Sel),
    bit(X, 2, 5, &C::Moni, 3),
    bit(X, 2, 4, &C::Moni, 2),
    bit(X, 2, 3, &C::Call),
    bit(X, 2, 2, &C::Ptt),
    bit(X, 3, 7, &C::RptMode),
    bits(X, 3, 5, 2, &C::ScrmOn),
    bit(X, 3, 4, &C::Compander),
    // This model has no MSK on the channel: shown, never written.
    bit(X, 3, 3, &C::MskSig, 0, D::DecodeOnly),
    bit(X, 3, 2, &C::MskRptOff, 0, D::DecodeOnly),
    bit(X, 3, 1, &C::MskSendStatus, 0, D::DecodeOnly),
    bit(X, 3, 0, &C::AutoChScan),
    number(X, 5, 1, &C::ScrmCode),
    bits(X, 6, 6, 2, &C::Pos),
    bits(X, 6, 0, 4, &C::Form),
    bit(X, 7, 7, &C::RptL),
    bits(X, 7, 0, 7, &C::RptC),
    bit(X, 8, 7, &C::StnL),
    bits(X, 8, 0, 7, &C::StnC),
    bit(X, 9, 7, &C::IdL),
    bits(X, 9, 0, 7, &C::IdC),
    number(X, 10, 1, &C::RxCNo),
    fill(X, 11, 1, 0),
    number(X, 12, 4, &C::UnitId),
    bit(X, 17, 7, &C::FastMute),
    bits(X, 17, 4, 2, &C::SqlType),
    bit(X, 17, 3, &C::Strapped),
    bits(X, 17, 0, 3, &C::Lockout, 2),
    bits(X, 18, 6, 2, &C::ScrmType),
    bit(X, 18, 4, &C::CwidOn),
    bits(X, 18, 2, 2, &C::CwidOffset),
    bits(X, 18, 0, 2, &C::SignalingType),
    bit(X, 19, 7, &C::Tot),
    bit(X, 19, 6, &C::TotRepeat),
    bits(X, 19, 4, 2, &C::DpmrSqlType),
    number(X, 20, 1, &C::EncryptionNo),
    number(X, 23, 2, &C::TgList),
    number(X, 25, 2, &C::IndList),
    number(X, 27, 4, &C::DpmrUnitId),
    number(X, 31, 2, &C::DpmrCallList),
    number(X, 33, 2, &C::DpmrTgList),
    number(X, 35, 1, &C::DpmrEncryptionNo),
});

// The LMR channel reads only the low auto-reset bit but writes both.
constexpr auto kLmrChannelFields =
    join(kChannelFields, std::to_array<Field>({
                             bit(X, 2, 1, &C::AutoReset, 0),
                             bit(X, 2, 0, &C::AutoReset, 1, D::EncodeOnly),
                             bit(X, 18, 5, &C::DtmfDec),
                             number(X, 21, 1, &C::RxCNoDtmf),
                         }));
constexpr auto kPmrChannelFields = join(kChannelFields, std::to_array<Field>({
                                                            bit(X, 2, 1, &C::AutoReset, 0),
                                                            bit(X, 2, 0, &C::AutoReset, 1),
                                                        }));

// --- User character glyphs (kind 3).

constexpr auto kGlyphSections = std::to_array<Section>({{kGlyph24, 24}, {kGlyph49, 49}});
constexpr auto kGlyphFields = std::to_array<Field>({
    bytes(0, 0, 24, &C::Glyph24),
    bytes(1, 0, 49, &C::Glyph49),
});

// --- DTMF memories (kind 4).

constexpr auto kDtmfSections = std::to_array<Section>({{kDtmfMemory, 37}});
constexpr auto kDtmfFields = std::to_array<Field>({
    bytes(0, 0, 24, &C::Text),
    special(Coding::Nibbles, 0, 24, &C::Digits, 24),
    number(0, 36, 1, &C::DigitCount),
});

// --- Scan lists (kind 5).

constexpr auto kScanSections = std::to_array<Section>({{kScanList, 34}});
constexpr auto kScanFields = std::to_array<Field>({
    bytes(0, 0, 24, &C::Text),
    bits(0, 24, 0, 4, &C::ScanMode, 0),
    bit(0, 25, 5, &C::ScanMode, 4),
    bit(0, 24, 4, &C::PwrSave),
    {0, 24, Coding::NonZeroBit, 7, 1, 0, &C::Prio2_CH, D::EncodeOnly},
    bit(0, 25, 7, &C::DispText, 0),
    bit(0, 25, 6, &C::DispText, 1),
    bit(0, 25, 4, &C::TX_Action),
    bit(0, 25, 3, &C::Cancel_CH, 4),
    bit(0, 25, 2, &C::TalkBack),
    bits(0, 26, 4, 4, &C::TX_CH),
    bits(0, 26, 0, 4, &C::Prio1_CH),
    bits(0, 27, 4, 4, &C::Prio2_CH),
    bits(0, 27, 0, 4, &C::Cancel_CH, 0),
    number(0, 28, 2, &C::TxChNo),
    number(0, 30, 2, &C::Prio1ChNo),
    number(0, 32, 2, &C::Prio2ChNo),
});

// --- Tone pair list (kind 6).

constexpr auto kTonePairSections = std::to_array<Section>({kAbsolute, {kToneList, 4}});
constexpr auto kTonePairFields = std::to_array<Field>({
    special(Coding::Tone, 1, 0, &C::CToneR),
    special(Coding::Tone, 1, 2, &C::CToneT),
    special(Coding::RowBit, G, kToneListSel, &C::Sel),
});

// --- 5-tone codes (kinds 7, 8) and DTMF decode entries (kind 27) share the
// three flag bytes of a receive code.

constexpr std::array<Field, 12> codeFlagFields(uint8_t s, int32_t first)
{
    return std::to_array<Field>({
        bits(s, first, 0, 3, &C::Beep),
        bit(s, first, 3, &C::Sfunc),
        bits(s, first, 4, 2, &C::Scan),
        bits(s, first, 6, 2, &C::Aud),
        bits(s, first + 1, 0, 2, &C::Bell),
        textPresent(s, first + 1, 2, 24, &C::Text),
        bits(s, first + 1, 3, 2, &C::Stun),
        bit(s, first + 1, 5, &C::AutoTx),
        bit(s, first + 1, 6, &C::IdDec),
        bit(s, first + 1, 7, &C::Exo),
        bits(s, first + 2, 5, 2, &C::Rpt),
        bit(s, first + 2, 7, &C::EmerCancel),
    });
}

constexpr auto kRxCodeSections = std::to_array<Section>({kAbsolute, {kRxCode, 44}});
constexpr auto kRxCodeFields = join(std::to_array<Field>({
                                        bytes(1, 0, 4, &C::Code),
                                        bytes(1, 4, 24, &C::Text),
                                        number(1, 28, 1, &C::Byte28),
                                        number(1, 29, 1, &C::Abc),
                                        number(G, kGroupCode, 1, &C::GroupCode, D::DecodeOnly),
                                    }),
                                    codeFlagFields(1, 30));

constexpr auto kTxCodeSections =
    std::to_array<Section>({kAbsolute, {kTxCode, 4}, {kTxCodeText, 14}});
constexpr auto kTxCodeFields = std::to_array<Field>({
    bytes(1, 0, 4, &C::Code),
    bytes(2, 0, 12, &C::Text),
    bits(2, 12, 1, 7, &C::InputDigit, 1),
    bit(2, 12, 0, &C::Update),
    bit(2, 13, 7, &C::AbcDec),
    bit(2, 13, 6, &C::AbcAud),
    textPresent(2, 13, 5, 12, &C::Text),
    notBit(2, 13, 4, &C::Sel),
    number(G, kGroupCode, 1, &C::GroupCode, D::DecodeOnly),
});

// --- User tones (kind 9).

constexpr auto kUserToneSections =
    std::to_array<Section>({{kUserToneEncode, 2}, {kUserToneDecode, 4}});
constexpr auto kUserToneFields = std::to_array<Field>({
    number(0, 0, 2, &C::Encode),
    number(1, 0, 2, &C::Dec_Low),
    number(1, 2, 2, &C::Dec_High),
});

// --- 2-tone codes (kind 10): receive code row i, and from row 1 on the
// transmit code row i - 1 with the tone frequencies and periods.

constexpr uint8_t kTwoRx = 0;
constexpr uint8_t kTwoFreq = 1;
constexpr uint8_t kTwoTxFreq = 2;
constexpr uint8_t kTwoPeriod = 3;
constexpr uint8_t kTwoTx = 4;
constexpr auto kTwoToneSections = std::to_array<Section>({
    {kRxCode, 44},
    {kTwoToneRxFreq, 8, 1},
    {kTxCode - 4, 4, 1},
    {kTwoTonePeriod, 2, 1},
    {kTxCodeText - 14, 14, 1},
});
constexpr auto kTwoToneFields = std::to_array<Field>({
    number(kTwoRx, 0, 1, &C::GroupCall),
    bytes(kTwoRx, 4, 24, &C::Text),
    special(Coding::NonZeroByte, kTwoRx, 29, &C::ANS),
    bits(kTwoRx, 30, 0, 3, &C::Beep),
    bit(kTwoRx, 30, 3, &C::Sfunc),
    bits(kTwoRx, 30, 4, 2, &C::Scan),
    bits(kTwoRx, 31, 0, 2, &C::Bell),
    bits(kTwoRx, 31, 3, 2, &C::Stun),
    bit(kTwoRx, 31, 5, &C::AutoTx),
    bit(kTwoRx, 31, 7, &C::Exo),
    realOfPair(kTwoFreq, 0, &C::RxFreq_1st, 0),
    realOfPair(kTwoFreq, 2, &C::RxFreq_1st, 1),
    realOfPair(kTwoFreq, 4, &C::RxFreq_2nd, 0),
    realOfPair(kTwoFreq, 6, &C::RxFreq_2nd, 1),
    real(kTwoTxFreq, 0, 2, &C::TxFreq_1st),
    real(kTwoTxFreq, 2, 2, &C::TxFreq_2nd),
    real(kTwoPeriod, 0, 1, &C::Period_1st),
    real(kTwoPeriod, 1, 1, &C::Period_2nd),
    // The transmit name follows the receive name.
    bytes(kTwoTx, 0, 12, &C::Text, D::EncodeOnly),
    special(Coding::TwoToneCode, kTwoTx, 12, &C::Code_Type),
});

// --- Bank (kind 12).

constexpr auto kBankSections = std::to_array<Section>({kAbsolute, {kBankName, 12}});
constexpr auto kBankFields = std::to_array<Field>({
    bytes(1, 0, 12, &C::Text),
    special(Coding::BankFlag, G, kBankLtr, &C::BankLtr),
});

// --- MSK lists (kinds 13-16).

constexpr auto kMskIdGroupSections = std::to_array<Section>({{kMskIdGroup, 42}});
constexpr auto kMskIdGroupFields = std::to_array<Field>({
    number(0, 0, 2, &C::Adr),
    bytes(0, 2, 12, &C::Text),
    bits(0, 28, 0, 3, &C::Alert),
    bit(0, 28, 3, &C::Sfunc),
    bits(0, 29, 0, 2, &C::Bell),
    textPresent(0, 29, 2, 12, &C::Text),
});

constexpr auto kMskCallSections = std::to_array<Section>({{kMskCallAdr, 4}, {kMskCallText, 14}});
constexpr auto kMskCallFields = std::to_array<Field>({
    special(Coding::BcdAddress, 0, 0, &C::Adr),
    fill(0, 2, 2, 0xFF),
    bytes(1, 0, 12, &C::Text),
    bits(1, 12, 1, 7, &C::Digit),
    bit(1, 12, 0, &C::Update),
    notBit(1, 13, 4, &C::Sel),
    textPresent(1, 13, 5, 12, &C::Text),
});

constexpr auto kMskStatusSections =
    std::to_array<Section>({{kMskStatusRx, 16}, {kMskStatusTx, 16}});
constexpr auto kMskStatusFields = std::to_array<Field>({
    bytes(0, 0, 12, &C::Text_Rx),
    bits(0, 12, 0, 4, &C::Beep),
    bit(0, 12, 5, &C::Horn),
    bit(0, 12, 6, &C::Sfunc),
    bit(0, 12, 7, &C::Auto),
    bytes(1, 0, 12, &C::Text_Tx),
    bit(1, 12, 0, &C::Rriority),
    bit(1, 12, 1, &C::Selection),
});

// Short texts and short data messages keep their selection bit in a
// separate 2-byte row.
constexpr Field selectedBit() { return bit(1, 0, 1, &C::Sel); }

constexpr auto kMskShortSections =
    std::to_array<Section>({{kMskShortText, 12}, {kMskShortTextSel, 2}});
constexpr auto kMskShortFields = std::to_array<Field>({bytes(0, 0, 12, &C::Text), selectedBit()});

// --- Digital lists (kinds 17-22).

constexpr auto kDigIndSections = std::to_array<Section>({{kDigInd, 16}});
constexpr auto kDigIndFields = std::to_array<Field>({
    number(0, 0, 4, &C::Id),
    bytes(0, 4, 12, &C::Text),
});

constexpr auto kDigTgSections = std::to_array<Section>({{kDigTg, 14}});
constexpr auto kDigTgFields = std::to_array<Field>({
    number(0, 0, 2, &C::Id),
    bytes(0, 2, 12, &C::Text),
});

constexpr auto kNacSections = std::to_array<Section>({kAbsolute, {kDigNacCh, 4}});
constexpr auto kNacFields = std::to_array<Field>({
    number(1, 0, 2, &C::RxNac),
    number(1, 2, 2, &C::TxNac),
    special(Coding::RowBit, G, kDigNacChSel, &C::Sel),
});

// An action number also writes its output group and state beside it.
constexpr std::array<Field, 3> actionFields(uint8_t s, int32_t action, int32_t group)
{
    return std::to_array<Field>({
        number(s, action, 1, &C::Action),
        special(Coding::ActionGroup, s, group, &C::Action),
        special(Coding::ActionState, s, group + 1, &C::Action),
    });
}

constexpr auto kDigStatusSections =
    std::to_array<Section>({{kDigStatusRx, 16}, {kDigStatusTx, 16}});
constexpr auto kDigStatusFields = join(std::to_array<Field>({
                                           bytes(0, 0, 12, &C::Text_Rx),
                                           bits(0, 12, 0, 4, &C::Beep),
                                           bit(0, 12, 4, &C::RX),
                                           bytes(1, 0, 12, &C::Text_Tx),
                                           bit(1, 12, 1, &C::Selection),
                                       }),
                                       actionFields(0, 15, 13));

// Encryption keys of both systems: one 16-bit key a row.
constexpr auto kDigKeySections = std::to_array<Section>({{kDigKey, 2}});
constexpr auto kDpmrKeySections = std::to_array<Section>({{kDpmrKey, 2}});
constexpr auto kKeyFields = std::to_array<Field>({number(0, 0, 2, &C::Key)});

constexpr auto kDigSdmSections = std::to_array<Section>({{kDigSdm, 12}, {kDigSdmSel, 2}});
constexpr auto kDigSdmFields = std::to_array<Field>({bytes(0, 0, 12, &C::Message), selectedBit()});

// --- dPMR lists (kinds 23-26).

constexpr auto kDpmrIdSections = std::to_array<Section>({{kDpmrId, 18}});
constexpr auto kDpmrIdFields = std::to_array<Field>({
    number(0, 0, 4, &C::Id),
    bytes(0, 4, 12, &C::Text),
    bits(0, 16, 1, 7, &C::InputDigit, 1),
    bit(0, 17, 7, &C::Id_Sel),
});

constexpr auto kDpmrStatusSections =
    std::to_array<Section>({{kDpmrStatusRx, 17}, {kDpmrStatusTx, 16}});
constexpr auto kDpmrStatusFields = join(std::to_array<Field>({
                                            bytes(0, 0, 12, &C::Text_Rx),
                                            bit(0, 12, 4, &C::RX),
                                            bits(0, 14, 6, 2, &C::Aud),
                                            bytes(1, 0, 12, &C::Text_Tx),
                                            bit(1, 12, 0, &C::TX),
                                            bit(1, 12, 1, &C::Selection),
                                            number(1, 13, 1, &C::Function),
                                            // The receive record keeps a copy.
                                            number(0, 16, 1, &C::Function, D::EncodeOnly),
                                        }),
                                        actionFields(0, 15, 13));

constexpr auto kDpmrSdmSections = std::to_array<Section>({{kDpmrSdm, 100}, {kDpmrSdmSel, 2}});
constexpr auto kDpmrSdmFields =
    std::to_array<Field>({bytes(0, 0, 100, &C::Message), selectedBit()});

// --- DTMF decode entries (kind 27).

constexpr auto kDtmfDecodeSections = std::to_array<Section>({{kDtmfDecode, kDtmfDecodeSize}});
constexpr auto kDtmfDecodeFields =
    join(join(std::to_array<Field>({
                  special(Coding::Nibbles, 0, 0, &C::Digits, 24),
                  bytes(0, 12, 24, &C::Text),
                  number(0, 37, 1, &C::Abc),
                  number(0, 42, 1, &C::Ack),
                  number(0, kDtmfDecodeDigitCount, 1, &C::DigitCount),
              }),
              codeFlagFields(0, 38)),
         actionFields(0, 41, 43));

// --- Channel switch table (kind 28).

constexpr auto kChSwitchSections = std::to_array<Section>({{kChSwitchTable, 1}});
constexpr auto kChSwitchFields = std::to_array<Field>({number(0, 0, 1, &C::Value)});

constexpr Layout make(int32_t rows, int first, int last, int flags,
                      std::span<const Section> sections, std::span<const Field> fields,
                      uint8_t specifics = kNone)
{
    return {rows, first, last, flags, sections, fields, specifics};
}

// The multi-table (kind 29) has no fixed rows: the set selection moves them,
// so the record handles it itself.
const std::array<Layout, datCh::kKinds> kLayouts = {
    make(0, 0, 0, 0, {}, {}),
    make(kChannels, 0, 31, 3, kChannelSections, kLmrChannelFields, kChannel | kDtmfRefresh),
    make(kChannels, 0, 31, 3, kChannelSections, kPmrChannelFields, kChannel | kDtmfRefresh),
    make(16, 0, 15, 3, kGlyphSections, kGlyphFields),
    make(11, 0, 10, 2, kDtmfSections, kDtmfFields),
    make(17, 0, 15, 2, kScanSections, kScanFields),
    make(40, 0, 39, 2, kTonePairSections, kTonePairFields),
    make(11, 1, 8, 2, kRxCodeSections, kRxCodeFields),
    make(32, 0, 31, 2, kTxCodeSections, kTxCodeFields),
    make(15, 0, 14, 0, kUserToneSections, kUserToneFields),
    make(11, 1, 10, 2, kTwoToneSections, kTwoToneFields),
    make(10, 0, 9, 2, {}, {}),
    make(1, 0, 0, 2, kBankSections, kBankFields),
    make(8, 0, 7, 2, kMskIdGroupSections, kMskIdGroupFields),
    make(32, 0, 31, 2, kMskCallSections, kMskCallFields),
    make(24, 0, 22, 2, kMskStatusSections, kMskStatusFields),
    make(8, 0, 7, 2, kMskShortSections, kMskShortFields),
    make(kListCapacity, 0, 499, 3, kDigIndSections, kDigIndFields),
    make(kListCapacity, 0, 499, 3, kDigTgSections, kDigTgFields),
    make(40, 0, 39, 2, kNacSections, kNacFields),
    make(100, 0, 99, 2, kDigStatusSections, kDigStatusFields),
    make(63, 0, 62, 2, kDigKeySections, kKeyFields),
    make(10, 0, 9, 2, kDigSdmSections, kDigSdmFields),
    make(kListCapacity, 0, 499, 3, kDpmrIdSections, kDpmrIdFields),
    make(32, 0, 31, 2, kDpmrStatusSections, kDpmrStatusFields),
    make(10, 0, 9, 2, kDpmrSdmSections, kDpmrSdmFields),
    make(32, 0, 31, 2, kDpmrKeySections, kKeyFields),
    make(kDtmfDecodeRows, 0, 9, 2, kDtmfDecodeSections, kDtmfDecodeFields, kDtmfRefresh),
    make(32, 0, 31, 2, kChSwitchSections, kChSwitchFields),
    make(16, 0, 15, 2, {}, {}),
};

} // namespace

const Layout &layoutOf(int kind)
{
    if (kind < 0 || kind >= datCh::kKinds)
        return kLayouts[0];
    return kLayouts[static_cast<std::size_t>(kind)];
}

} // namespace record_layout
