// Fixed parts of the message text, shared by reading and rendering.
// Internal to msgdata; docs/protocol.md describes the format.
#pragma once

namespace msgdata {

// Every message starts with this and ends with kEnd.
const char kMagic[] = "KELP/1 ";
const char kEnd = ';';
const char kItemsStart = '?'; // before the first keyed value
const char kDataStart = '#';  // before the data block
const char kPairSep = '&';    // between two fields or two values
const char kKeySep = '=';     // between a name and its value

// Header field names, in the one order they are written and read.
enum HeaderField { kService, kCommand, kTarget, kMode, kIPAddress, kPort, kEncrypted, kCount };
const int kHeaderFieldCount = 8;
const char* const kHeaderNames[kHeaderFieldCount] = {"svc", "cmd",  "tgt", "mode",
                                                     "ip",  "port", "enc", "n"};

} // namespace msgdata
