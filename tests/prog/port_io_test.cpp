#include "prog/port_io.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "prog/isp_instructions.h"
#include "support/files.h"
#include "support/programming_rig.h"

namespace qvt {
namespace {

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(PortIo, WithoutPortWritesNothingAndReadsZero) {
    PortIo io;
    io.PortWrite(0x378, 0x0C);
    EXPECT_EQ(io.PortRead(0x378), 0);
    EXPECT_EQ(io.PortRead(0x379), 0);
}

TEST(PortIo, TraceAppendsEveryAccessAndWait) {
    ScopedWorkingDir dir;
    WriteText("trace.txt", "earlier line\n");
    testing::ChipRig rig(8253);
    ASSERT_TRUE(rig.io.OpenTrace("trace.txt"));
    rig.link.sckDelay = 12;
    rig.link.SetLines(0x0C);
    rig.link.IspDelay(3000);
    rig.link.IspReadByte();
    rig.io.FlushTrace();

    const std::vector<std::string> lines = Lines("trace.txt");
    ASSERT_GE(lines.size(), 7u);
    EXPECT_EQ(lines[0], "earlier line");
    EXPECT_EQ(lines[1], "W 0378 0C");
    EXPECT_EQ(lines[2], "D 3000");
    EXPECT_EQ(lines[3], "R 0378 0C");  // the read-back of the data register
    EXPECT_EQ(lines[4], "W 0378 0E");  // SCK high
    EXPECT_EQ(lines[5], "R 0379 40");  // MISO idles high
    EXPECT_EQ(lines[6], "D 12");
}

TEST(PortIo, TraceOfAnEnableShowsTheAnswer) {
    ScopedWorkingDir dir;
    testing::ChipRig rig(8252);
    ASSERT_TRUE(rig.io.OpenTrace("trace.txt"));
    ASSERT_EQ(EnableProgramming8252(rig.link), 0x53);
    rig.io.FlushTrace();
    // The eight status reads of the answer carry 0x53 = 01010011, MSB first.
    std::string bits;
    for (const std::string& line : Lines("trace.txt")) {
        if (line.rfind("R 0379 ", 0) == 0)
            bits += line == "R 0379 40" ? '1' : '0';
    }
    EXPECT_EQ(bits, "01010011");
}

}  // namespace
}  // namespace qvt
