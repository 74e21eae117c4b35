#pragma once

#include <cstddef>
#include <string>

#include "trend/model/trend_history.h"

namespace qvt {

// The collected values as a CSV file for German spreadsheets: UTF-8 with a
// byte order mark (without it a spreadsheet takes the bytes for the Windows
// code page), ';' between fields, a decimal comma, CR LF line ends. The
// header is "Zeit;Wert;Einheit;Telegramm"; each row has the local time of
// reception as TT.MM.JJJJ hh:mm:ss,zzz, the value as the device showed it
// (empty when the telegram held no number), the unit and the telegram text
// on one line (a CR that a short telegram carries along becomes a blank).
// Every field of a row is quoted: a spreadsheet's import that also splits at
// commas (as Calc's does unless told otherwise) then keeps "12,34" as one
// number and a telegram holding a comma as one text.
std::string TrendCsvHeader();
std::string TrendCsvRow(const TrendSample& sample);
// Header and rows of the kept telegrams from `first` on.
std::string TrendCsv(const TrendHistory& history, std::size_t first = 0);

// `value` with `decimals` digits after a decimal comma, without grouping, as
// the device shows it; no minus sign before a value that rounds to zero.
std::string GermanDecimal(double value, int decimals);

}  // namespace qvt
