// Turning a channel-list request into its reply message, without sockets.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "ChannelData.h"

namespace listserver {

// Renders the reply a group gives: the channel list or its failure text.
// False when the message would not render (beyond the message limits).
bool BuildGroupReply(const Group& group, std::string& out);

// Bytes of each id that an unknown group's failure text echoes; longer ids
// are cut there and marked with "...", so the failure always renders.
const std::size_t kMaxEchoedId = 64;

// The failure reply for ids that no group holds.
std::string BuildUnknownGroupReply(const std::string& game, const std::string& sub);

// A well-formed message of another service and command (Go/Join), used to
// answer a request with something the client did not ask for.
std::string BuildOtherServiceReply(const std::string& game, const std::string& sub);

struct Answer {
    enum Kind { Ok, Failure, UnknownGroup };
    Kind kind = UnknownGroup;
    std::string game; // ids as received
    std::string sub;
    int channels = 0; // channels in the reply when Ok
    // The reply message text: the group's own (shared, never copied) or a
    // failure built for unknown ids. Never null after a successful answer.
    std::shared_ptr<const std::string> reply;
    Misbehaviour misbehaviour; // the group's own; None for an unknown group
};

// Answers one received request message. Returns false, with the reason, when
// the bytes are not a channel-list request: not a message, another service
// or command, or a game id or sub id missing.
bool AnswerRequest(const ChannelData& data, const char* text, std::size_t length, Answer& out,
                   std::string& reason);

// "ok 3 channels", "failure" or "failure unknown group", for the log.
std::string DescribeAnswer(const Answer& answer);

// Bytes made safe for one log line: printable ASCII stays, everything else
// (space, backslash, control and high bytes) becomes \xNN. At most
// maxBytes bytes are shown; a longer text ends with "...(N bytes)".
const std::size_t kLogTextBytes = 48;
std::string LogText(const std::string& bytes, std::size_t maxBytes = kLogTextBytes);

} // namespace listserver
