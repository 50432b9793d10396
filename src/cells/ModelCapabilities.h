#pragma once

// What the radio model can do, as the conditional lines of the common
// settings pages ask it. In this model family only three answers vary: the
// variant (LMR for model type 0, PMR for model type 1), whether the digital
// function is switched on in the working image, and whether the maker mode
// is on. The defaults read them from the installed model object; tests give
// a sheet answers of their own.
class ModelCapabilities
{
public:
    // The digital function switch: bit 4 of this byte of the working image.
    static constexpr int kDigitalFunctionByte = 0x10E97;
    static constexpr unsigned kDigitalFunctionBit = 0x10;

    virtual ~ModelCapabilities() = default;

    virtual bool IsLmr() const;
    virtual bool IsPmr() const;
    virtual bool IsQsig() const { return false; }
    virtual bool HasMdc() const { return false; }
    virtual bool HasP25() const { return false; }
    virtual bool HasLtr() const { return false; }
    virtual bool IsMobile() const { return false; }
    virtual bool IsHandheld() const { return false; }
    // Both variants are repeaters.
    virtual bool IsRepeater() const { return IsLmr() || IsPmr(); }
    virtual bool DigitalEnabled() const;
    virtual bool MakerMode() const;

    // The answers of the installed model object.
    static const ModelCapabilities &Installed();
};
