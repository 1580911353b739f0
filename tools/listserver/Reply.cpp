#include "Reply.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "KelpParser.h"

namespace listserver {

namespace {

// Every reply carries this header: mode 1, no target and no address.
std::unique_ptr<CKelpParser> NewMessage(const char* service, const char* command) {
    return std::make_unique<CKelpParser>(service, command, "", 1, "", 0);
}

bool AddText(CKelpParser& msg, const char* key, const std::string& value) {
    // Length 0 would mean "up to the NUL"; an empty value has none to find
    // beyond its end, so "" with 0 is the empty text.
    return msg.AddValue(key, value.empty() ? "" : value.data(), static_cast<int>(value.size())) !=
           0;
}

bool AddIndexed(CKelpParser& msg, const char* key, int index, const std::string& value) {
    char name[64];
    std::snprintf(name, sizeof name, "%s%d", key, index);
    return AddText(msg, name, value);
}

bool AddIndexed(CKelpParser& msg, const char* key, int index, int value) {
    char name[64];
    std::snprintf(name, sizeof name, "%s%d", key, index);
    return msg.AddValue(name, value) != 0;
}

bool Render(const CKelpParser& msg, std::string& out) {
    char* text = nullptr;
    int length = 0;
    if (!msg.GetURL(text, length)) {
        return false;
    }
    out.assign(text, static_cast<std::size_t>(length));
    return true;
}

bool AddChannel(CKelpParser& msg, int i, const Channel& c) {
    return AddIndexed(msg, G::keyChannelId, i, c.id) &&
           AddIndexed(msg, G::keyChannelName, i, c.name) &&
           AddIndexed(msg, G::keyIPAddress, i, c.address) &&
           AddIndexed(msg, G::keyPort, i, c.port) &&
           AddIndexed(msg, G::keyMemberCnt, i, c.members) &&
           AddIndexed(msg, G::keyMaxMember, i, c.maxMembers) &&
           AddIndexed(msg, G::keyMaxRoom, i, c.maxRooms) &&
           AddIndexed(msg, G::keyMaxRoomMembers, i, c.maxRoomMembers) &&
           AddIndexed(msg, G::keyMaxRoomViewers, i, c.maxRoomViewers);
}

std::string FailureReply(const std::string& text) {
    auto msg = NewMessage(G::serviceChannelList, G::commandGetChannelList);
    std::string out;
    AddText(*msg, G::keyResult, G::valueFailure);
    AddText(*msg, G::keyMessage, text);
    Render(*msg, out);
    return out;
}

// A value read as its bytes; false when the key is missing.
bool GetText(const CKelpParser& msg, const char* key, std::string& out) {
    char* text = nullptr;
    int length = 0;
    if (!msg.GetValue(key, text, length)) {
        return false;
    }
    out.assign(text, static_cast<std::size_t>(length));
    return true;
}

} // namespace

bool BuildGroupReply(const Group& group, std::string& out) {
    if (group.failed) {
        out = FailureReply(group.failure);
        return true;
    }
    auto msg = NewMessage(G::serviceChannelList, G::commandGetChannelList);
    bool ok = AddText(*msg, G::keyResult, G::valueSuccess) &&
              msg->AddValue(G::keyChannelNum, static_cast<int>(group.channels.size())) &&
              AddText(*msg, G::keyGameId, group.game) && AddText(*msg, G::keySubId, group.sub);
    for (std::size_t i = 0; ok && i < group.channels.size(); ++i) {
        ok = AddChannel(*msg, static_cast<int>(i + 1), group.channels[i]);
    }
    return ok && Render(*msg, out);
}

namespace {

std::string Echo(const std::string& id) {
    return id.size() <= kMaxEchoedId ? id : id.substr(0, kMaxEchoedId) + "...";
}

} // namespace

std::string BuildUnknownGroupReply(const std::string& game, const std::string& sub) {
    return FailureReply("This server has no channel group " + Echo(game) + " / " + Echo(sub) + ".");
}

std::string BuildOtherServiceReply(const std::string& game, const std::string& sub) {
    auto msg = NewMessage(G::serviceGo, G::commandGo);
    std::string out;
    AddText(*msg, G::keyGameId, game);
    AddText(*msg, G::keySubId, sub);
    AddText(*msg, G::keyResult, G::valueSuccess);
    Render(*msg, out);
    return out;
}

bool AnswerRequest(const ChannelData& data, const char* text, std::size_t length, Answer& out,
                   std::string& reason) {
    if (length == 0 || length > static_cast<std::size_t>(CKelpParser::kMaxMessageSize)) {
        reason = "not a message";
        return false;
    }
    CKelpParser msg(text, static_cast<int>(length), nullptr);
    if (!msg.IsValid()) {
        reason = "not a message";
        return false;
    }
    if (std::string(msg.GetService()) != G::serviceChannelList ||
        std::string(msg.GetCommand()) != G::commandGetChannelList) {
        reason = "service " + LogText(msg.GetService()) + " command " + LogText(msg.GetCommand());
        return false;
    }
    Answer a;
    if (!GetText(msg, G::keyGameId, a.game) || !GetText(msg, G::keySubId, a.sub)) {
        reason = "game id or sub id missing";
        return false;
    }
    const Group* group = data.Find(a.game, a.sub);
    if (group == nullptr) {
        a.kind = Answer::UnknownGroup;
        a.reply = std::make_shared<const std::string>(BuildUnknownGroupReply(a.game, a.sub));
    } else {
        a.kind = group->failed ? Answer::Failure : Answer::Ok;
        a.channels = static_cast<int>(group->channels.size());
        // The data outlives every answer: an owner-less pointer to its text.
        a.reply =
            std::shared_ptr<const std::string>(std::shared_ptr<const std::string>(), &group->reply);
        a.misbehaviour = group->misbehaviour;
    }
    out = std::move(a);
    return true;
}

std::string DescribeAnswer(const Answer& answer) {
    switch (answer.kind) {
    case Answer::Ok:
        return "ok " + std::to_string(answer.channels) + " channels";
    case Answer::Failure:
        return "failure";
    case Answer::UnknownGroup:
        break;
    }
    return "failure unknown group";
}

std::string LogText(const std::string& bytes, std::size_t maxBytes) {
    std::string out;
    const std::size_t shown = std::min(bytes.size(), maxBytes);
    for (std::size_t i = 0; i < shown; ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c > 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    if (shown < bytes.size()) {
        out += "...(" + std::to_string(bytes.size()) + " bytes)";
    }
    return out;
}

} // namespace listserver
