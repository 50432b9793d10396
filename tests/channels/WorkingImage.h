#pragma once

#include "image/cmcEeprom.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"

#include <cstdint>
#include <random>
#include <vector>

namespace channel_testing {

constexpr int32_t kWorkingSize = 110839;
constexpr int32_t kMain = 0xFF80;
constexpr int32_t kExtra = 0x109F6;

inline int32_t mainByte(int channel, int n) { return kMain + 34 * channel + n; }
inline int32_t extraByte(int channel, int n) { return kExtra + 36 * channel + n; }

// A zeroed working image of the full size.
struct WorkingImage {
    cmcEeprom image;
    WorkingImage() { image.SetSize(kWorkingSize); }

    void clear() { image.Fill(0); }
    std::vector<uint8_t> bytes() const
    {
        std::vector<uint8_t> all(static_cast<std::size_t>(kWorkingSize));
        image.ReadBlock(0, all.data(), kWorkingSize);
        return all;
    }
    void fillRandom(uint32_t seed)
    {
        std::mt19937 random(seed);
        for (int32_t a = 0; a < kWorkingSize; ++a)
            image.SetByte(a, static_cast<uint8_t>(random() & 0xFF));
    }
    void setWord(int32_t a, int value)
    {
        image.SetByte(a, static_cast<uint8_t>(value >> 8));
        image.SetByte(a + 1, static_cast<uint8_t>(value));
    }
    int word(int32_t a) const { return (image.GetByte(a) << 8) | image.GetByte(a + 1); }
    uint8_t at(int32_t a) const { return image.GetByte(a); }
    void set(int32_t a, uint8_t value) { image.SetByte(a, value); }
};

// Sets the model type for one test and puts the old one back.
class ScopedModelType
{
public:
    explicit ScopedModelType(int type) : saved_(environment().modelType)
    {
        environment().modelType = type;
    }
    ~ScopedModelType() { environment().modelType = saved_; }
    ScopedModelType(const ScopedModelType &) = delete;
    ScopedModelType &operator=(const ScopedModelType &) = delete;

private:
    int32_t saved_;
};

} // namespace channel_testing
