#pragma once

#include <QString>

class TForm1;

// The Markdown table of which firmware files each entry of the programming
// menu programs, for chip 8252 and for the 8253's single and network
// editions, followed by a line naming the entries the menu never offers.
// Switches the window's chip type and edition through its own menu commands,
// so the table shows what the menu does.
QString FirmwareTable(TForm1& form);
