#pragma once

#include <string_view>

namespace tessarin::testing {

/// A data record of four words and the end record, as a HEX file.
inline constexpr std::string_view kWorkedExampleHex =
    ":080000000B1C0530022808006A\r\n:00000001FF\r\n";

/// The source generated from it, after the header's first line.
inline constexpr std::string_view kWorkedExampleSourceAfterLine1 =
    "\r\n"
    "\tLIST\tP=16F876, F=INHX8M\r\n"
    "\tinclude \"P16F876.inc\"\r\n"
    "\r\n"
    "     \tBTFSS\tINTCON,0\r\n"
    "     \tMOVLW\t0x05\r\n"
    "W0002\tGOTO\tW0002\r\n"
    "     \tRETURN\r\n"
    "     \tend\r\n";

}  // namespace tessarin::testing
