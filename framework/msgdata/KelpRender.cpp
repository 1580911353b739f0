// Rendering a CKelpParser message as text (GetURL).
#include "KelpFormat.h"
#include "KelpParserImpl.h"
#include "NumberText.h"
#include "PercentCodec.h"

#include <algorithm>

using msgdata::PercentCodec;

namespace {

// Appends "name=" and the escaped text.
void AppendField(std::string& out, const char* name, const std::string& text) {
    out += name;
    out += msgdata::kKeySep;
    PercentCodec::Message().Append(out, text.data(), text.size());
}

} // namespace

// Writes the header, the values and the data block into url. Stops as soon
// as the text grows past the size limit, so a huge message never takes more
// than a bounded amount of memory here.
bool CKelpParser::Impl::Render() {
    const std::size_t limit = static_cast<std::size_t>(kMaxMessageSize);
    const PercentCodec& codec = PercentCodec::Message();
    url.clear();
    url.reserve(std::min(limit, 64 + contentBytes + 2 * items.size()));

    url += msgdata::kMagic;
    AppendField(url, msgdata::kHeaderNames[msgdata::kService], service);
    url += msgdata::kPairSep;
    AppendField(url, msgdata::kHeaderNames[msgdata::kCommand], command);
    url += msgdata::kPairSep;
    AppendField(url, msgdata::kHeaderNames[msgdata::kTarget], target);
    url += msgdata::kPairSep;
    url += msgdata::kHeaderNames[msgdata::kMode];
    url += msgdata::kKeySep;
    msgdata::AppendInteger(url, mode);
    url += msgdata::kPairSep;
    AppendField(url, msgdata::kHeaderNames[msgdata::kIPAddress], ipAddress);
    url += msgdata::kPairSep;
    url += msgdata::kHeaderNames[msgdata::kPort];
    url += msgdata::kKeySep;
    msgdata::AppendInteger(url, port);
    url += msgdata::kPairSep;
    url += msgdata::kHeaderNames[msgdata::kEncrypted];
    url += msgdata::kKeySep;
    url += encrypted ? '1' : '0';
    url += msgdata::kPairSep;
    url += msgdata::kHeaderNames[msgdata::kCount];
    url += msgdata::kKeySep;
    msgdata::AppendInteger(url, items.size());

    for (std::size_t i = 0; i < items.size() && url.size() <= limit; ++i) {
        url += i == 0 ? msgdata::kItemsStart : msgdata::kPairSep;
        codec.Append(url, items[i].Key(), items[i].keyLength);
        url += msgdata::kKeySep;
        codec.Append(url, items[i].value, items[i].length);
    }
    if (!data.empty() && url.size() <= limit) {
        url += msgdata::kDataStart;
        codec.Append(url, data.data(), data.size());
    }
    url += msgdata::kEnd;

    if (url.size() > limit) {
        std::string().swap(url);
        return false;
    }
    urlFresh = true;
    return true;
}
