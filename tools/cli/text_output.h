#pragma once

#include <string>
#include <utility>
#include <vector>

namespace cli {

using Fields = std::vector<std::pair<std::string, std::string>>;

// A UTF-8 text as a JSON string, quotes included.
std::string JsonString(const std::string& text);
// A CSV field, quoted only when it has to be.
std::string CsvField(const std::string& text);

// {"name":"...","caption":"..."}: every value a string.
std::string JsonObject(const Fields& fields);
// name=value pairs separated by two blanks, for reading.
std::string TextLine(const Fields& fields);

}  // namespace cli
