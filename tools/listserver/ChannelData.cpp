#include "ChannelData.h"

#include <cstdlib>
#include <fstream>
#include <limits>
#include <string>

#include "FrameBuffer.h"
#include "KelpParser.h"
#include "Reply.h"

namespace listserver {

namespace {

// A generator makes at most this many channels; far more would not fit in
// one reply frame anyway (a reply of 20,000 channels with short names is
// about 3.8 MB of the 4 MiB limit).
const long long kMaxGenerated = 20000;

// The frame limit is the message limit: every reply that renders can travel.
static_assert(CTsFrameBuffer::kDefaultLimit ==
                  static_cast<std::size_t>(CKelpParser::kMaxMessageSize),
              "the frame limit and the message limit must agree");
// Longest delay a misbehaviour may ask for, in milliseconds.
const long long kMaxDelayMs = 600000;

struct ModeName {
    const char* name;
    Misbehaviour::Mode mode;
};

const ModeName kModes[] = {
    {"refuse", Misbehaviour::Refuse},
    {"silent", Misbehaviour::Silent},
    {"close-before", Misbehaviour::CloseBefore},
    {"close-middle", Misbehaviour::CloseMiddle},
    {"garbage", Misbehaviour::Garbage},
    {"oversized", Misbehaviour::Oversized},
    {"burst", Misbehaviour::Burst},
    {"trickle", Misbehaviour::Trickle},
    {"other-service", Misbehaviour::OtherService},
    {"slow", Misbehaviour::Slow},
    {"reset", Misbehaviour::Reset},
    {"reply-oversized", Misbehaviour::ReplyOversized},
};

const int kDefaultTrickleMs = 1;

// Whole text as a decimal integer within [lo, hi]: optional '-', digits.
bool ParseInt(const std::string& s, long long lo, long long hi, long long& out) {
    std::size_t i = (!s.empty() && s[0] == '-') ? 1 : 0;
    if (i == s.size() || s.size() - i > 12) {
        return false;
    }
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') {
            return false;
        }
        v = v * 10 + (s[i] - '0');
    }
    if (s[0] == '-') {
        v = -v;
    }
    if (v < lo || v > hi) {
        return false;
    }
    out = v;
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string Trim(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) {
        return std::string();
    }
    std::size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

// Splits on '|' that is not part of an escape; pieces are trimmed but not
// yet decoded, so that an escaped space at either end survives.
std::vector<std::string> SplitFields(const std::string& raw) {
    std::vector<std::string> fields;
    std::string cur;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size()) {
            cur += raw[i];
            cur += raw[++i];
        } else if (raw[i] == '|') {
            fields.push_back(Trim(cur));
            cur.clear();
        } else {
            cur += raw[i];
        }
    }
    fields.push_back(Trim(cur));
    return fields;
}

// Whitespace-separated words, used for the ids of a group line.
std::vector<std::string> SplitWords(const std::string& raw) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < raw.size()) {
        std::size_t b = raw.find_first_not_of(" \t", i);
        if (b == std::string::npos) {
            break;
        }
        std::size_t e = raw.find_first_of(" \t", b);
        if (e == std::string::npos) {
            e = raw.size();
        }
        words.push_back(raw.substr(b, e - b));
        i = e;
    }
    return words;
}

// Expands generator patterns: {n} is the index, {nnn} the index padded
// with zeros to three digits (as many digits as there are n's, up to 9).
std::string ExpandPattern(const std::string& raw, long long index) {
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size()) {
            out += raw[i];
            out += raw[++i];
            continue;
        }
        if (raw[i] == '{') {
            std::size_t j = i + 1;
            while (j < raw.size() && raw[j] == 'n') {
                ++j;
            }
            std::size_t width = j - i - 1;
            if (width >= 1 && width <= 9 && j < raw.size() && raw[j] == '}') {
                std::string digits = std::to_string(index);
                if (digits.size() < width) {
                    out.append(width - digits.size(), '0');
                }
                out += digits;
                i = j;
                continue;
            }
        }
        out += raw[i];
    }
    return out;
}

class Reader {
public:
    Reader(const std::string& fileName) : m_file(fileName) {}

    bool Read(std::istream& in, std::vector<Group>& groups, std::string& error);

private:
    bool Fail(const std::string& message) {
        m_error = m_file + ":" + std::to_string(m_line) + ": " + message;
        return false;
    }
    bool Decode(const std::string& raw, const char* what, std::string& out);
    bool Number(const std::string& raw, const char* what, long long lo, long long hi,
                long long& out);
    bool Line(const std::string& text);
    bool GroupLine(const std::string& rest);
    bool ChannelLine(const std::string& rest);
    bool GenerateLine(const std::string& rest);
    bool FailLine(const std::string& rest);
    bool MisbehaveLine(const std::string& rest);
    bool Limits(const std::vector<std::string>& f, std::size_t from, Channel& c);
    bool InGroup(const char* keyword);
    bool AddChannels();
    bool Finish();

    std::string m_file;
    int m_line = 0;
    std::string m_error;
    std::vector<Group> m_groups;
    std::map<std::pair<std::string, std::string>, int> m_seen; // ids -> line
};

bool Reader::Decode(const std::string& raw, const char* what, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            out += raw[i];
            continue;
        }
        if (i + 1 == raw.size()) {
            return Fail(std::string(what) + ": '\\' at the end");
        }
        char c = raw[++i];
        if (c == '\\' || c == '|') {
            out += c;
        } else if (c == 'x' && i + 2 < raw.size() && HexDigit(raw[i + 1]) >= 0 &&
                   HexDigit(raw[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(raw[i + 1]) * 16 + HexDigit(raw[i + 2]));
            i += 2;
        } else {
            return Fail(std::string(what) + ": bad escape '\\" + std::string(1, c) +
                        "' (use \\\\, \\| or \\xNN)");
        }
    }
    return true;
}

bool Reader::Number(const std::string& raw, const char* what, long long lo, long long hi,
                    long long& out) {
    if (!ParseInt(raw, lo, hi, out)) {
        return Fail(std::string(what) + " '" + raw + "' is not an integer from " +
                    std::to_string(lo) + " to " + std::to_string(hi));
    }
    return true;
}

bool Reader::InGroup(const char* keyword) {
    if (m_groups.empty()) {
        return Fail(std::string("'") + keyword + "' before the first 'group' line");
    }
    return true;
}

bool Reader::Line(const std::string& text) {
    std::string line = Trim(text);
    if (line.empty() || line[0] == '#') {
        return true;
    }
    std::size_t end = line.find_first_of(" \t");
    std::string keyword = line.substr(0, end);
    std::string rest = end == std::string::npos ? std::string() : Trim(line.substr(end));
    if (keyword == "group") {
        return GroupLine(rest);
    }
    if (keyword == "channel") {
        return ChannelLine(rest);
    }
    if (keyword == "generate") {
        return GenerateLine(rest);
    }
    if (keyword == "fail") {
        return FailLine(rest);
    }
    if (keyword == "misbehave") {
        return MisbehaveLine(rest);
    }
    return Fail("unknown keyword '" + keyword +
                "' (expected group, channel, generate, fail or misbehave)");
}

bool Reader::GroupLine(const std::string& rest) {
    if (!Finish()) {
        return false;
    }
    std::vector<std::string> words = SplitWords(rest);
    if (words.size() != 2) {
        return Fail("'group' takes a game id and a sub id, got " + std::to_string(words.size()) +
                    " words");
    }
    Group g;
    g.line = m_line;
    if (!Decode(words[0], "game id", g.game) || !Decode(words[1], "sub id", g.sub)) {
        return false;
    }
    auto found = m_seen.find({g.game, g.sub});
    if (found != m_seen.end()) {
        return Fail("group " + words[0] + " " + words[1] + " already defined on line " +
                    std::to_string(found->second));
    }
    m_seen[{g.game, g.sub}] = m_line;
    m_groups.push_back(std::move(g));
    return true;
}

// Fields from index `from`: port, members, max members, max rooms, max
// room members, max room viewers.
bool Reader::Limits(const std::vector<std::string>& f, std::size_t from, Channel& c) {
    const long long lo = std::numeric_limits<int>::min();
    const long long hi = std::numeric_limits<int>::max();
    long long v[6];
    if (!Number(f[from], "port", 0, 65535, v[0]) || !Number(f[from + 1], "members", lo, hi, v[1]) ||
        !Number(f[from + 2], "max members", lo, hi, v[2]) ||
        !Number(f[from + 3], "max rooms", lo, hi, v[3]) ||
        !Number(f[from + 4], "max room members", lo, hi, v[4]) ||
        !Number(f[from + 5], "max room viewers", lo, hi, v[5])) {
        return false;
    }
    c.port = static_cast<int>(v[0]);
    c.members = static_cast<int>(v[1]);
    c.maxMembers = static_cast<int>(v[2]);
    c.maxRooms = static_cast<int>(v[3]);
    c.maxRoomMembers = static_cast<int>(v[4]);
    c.maxRoomViewers = static_cast<int>(v[5]);
    return true;
}

bool Reader::AddChannels() {
    Group& g = m_groups.back();
    if (g.failed) {
        return Fail("group " + LogText(g.game) + " " + LogText(g.sub) +
                    " already has a 'fail' line; a group lists channels or fails, not both");
    }
    return true;
}

bool Reader::ChannelLine(const std::string& rest) {
    if (!InGroup("channel") || !AddChannels()) {
        return false;
    }
    std::vector<std::string> f = SplitFields(rest);
    if (f.size() != 9) {
        return Fail("'channel' takes 9 fields separated by '|' (id | name | address | port | "
                    "members | max members | max rooms | max room members | max room viewers), "
                    "got " +
                    std::to_string(f.size()));
    }
    Channel c;
    if (!Decode(f[0], "channel id", c.id) || !Decode(f[1], "channel name", c.name) ||
        !Decode(f[2], "address", c.address) || !Limits(f, 3, c)) {
        return false;
    }
    if (c.id.empty()) {
        return Fail("empty channel id");
    }
    m_groups.back().channels.push_back(std::move(c));
    return true;
}

bool Reader::GenerateLine(const std::string& rest) {
    if (!InGroup("generate") || !AddChannels()) {
        return false;
    }
    std::vector<std::string> f = SplitFields(rest);
    if (f.size() != 10) {
        return Fail("'generate' takes 10 fields separated by '|' (count | id pattern | name "
                    "pattern | address | first port | members or * | max members | max rooms | "
                    "max room members | max room viewers), got " +
                    std::to_string(f.size()));
    }
    long long count = 0;
    if (!Number(f[0], "count", 1, kMaxGenerated, count)) {
        return false;
    }
    // Check the fields once with index 1; the members field '*' spreads the
    // counts over 0..max members so that sorting by count is visible.
    bool spread = f[5] == "*";
    if (spread) {
        f[5] = "0";
    }
    Channel first;
    if (!Decode(f[3], "address", first.address) || !Limits(f, 4, first)) {
        return false;
    }
    if (first.port + count - 1 > 65535) {
        return Fail("ports " + f[4] + " + " + std::to_string(count) + " channels pass 65535");
    }
    std::string unused;
    if (!Decode(f[1], "id pattern", unused) || !Decode(f[2], "name pattern", unused)) {
        return false;
    }
    for (long long i = 1; i <= count; ++i) {
        Channel c = first;
        Decode(ExpandPattern(f[1], i), "id pattern", c.id);
        Decode(ExpandPattern(f[2], i), "name pattern", c.name);
        if (c.id.empty()) {
            return Fail("empty channel id");
        }
        c.port = static_cast<int>(first.port + i - 1);
        if (spread) {
            long long range = first.maxMembers > 0 ? first.maxMembers + 1LL : 1;
            c.members = static_cast<int>((i * 37) % range);
        }
        m_groups.back().channels.push_back(std::move(c));
    }
    return true;
}

bool Reader::FailLine(const std::string& rest) {
    if (!InGroup("fail")) {
        return false;
    }
    Group& g = m_groups.back();
    if (g.failed) {
        return Fail("second 'fail' line in group " + LogText(g.game) + " " + LogText(g.sub));
    }
    if (!g.channels.empty()) {
        return Fail("group " + LogText(g.game) + " " + LogText(g.sub) +
                    " already lists channels; a group lists channels or fails, not both");
    }
    if (!Decode(rest, "failure text", g.failure)) {
        return false;
    }
    g.failed = true;
    return true;
}

bool Reader::MisbehaveLine(const std::string& rest) {
    if (!InGroup("misbehave")) {
        return false;
    }
    Group& g = m_groups.back();
    if (g.misbehaviour.mode != Misbehaviour::None) {
        return Fail("second 'misbehave' line in group " + LogText(g.game) + " " + LogText(g.sub));
    }
    if (!ParseMisbehaviour(rest, g.misbehaviour)) {
        return Fail("unknown misbehaviour '" + rest +
                    "' (refuse, silent, close-before, close-middle, garbage, oversized, burst, "
                    "trickle[:MS], other-service, slow:MS, reset)");
    }
    return true;
}

// Renders the reply of the last group, which must fit in one frame.
bool Reader::Finish() {
    if (m_groups.empty()) {
        return true;
    }
    Group& g = m_groups.back();
    if (!BuildGroupReply(g, g.reply) || g.reply.size() > CTsFrameBuffer::kDefaultLimit) {
        m_line = g.line;
        return Fail("the reply of group " + LogText(g.game) + " " + LogText(g.sub) +
                    " does not fit in one frame of " +
                    std::to_string(CTsFrameBuffer::kDefaultLimit) + " bytes");
    }
    return true;
}

bool Reader::Read(std::istream& in, std::vector<Group>& groups, std::string& error) {
    std::string text;
    while (std::getline(in, text)) {
        ++m_line;
        if (!text.empty() && text.back() == '\r') {
            text.pop_back();
        }
        if (!Line(text)) {
            error = m_error;
            return false;
        }
    }
    if (in.bad()) {
        m_error = m_file + ": read error";
        error = m_error;
        return false;
    }
    if (!Finish()) {
        error = m_error;
        return false;
    }
    groups = std::move(m_groups);
    return true;
}

} // namespace

bool ParseMisbehaviour(const std::string& text, Misbehaviour& out) {
    std::size_t colon = text.find(':');
    std::string name = text.substr(0, colon);
    for (const ModeName& m : kModes) {
        if (name != m.name) {
            continue;
        }
        Misbehaviour result;
        result.mode = m.mode;
        bool timed = m.mode == Misbehaviour::Slow || m.mode == Misbehaviour::Trickle;
        if (colon == std::string::npos) {
            // slow needs its delay; trickle has a default.
            if (m.mode == Misbehaviour::Slow) {
                return false;
            }
            result.ms = m.mode == Misbehaviour::Trickle ? kDefaultTrickleMs : 0;
        } else {
            long long ms = 0;
            if (!timed || !ParseInt(text.substr(colon + 1), 0, kMaxDelayMs, ms)) {
                return false;
            }
            result.ms = static_cast<int>(ms);
        }
        out = result;
        return true;
    }
    return false;
}

std::string MisbehaviourName(const Misbehaviour& m) {
    for (const ModeName& n : kModes) {
        if (n.mode != m.mode) {
            continue;
        }
        if (m.mode == Misbehaviour::Slow ||
            (m.mode == Misbehaviour::Trickle && m.ms != kDefaultTrickleMs)) {
            return std::string(n.name) + ":" + std::to_string(m.ms);
        }
        return n.name;
    }
    return "none";
}

const Group* ChannelData::Find(const std::string& game, const std::string& sub) const {
    auto it = m_index.find({game, sub});
    return it == m_index.end() ? nullptr : &m_groups[it->second];
}

bool ChannelData::Load(std::istream& in, const std::string& fileName, std::string& error) {
    std::vector<Group> groups;
    Reader reader(fileName);
    if (!reader.Read(in, groups, error)) {
        return false;
    }
    m_groups = std::move(groups);
    m_index.clear();
    for (std::size_t i = 0; i < m_groups.size(); ++i) {
        m_index[{m_groups[i].game, m_groups[i].sub}] = i;
    }
    return true;
}

bool ChannelData::LoadFile(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot open";
        return false;
    }
    return Load(in, path, error);
}

} // namespace listserver
