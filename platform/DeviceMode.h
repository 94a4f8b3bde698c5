// The printer's device settings (the fields of a Windows DEVMODE that the
// program uses) and the movable memory block that holds them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace zl {

// dmFields bits.
constexpr std::uint32_t DM_ORIENTATION = 0x00000001;
constexpr std::uint32_t DM_PAPERSIZE = 0x00000002;
constexpr std::uint32_t DM_PAPERLENGTH = 0x00000004;
constexpr std::uint32_t DM_PAPERWIDTH = 0x00000008;
constexpr std::uint32_t DM_COPIES = 0x00000100;
constexpr std::uint32_t DM_DEFAULTSOURCE = 0x00000200;
constexpr std::uint32_t DM_PRINTQUALITY = 0x00000400;
constexpr std::uint32_t DM_DUPLEX = 0x00001000;

constexpr std::int16_t DMORIENT_PORTRAIT = 1;
constexpr std::int16_t DMORIENT_LANDSCAPE = 2;
constexpr std::int16_t DMDUP_SIMPLEX = 1;
constexpr std::int16_t DMDUP_VERTICAL = 2;
constexpr std::int16_t DMDUP_HORIZONTAL = 3;
constexpr std::int16_t DMPAPER_USER = 256;

struct DeviceMode {
    std::string dmDeviceName;
    std::uint32_t dmFields = 0;
    std::int16_t dmOrientation = DMORIENT_PORTRAIT;
    std::int16_t dmPaperSize = 0;
    std::int16_t dmPaperLength = 0; // tenths of a millimetre
    std::int16_t dmPaperWidth = 0;  // tenths of a millimetre
    std::int16_t dmCopies = 1;
    std::int16_t dmDefaultSource = 0;
    std::int16_t dmPrintQuality = 0;
    std::int16_t dmDuplex = DMDUP_SIMPLEX;
    std::string dmFormName;
};

// A movable block holding one DeviceMode, with the lock count of the
// Windows global memory it stands for.
class DeviceModeBlock {
public:
    DeviceMode* Lock() {
        ++locks_;
        return &mode_;
    }
    void Unlock() {
        if (locks_ > 0)
            --locks_;
    }
    int LockCount() const { return locks_; }
    DeviceMode& Mode() { return mode_; }

private:
    DeviceMode mode_;
    int locks_ = 0;
};

// Null when there is no block.
using DeviceModeHandle = std::shared_ptr<DeviceModeBlock>;

} // namespace zl
