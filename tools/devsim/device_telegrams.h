#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "devsim/sim_options.h"

namespace devsim {

// Width of the value field of a form: 8 characters (form 27), 9 (form 28), 6 (short).
std::size_t ValueWidth(Form form);

// The value field of the n-th telegram (n from 1): the given values in turn,
// the form's default, or the running number; right-aligned, cut to the
// field's width.
std::string ValueField(const Options& options, long number);

// The bytes the device sends as its n-th telegram at the given local time.
// Long forms: "DD.MM.YY hh:mm:ss", the value field, the unit character, CR,
// and for form 27 a trailing LF. Short form: the value field and CR. With
// `crlf` every form ends in CR LF. With `zeros`, zero bytes are mixed in,
// which the PC must ignore.
std::vector<std::uint8_t> DeviceTelegram(const Options& options, long number, const std::tm& now);

}  // namespace devsim
