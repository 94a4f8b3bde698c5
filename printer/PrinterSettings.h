// The page settings kept for the selected printer: paper, bin, orientation,
// copies, print quality, duplex and custom paper size, written into the
// printer's device mode.
#pragma once

#include <cstdint>
#include <string>

namespace zl {

class PrinterSelector;

enum class PaperOrientation { Portrait = 0, Landscape = 1 };
enum class DuplexMode { Simplex = 0, LongEdge = 1, ShortEdge = 2 };

class PrinterSettings {
public:
    explicit PrinterSettings(PrinterSelector& owner) : selector_(owner) {}

    // The paper form: reads the device mode's when it has one; a write
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
    // Millimetres; only taken while the device mode's paper is user-defined.
    double PaperWidth() const { return paperWidth_; }
    void SetPaperWidth(double value);
    double PaperLength() const { return paperLength_; }
    void SetPaperLength(double value);

    // The names as stored, whatever the device mode says.
    const std::string& PaperName() const { return paperName_; }
    const std::string& BinName() const { return binName_; }

    // Writes the settings into the current printer's device mode.
    void ApplyToDeviceMode();

private:
    enum class Kind { Paper, Bin };
    std::string ReadChoice(Kind kind) const;
    void WriteChoice(Kind kind, const std::string& value);
    void SetCustomSize(double& field, double value);

    PrinterSelector& selector_;
    std::string paperName_;
    std::string binName_;
    std::int32_t copies_ = 1;
    PaperOrientation orientation_ = PaperOrientation::Portrait;
    std::int32_t printQuality_ = -4;
    DuplexMode duplex_ = DuplexMode::Simplex;
    double paperWidth_ = 0;
    double paperLength_ = 0;
};

} // namespace zl
