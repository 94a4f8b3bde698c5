// The page settings kept for the selected printer: paper, bin, orientation,
// copies, print quality, duplex and custom paper size, written into the
// printer's device settings.
#pragma once

#include "printing/DeviceSettings.h"

#include <cstdint>
#include <string>

namespace zl {

class PrinterSelector;

class PrinterSettings {
public:
    explicit PrinterSettings(PrinterSelector& owner) : selector_(owner) {}

    // The paper form: the device settings' when there are any; a write
    // matches the name against the printer's forms.
    std::string PaperSize() const;
    void SetPaperSize(const std::string& value);
    // The bin, the same way.
    std::string BinSource() const;
    void SetBinSource(const std::string& value);

    PaperOrientation Orientation() const { return orientation_; }
    void SetOrientation(PaperOrientation value);
    std::int32_t Copies() const { return copies_; }
    void SetCopies(std::int32_t value);
    std::int32_t PrintQuality() const { return printQuality_; }
    void SetPrintQuality(std::int32_t value);
    DuplexMode Duplex() const { return duplex_; }
    void SetDuplex(DuplexMode value);
    // Millimetres; only taken while the device settings' paper is
    // user-defined.
    double PaperWidth() const { return paperWidth_; }
    void SetPaperWidth(double value);
    double PaperLength() const { return paperLength_; }
    void SetPaperLength(double value);

    // The names as stored, whatever the device settings say.
    const std::string& PaperName() const { return paperName_; }
    const std::string& BinName() const { return binName_; }

    // Writes the settings into the current printer's device settings.
    void ApplyToDevice();

private:
    enum class Kind { Paper, Bin };
    std::string ReadChoice(Kind kind) const;
    void WriteChoice(Kind kind, const std::string& value);
    void SetCustomSize(double& field, double value);
    // Where the device settings differ from what is kept here, one side
    // takes the other's: the device's where the system's defaults are to
    // be used.
    void ApplyChoices(DeviceSettings& device);

    PrinterSelector& selector_;
    std::string paperName_;
    std::string binName_;
    std::int32_t copies_ = 1;
    PaperOrientation orientation_ = PaperOrientation::Portrait;
    std::int32_t printQuality_ = kHighQuality;
    DuplexMode duplex_ = DuplexMode::Simplex;
    double paperWidth_ = 0;
    double paperLength_ = 0;
    // The codes of the chosen form and bin.
    std::uint16_t paperCode_ = 0;
    std::uint16_t binCode_ = 0;
};

} // namespace zl
