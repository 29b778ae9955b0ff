#pragma once
// The rules of the wizard's default printer page, apart from its controls.
#include <cstddef>
#include <vector>

#include "framework/Text.h"

namespace printerpage {

// The row to select for the stored printer: the last row whose text equals
// the name exactly (case-sensitive, whole text), or -1 when none does.
int StoredPrinterRow(const std::vector<Text>& rows, const Text& printerName);

// The check of Next: the printer ticked with no row selected (-1) fails
// with message 156 (focus on the check box). String-table id, 0 otherwise.
int CheckPrinterPage(bool printerTicked, int selectedRow);

}  // namespace printerpage
