// The channel list server's data: channel groups keyed by (game id, sub id),
// each answering with a list of channels or a failure text, optionally with a
// misbehaviour, read from the text format described in docs/listserver.md.
#pragma once

#include <cstddef>
#include <istream>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace listserver {

// How the server departs from a normal answer (docs/listserver.md).
struct Misbehaviour {
    enum Mode {
        None,
        Refuse,        // reset the connection without answering
        Silent,        // read, never answer, keep the connection open
        CloseBefore,   // read, then close without answering
        CloseMiddle,   // send the first half of the reply frame, then close
        Garbage,       // send a frame that is not a message, then close
        Oversized,     // send a header announcing more than the frame limit, then close
        Burst,         // send the reply three times in one write
        Trickle,       // send the reply frame one byte per write
        OtherService,  // answer with another service and command
        Slow,          // answer after a delay
        Reset,         // send the reply, then reset the connection
        ReplyOversized // send the reply and an oversized header in one write, then close
    };
    Mode mode = None;
    int ms = 0; // Slow: delay before answering; Trickle: delay between bytes

    bool operator==(const Misbehaviour& o) const { return mode == o.mode && ms == o.ms; }
};

// Reads "refuse", "slow:200", ... ; false for an unknown name or a bad delay.
bool ParseMisbehaviour(const std::string& text, Misbehaviour& out);
// The name as written in the data file ("slow:200", "trickle" for 1 ms).
std::string MisbehaviourName(const Misbehaviour& m);

struct Channel {
    std::string id;
    std::string name; // bytes as sent, in the client's code page
    std::string address;
    int port = 0;
    int members = 0;
    int maxMembers = 0;
    int maxRooms = 0;
    int maxRoomMembers = 0;
    int maxRoomViewers = 0;
};

struct Group {
    std::string game;
    std::string sub;
    bool failed = false;
    std::string failure; // the failure text when failed
    std::vector<Channel> channels;
    Misbehaviour misbehaviour;
    int line = 0;      // line of the group header in the data file
    std::string reply; // the rendered reply message, built once after loading
};

class ChannelData {
public:
    // Null when no group has exactly these ids (case-sensitive).
    const Group* Find(const std::string& game, const std::string& sub) const;
    const std::vector<Group>& Groups() const { return m_groups; }

    // Reads a data file from in; fileName only labels errors. On failure
    // returns false with "FILE:LINE: message" in error and leaves *this
    // unchanged.
    bool Load(std::istream& in, const std::string& fileName, std::string& error);
    bool LoadFile(const std::string& path, std::string& error);

private:
    std::vector<Group> m_groups;
    std::map<std::pair<std::string, std::string>, std::size_t> m_index;
};

} // namespace listserver
