#pragma once

#include <QString>

// The Markdown table of which firmware files each entry of the programming
// menu programs, for chip 8252 and for the 8253's single and network
// editions, followed by a line naming the entries the menu never offers.
// Made from the firmware catalogue and its menu rules, so the table shows
// what the menu offers in each of these states.
QString FirmwareTable();
