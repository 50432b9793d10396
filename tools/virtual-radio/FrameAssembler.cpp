#include "FrameAssembler.h"

namespace vradio {

bool FrameAssembler::push(std::uint8_t byte)
{
    if (byte == 0xFE) {
        building_.assign(1, 0xFE);
        return false;
    }
    if (building_.empty())
        return false;
    if (byte == 0xFD) {
        frame_.swap(building_);
        building_.clear();
        return true;
    }
    if (building_.size() >= kMaxFrame) {
        building_.clear();
        return false;
    }
    building_.push_back(byte);
    return false;
}

void FrameAssembler::reset()
{
    building_.clear();
    frame_.clear();
}

} // namespace vradio
