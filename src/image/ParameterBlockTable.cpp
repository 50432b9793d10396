#include "image/ParameterBlockTable.h"

#include "image/WorkingLayout.h"

#include <array>

namespace parameter_blocks {

namespace {

using enum Written;
using enum InitialFill;

// id, working offset, record size (or length), count (0: single block),
// when written, initial-file fill, initial length.
constexpr std::array kBlocks = {
    Block{2, 0xFF80, 34, 32, Always, Template, 0},
    Block{3, 0x109F6, 36, 32, Always, Template, 0},
    Block{4, 0xFF80, 34, 32, Channels, NotRead, 0},
    Block{5, 0x109F6, 36, 32, Channels, NotRead, 0},
    Block{6, 0x109D4, 32, 0, Always, Single, 32},
    Block{7, 0x103C0, 16, 0, Always, Single, 16},
    Block{8, 0x10E76, 189, 0, Always, Single, 189},
    Block{9, 0x10F33, 32, 0, Always, Single, 32},
    Block{10, 0x10F53, 24, 16, Always, Template, 0},
    Block{11, 0x110D3, 49, 16, Always, Template, 0},
    Block{12, 0x113E3, 128, 0, Always, Single, 128},
    Block{13, 0x11463, 12, 1, Always, Single, 12},
    Block{14, 0x1146F, 4, 40, Never, Template, 0},
    Block{15, 0x103D0, 4, 17, Always, Single, 68},
    Block{16, 0x1150F, 34, 17, Always, Single, 578},
    Block{17, 0x11751, 37, 11, Always, Records, 0},
    Block{18, 0x10414, 4, 32, Always, Records, 0},
    Block{19, 0x118E8, 14, 32, Always, Records, 0},
    Block{20, 0x11AA8, 44, 11, Always, Records, 0},
    Block{21, 0x11C8C, 8, 0, Always, Single, 8},
    Block{22, 0x11C94, 24, 2, Always, Records, 0},
    Block{23, 0x11CC4, 10, 0, Never, Single, 10},
    Block{24, 0x11FF6, 16, 0, Always, Single, 16},
    Block{25, 0x11FE6, 16, 0, Always, Single, 16},
    Block{26, 0x11E1E, 8, 0, Always, Single, 8},
    Block{27, 0x10494, 4, 32, Always, Template, 0},
    Block{28, 0x11E26, 14, 32, Always, Template, 0},
    Block{29, 0x11CCE, 42, 8, Always, Single, 336},
    Block{30, 0x12006, 16, 24, Always, Single, 384},
    Block{31, 0x12186, 16, 24, Always, Single, 384},
    Block{32, 0x10514, 12, 8, Always, Template, 0},
    Block{33, 0x12306, 2, 8, Always, Template, 0},
    Block{34, 0x12316, 16, 500, ModelType0, Template, 0},
    Block{35, 0x14258, 14, 500, ModelType0, Template, 0},
    Block{36, 0x163B3, 4, 40, Never, Template, 0},
    Block{37, 0x15DB6, 33, 0, ModelType0, Single, 33},
    Block{38, 0x15DD7, 500, 0, Never, Single, 500},
    Block{39, 0x16453, 500, 0, Never, Single, 500},
    Block{40, 0x1A514, 54, 10, Always, Records, 0},
    Block{41, 0x109F4, 2, 1, Always, Single, 2},
    Block{42, 0x16A2F, 16, 100, ModelType0, Single, 1600},
    Block{43, 0x1706F, 16, 100, ModelType0, Single, 1600},
    Block{44, 0x1A730, 32, 0, Always, Single, 32},
    Block{45, 0x1A750, 18, 0, Always, Single, 18},
    Block{46, 0x1A762, 1, 0, Always, Single, 1},
    Block{47, 0x1A763, 1, 0, Always, Single, 1},
    Block{48, 0x1A764, 39, 0, Always, Single, 39},
    Block{49, 0x1A78B, 96, 16, Always, Records, 0},
    Block{50, 0x1AD8B, 12, 1, Always, Records, 0},
    Block{51, 0x17719, 2, 63, ModelType0, Single, 126},
    Block{52, 0x17711, 2, 0, ModelType0, Single, 2},
    Block{53, 0x17713, 2, 0, ModelType0, Single, 2},
    Block{54, 0x17715, 2, 0, ModelType0, Single, 2},
    Block{55, 0x17717, 2, 0, ModelType0, Single, 2},
    Block{56, 0x10574, 12, 10, ModelType0, Template, 0},
    Block{57, 0x176F5, 2, 10, ModelType0, Template, 0},
    Block{58, 0x17709, 2, 0, ModelType0, Single, 2},
    Block{59, 0x176EF, 6, 0, ModelType0, Single, 6},
    Block{60, 0x176AF, 16, 2, Never, Single, 32},
    Block{61, 0x176CF, 16, 2, ModelType0, Single, 32},
    Block{62, 0x14256, 2, 0, ModelType0, Single, 2},
    Block{63, 0x15DB0, 6, 0, ModelType0, Single, 6},
    Block{64, 0x15FCB, 1000, 0, ModelType0, Single, 1000},
    Block{65, 0x16647, 1000, 0, ModelType0, Single, 1000},
    Block{66, 0x1770B, 4, 0, ModelType0, Single, 4},
    Block{67, 0x1770F, 2, 0, ModelType0, Single, 2},
    Block{68, 0x17797, 26, 0, ModelType0, Single, 26},
    Block{69, 0x177B1, 18, 500, ModelType1, Template, 0},
    Block{70, 0x19AD9, 2, 0, ModelType1, Single, 2},
    Block{71, 0x19ADB, 42, 0, ModelType1, Single, 42},
    Block{72, 0x19B05, 16, 32, ModelType1, Single, 512},
    Block{73, 0x19D05, 17, 32, ModelType1, Single, 544},
    Block{74, 0x19F25, 8, 0, ModelType1, Single, 8},
    Block{75, 0x19F2D, 6, 0, ModelType1, Single, 6},
    Block{76, 0x105EC, 100, 10, ModelType1, Template, 0},
    Block{77, 0x19F33, 2, 10, ModelType1, Template, 0},
    Block{78, 0x19F47, 2, 0, ModelType1, Single, 2},
    Block{79, 0x19F49, 2, 32, ModelType1, Single, 64},
    Block{80, 0x19F89, 12, 21, ModelType1, Records, 0},
    Block{81, 0x1A085, 58, 0, ModelType1, Single, 58},
    Block{82, 0x1A0BF, 29, 0, ModelType1, Single, 29},
    Block{83, 0x1A0DC, 1000, 0, ModelType1, Single, 1000},
    Block{84, 0x1A4C4, 2, 40, ModelType1, Template, 0},
};

} // namespace

std::span<const Block> all() { return kBlocks; }

const Block *find(int id)
{
    for (const Block &block : kBlocks) {
        if (block.id == id)
            return &block;
    }
    return nullptr;
}

int32_t recordsInUseWord(int id)
{
    switch (id) {
    case 34:
        return working_layout::kRecordsInUse34;
    case 35:
        return working_layout::kRecordsInUse35;
    case 69:
        return working_layout::kRecordsInUse69;
    default:
        return -1;
    }
}

} // namespace parameter_blocks
