// The texts of the protocol names. They travel in every message: changing
// one breaks every peer, so they only ever grow. Each is a const array (in
// read-only storage); the host's char* globals point at them (see the
// header), and nothing writes through those pointers.
#include "ProtocolKeys.h"

namespace {

constexpr char kGameId[] = "GameId";
constexpr char kChannelId[] = "ChId";
constexpr char kChannelName[] = "ChName";
constexpr char kChannelNum[] = "ChNum";
constexpr char kSubId[] = "SubId";
constexpr char kIPAddress[] = "IP";
constexpr char kPort[] = "Port";
constexpr char kMemberCnt[] = "MemCnt";
constexpr char kMaxMember[] = "MaxMem";
constexpr char kMinMember[] = "MinMem";
constexpr char kMaxRoom[] = "MaxRoom";
constexpr char kMaxRoomMembers[] = "MaxRoomMem";
constexpr char kMaxRoomViewers[] = "MaxRoomView";
constexpr char kRating[] = "Rating";
constexpr char kRatingMove[] = "RatingMove";
constexpr char kRandomRoomEnter[] = "RandRoom";
constexpr char kResult[] = "Result";
constexpr char kMessage[] = "Msg";

constexpr char kServiceChannelList[] = "ChannelList";
constexpr char kCommandGetChannelList[] = "GetChannelList";
constexpr char kServiceGo[] = "Go";
constexpr char kCommandGo[] = "Join";

constexpr char kValueSuccess[] = "OK";
constexpr char kValueFailure[] = "FAIL";

} // namespace

namespace G {

// The texts are only read through these (const_cast gives the host the
// declared type; see the header).
char* keyGameId = const_cast<char*>(kGameId);
char* keyChannelId = const_cast<char*>(kChannelId);
char* keyChannelName = const_cast<char*>(kChannelName);
char* keyChannelNum = const_cast<char*>(kChannelNum);
char* keySubId = const_cast<char*>(kSubId);
char* keyIPAddress = const_cast<char*>(kIPAddress);
char* keyPort = const_cast<char*>(kPort);
char* keyMemberCnt = const_cast<char*>(kMemberCnt);
char* keyMaxMember = const_cast<char*>(kMaxMember);
char* keyMinMember = const_cast<char*>(kMinMember);
char* keyMaxRoom = const_cast<char*>(kMaxRoom);
char* keyMaxRoomMembers = const_cast<char*>(kMaxRoomMembers);
char* keyMaxRoomViewers = const_cast<char*>(kMaxRoomViewers);
char* keyRating = const_cast<char*>(kRating);
char* keyRatingMove = const_cast<char*>(kRatingMove);
char* keyRandomRoomEnter = const_cast<char*>(kRandomRoomEnter);
char* keyResult = const_cast<char*>(kResult);
char* keyMessage = const_cast<char*>(kMessage);

char* serviceChannelList = const_cast<char*>(kServiceChannelList);
char* commandGetChannelList = const_cast<char*>(kCommandGetChannelList);
char* serviceGo = const_cast<char*>(kServiceGo);
char* commandGo = const_cast<char*>(kCommandGo);

char* valueSuccess = const_cast<char*>(kValueSuccess);
char* valueFailure = const_cast<char*>(kValueFailure);

const char* const allKeys[] = {kGameId,         kChannelId, kChannelName, kChannelNum,
                               kSubId,          kIPAddress, kPort,        kMemberCnt,
                               kMaxMember,      kMinMember, kMaxRoom,     kMaxRoomMembers,
                               kMaxRoomViewers, kRating,    kRatingMove,  kRandomRoomEnter,
                               kResult,         kMessage,   nullptr};

} // namespace G
