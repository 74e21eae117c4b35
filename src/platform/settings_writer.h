#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/cable_choice.h"

namespace qvt {

// The text of QVT410.INI with [serial] COM<portNumber> (1..6) set to device.
// Every other byte stays as it is: other keys, sections, comments (a comment
// behind the old value too), blank lines and the file's line ends. A missing
// key is added at the end of its section, a missing section at the end. The
// value is written so that the settings reader gets the same path back, blanks,
// commas and semicolons included.
std::string WithSerialDevice(std::string_view ini, int portNumber, const std::string& device);
// The same for any key of any section.
std::string WithIniValue(std::string_view ini, const std::string& section, const std::string& key,
                         const std::string& value);

// Makes that change to the file at path (created when missing) so that a crash
// leaves either the old file or the new one: the new text goes to a temporary
// file beside it, is synced, and replaces the old one by a rename. Empty on
// success; otherwise the message that says why not.
std::string WriteSerialDevice(const std::string& path, int portNumber, const std::string& device);
// The same for [cable] type, device and pins, all in one replacement.
std::string WriteCable(const std::string& path, const CableChoice& cable);
std::string WriteIniValues(const std::string& path, const std::string& section,
                           const std::vector<std::pair<std::string, std::string>>& values);

}  // namespace qvt
