#pragma once
#include "framework/Status.h"

class QPrinter;

namespace qv {

class WRanking;

// The document title the print spooler shows for a ranking.
extern const char* const kRankingDocName;

// Prints the table of a ranking window on one page, all text black: the
// title, the headings and every row, at the size the window shows them
// (smaller when the table would be wider than the page). A failed status
// when the printer cannot start.
fw::Status PrintRanking(QPrinter& printer, const WRanking& window);

}  // namespace qv
