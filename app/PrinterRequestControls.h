// The options panel's controls for what a listing asks of the printer:
// Copies, Two-sided, Paper and Tray, each with its caption. Paper and Tray
// list, after "Printer default" (nothing asked), the current printer's
// forms and bins that a PCL listing can ask for: those with a PCL number.
// A choice the user made, or that was stored, stays while the printer
// offers it and comes back with a printer that does.
#pragma once

#include "engine/ListingOptions.h"

class QSettings;

namespace zl {

class MainWindow;
class ScaledLayout;
struct PrinterDevice;

// Makes the controls into `window`'s members, in its options panel, placed
// by `layout`.
void CreateRequestControls(MainWindow& window, ScaledLayout& layout);

// Lists the forms and bins of `printer` (none: nothing but "Printer
// default") in Paper and Tray; for a printer that names neither (a raw
// queue, PCL File), the papers and trays a listing asks a PCL printer for.
void ListPrinterChoices(MainWindow& window, const PrinterDevice* printer);

// What the controls ask of the printer: nothing for 1 copy, "None" and
// "Printer default".
PrinterRequests RequestsOf(const MainWindow& window);

// The controls' values as `stored` holds them, each only when the control
// can take it; a paper or tray is taken once a printer offers it.
void RestoreRequestControls(MainWindow& window, const QSettings& stored);
void SaveRequestControls(const MainWindow& window, QSettings& stored);

} // namespace zl
