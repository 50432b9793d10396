#pragma once

#include "channels/ToneSetting.h"

#include <array>
#include <cstdint>

class cmcEeprom;
class MultiTableSelection;
struct MultiTableShadows;

// The one decoded form of a row of any list in the working image: memory
// channels, the bank, scan lists, tone and code tables, ID lists, messages,
// keys, the channel switch table and the multi-table. Cells and block
// operations decode a row, change members and commit; nothing else touches
// the list areas. Members are raw stored numbers; only those of the kind last
// decoded mean anything, the others read 0.
//
// A plain value: copies carry every member and the bindings (image,
// multi-table state), never ownership.
class datCh
{
public:
    // Record kinds. Kinds 1 and 2 are the memory channel of the two model
    // types; kind 0 decodes and encodes nothing.
    static constexpr int kKinds = 30;
    static constexpr int kKindNone = 0;
    static constexpr int kKindChannelLmr = 1;
    static constexpr int kKindChannelPmr = 2;
    static constexpr int kKindScanList = 5;
    static constexpr int kKindBank = 12;
    static constexpr int kKindDigInd = 17;
    static constexpr int kKindDigTg = 18;
    static constexpr int kKindDpmrId = 23;
    static constexpr int kKindDtmfDecode = 27;
    static constexpr int kKindMultiTable = 29;
    // Status bits.
    static constexpr uint8_t kUsed = 0x01;
    static constexpr uint8_t kPresent = 0x02;
    // Bits of the attribute byte (priority designations and bank flags).
    static constexpr uint8_t kAttrA = 0x01;
    static constexpr uint8_t kAttrB = 0x02;
    static constexpr uint8_t kAttrE = 0x04;
    static constexpr uint8_t kAttrEOff = 0x08;
    static constexpr uint8_t kAttrSmarTrunk = 0x10;
    static constexpr uint8_t kAttrLtr = 0x20;
    // Highest frequency a channel can hold, in hertz.
    static constexpr int32_t kMaxFrequency = 799999950;

    using Text12 = std::array<uint8_t, 12>;
    using Text24 = std::array<uint8_t, 24>;
    using Bytes4 = std::array<uint8_t, 4>;
    using Glyph = std::array<uint8_t, 49>;
    using Message100 = std::array<uint8_t, 100>;
    using RealPair = std::array<double, 2>;

    explicit datCh(cmcEeprom *workingImage = nullptr);

    // The memory channel kind of the current model type (0 for an unknown one).
    static int channelKind();
    // First, last index and flag bits of a kind as the sheets use them.
    static int firstIndex(int kind);
    static int lastIndex(int kind);
    static int kindFlags(int kind);

    // The multi-table rows read the set selection and keep their shadows in
    // the model object; it installs both once for every record made later.
    static void installMultiTable(MultiTableShadows *shadows, MultiTableSelection *selection);
    void bindMultiTable(MultiTableShadows *shadows, MultiTableSelection *selection);
    void bind(cmcEeprom *workingImage) { image = workingImage; }

    void reset();
    void decode(int recordKind, int row);
    // Kind 0 encodes as the record's own kind.
    void encode(int recordKind, int row);
    void reload() { decode(kind, index); }
    // Encode then decode, so that clamped and derived values show at once.
    void commit();

    // After a frequency edit: a channel whose two frequencies are equal takes
    // the colour code of its raster position. True when the warning about a
    // changed colour code is due (it changed on a channel in use that sends
    // digital signalling); the caller shows it.
    bool applyDefaultColourCode();
    static int32_t defaultColourCode(int32_t hertz);

    bool isUsed() const { return (status & kUsed) != 0; }
    bool isPresent() const { return (status & kPresent) != 0; }
    void setUsed(bool on);
    uint8_t attributes() const;
    void setAttributes(uint8_t bits);

    // Banks: consecutive runs of the channel list. This model has bank 0
    // only; a channel at or beyond its count falls into a bank 1 that holds
    // nothing and whose flags read 0.
    int bankOfChannel(int channel) const;
    int bankChannelCount(int bank) const;
    void setBankChannelCount(int bank, int count);
    int bankFirstChannel(int bank) const;
    int bankUsedChannels(int bank);
    // Position (from the bank's first channel) after its last used channel.
    int bankUsedEnd(int bank);
    bool bankSmarTrunk(int bank) const;
    bool setBankSmarTrunk(int bank, bool on);
    bool bankLtr(int bank) const;
    bool setBankLtr(int bank, bool on);

    // Records in use of the growing lists (kinds 17, 18, 23); 0 for others.
    int listCount(int recordKind) const;
    void setListCount(int recordKind, int count);
    void incrementListCount(int recordKind);
    void decrementListCount(int recordKind);

    // Channels in use among first..last of the model's channel kind, or -1
    // for a range outside 0..31 or reversed.
    int usedChannelCount(int first, int last);

    int32_t kind = 0;
    int32_t index = 0;
    cmcEeprom *image = nullptr;
    uint8_t status = kUsed;
    MultiTableShadows *shadows = nullptr;
    MultiTableSelection *selection = nullptr;

    // Memory channel.
    int32_t AtrA = 0;
    int32_t AtrB = 0;
    int32_t AtrE = 0;
    int32_t AtrEOff = 0;
    int32_t BankSmarTrunk = 0;
    int32_t BankLtr = 0;
    int32_t Inh = 0;
    int32_t TxInh = 0;
    int32_t OperationMode = 0;
    int32_t FreqR = 0;
    int32_t FreqT = 0;
    ToneSetting CToneR;
    ToneSetting CToneT;
    int32_t Nar = 0;
    int32_t Compander = 0;
    int32_t AutoChScan = 0;
    int32_t PwrSave = 0;
    int32_t Tot = 0;
    int32_t TotRepeat = 0;
    int32_t RfPo = 0;
    int32_t Lockout = 0;
    int32_t RxMultiTableNo = 0;
    int32_t Scan = 0;
    int32_t ScanInc = 0;
    int32_t ScanListNo = 0;
    int32_t ScanListSel = 0;
    int32_t AutoReset = 0;
    int32_t Log = 0;
    int32_t Moni = 0;
    int32_t Sel = 0;
    int32_t Call = 0;
    int32_t Ptt = 0;
    int32_t ChMute = 0;
    int32_t RptMode = 0;
    int32_t ScrmOn = 0;
    int32_t ScrmType = 0;
    int32_t ScrmCode = 0;
    int32_t Form = 0;
    int32_t Pos = 0;
    int32_t RptC = 0;
    int32_t RptL = 0;
    int32_t StnC = 0;
    int32_t StnL = 0;
    int32_t IdC = 0;
    int32_t IdL = 0;
    int32_t RxCNo = 0;
    int32_t RxCNoDtmf = 0;
    int32_t DtmfDec = 0;
    int32_t SqlTight = 0;
    int32_t MskSig = 0;
    int32_t MskSendStatus = 0;
    int32_t MskRptOff = 0;
    int32_t SignalingType = 0;
    int32_t DigSig = 0;
    int32_t SqlType = 0;
    int32_t FastMute = 0;
    int32_t Strapped = 0;
    int32_t RxNac = 0;
    int32_t TxNac = 0;
    // 32-bit numbers hold the stored bit pattern; read them as uint32_t.
    int32_t UnitId = 0;
    int32_t IndList = 0;
    int32_t TgList = 0;
    int32_t EncryptionNo = 0;
    int32_t DpmrSqlType = 0;
    int32_t DpmrTxCc = 0;
    // Packed BCD identity, first stored byte in the top 8 bits.
    int32_t DpmrUnitId = 0;
    int32_t DpmrCallList = 0;
    int32_t DpmrTgList = 0;
    int32_t DpmrEncryptionNo = 0;
    int32_t CwidOn = 0;
    int32_t CwidOffset = 0;

    // Texts shared by the lists; a list uses the first bytes it stores.
    Text24 Text{};
    Text12 Text_Rx{};
    Text12 Text_Tx{};
    Message100 Message{};

    // User character glyphs (kind 3).
    Text24 Glyph24{};
    Glyph Glyph49{};

    // DTMF memories and decode entries (kinds 4, 27): one digit code a byte.
    Text24 Digits{};
    int32_t DigitCount = 0;

    // Scan lists (kind 5).
    int32_t ScanMode = 0;
    int32_t Prio1_CH = 0;
    int32_t Prio2_CH = 0;
    int32_t TX_CH = 0;
    int32_t TalkBack = 0;
    int32_t TX_Action = 0;
    int32_t Cancel_CH = 0;
    int32_t DispText = 0;
    // The channels the options name when they select a specific channel.
    int32_t TxChNo = 0;
    int32_t Prio1ChNo = 0;
    int32_t Prio2ChNo = 0;

    // 5-tone and 2-tone codes (kinds 7, 8, 10, 27).
    Bytes4 Code{};
    // Carried through unchanged; its meaning is not settled.
    int32_t Byte28 = 0;
    int32_t Abc = 0;
    int32_t Beep = 0;
    int32_t Aud = 0;
    int32_t Sfunc = 0;
    int32_t IdDec = 0;
    int32_t Bell = 0;
    int32_t Exo = 0;
    int32_t AutoTx = 0;
    int32_t Stun = 0;
    int32_t EmerCancel = 0;
    int32_t Rpt = 0;
    // The digit value that stands for any digit (read into every code row).
    int32_t GroupCode = 0;
    int32_t InputDigit = 0;
    int32_t Update = 0;
    int32_t AbcDec = 0;
    int32_t AbcAud = 0;
    int32_t GroupCall = 0;
    int32_t ANS = 0;
    RealPair RxFreq_1st{};
    RealPair RxFreq_2nd{};
    double TxFreq_1st = 0;
    double TxFreq_2nd = 0;
    double Period_1st = 0;
    double Period_2nd = 0;
    int32_t Code_Type = 0;

    // User tones (kind 9).
    int32_t Encode = 0;
    int32_t Dec_Low = 0;
    int32_t Dec_High = 0;

    // MSK lists (kinds 13-16).
    int32_t Adr = 0;
    int32_t Alert = 0;
    int32_t Digit = 0;
    int32_t Horn = 0;
    int32_t Auto = 0;
    int32_t Rriority = 0;
    int32_t Selection = 0;

    // ID lists, status messages, keys (kinds 17-26).
    int32_t Id = 0;
    int32_t Id_Sel = 0;
    int32_t RX = 0;
    int32_t TX = 0;
    int32_t Action = 0;
    int32_t Ack = 0;
    // Second status record's byte 13 (fixed status entries use 2..5).
    int32_t Function = 0;
    int32_t Key = 0;

    // Channel switch table (kind 28).
    int32_t Value = 0;

    // Multi-table (kind 29): a decode and an encode entry, each either a tone
    // (type 0) or a one-byte value (type 1).
    int32_t DecodeType = 0;
    ToneSetting DecodeTone;
    int32_t DecodeValue = 0;
    int32_t EncodeType = 0;
    ToneSetting EncodeTone;
    int32_t EncodeValue = 0;

private:
    void finishChannelDecode();
    // Image offset of the current multi-table row in the selected set, or -1.
    int32_t multiTableRow() const;
    void decodeMultiTable();
    void encodeMultiTable();
    template <class Visit>
    void forEachBankChannel(int bank, Visit visit);
};
