#include "wizard/PrinterRules.h"

#include "resources/resource.h"

namespace printerpage {

int StoredPrinterRow(const std::vector<Text>& rows, const Text& printerName) {
    for (std::size_t row = rows.size(); row-- > 0;)
        if (rows[row] == printerName) return static_cast<int>(row);
    return -1;
}

int CheckPrinterPage(bool printerTicked, int selectedRow) {
    return printerTicked && selectedRow < 0 ? IDS_PRINTER_EMPTY : 0;
}

}  // namespace printerpage
