// The texts of the protocol names. They travel in every message: changing
// one breaks every peer, so they only ever grow.
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

} // namespace

namespace G {

const char* const keyGameId = kGameId;
const char* const keyChannelId = kChannelId;
const char* const keyChannelName = kChannelName;
const char* const keyChannelNum = kChannelNum;
const char* const keySubId = kSubId;
const char* const keyIPAddress = kIPAddress;
const char* const keyPort = kPort;
const char* const keyMemberCnt = kMemberCnt;
const char* const keyMaxMember = kMaxMember;
const char* const keyMinMember = kMinMember;
const char* const keyMaxRoom = kMaxRoom;
const char* const keyMaxRoomMembers = kMaxRoomMembers;
const char* const keyMaxRoomViewers = kMaxRoomViewers;
const char* const keyRating = kRating;
const char* const keyRatingMove = kRatingMove;
const char* const keyRandomRoomEnter = kRandomRoomEnter;
const char* const keyResult = kResult;
const char* const keyMessage = kMessage;

const char* const serviceChannelList = "ChannelList";
const char* const commandGetChannelList = "GetChannelList";
const char* const serviceGo = "Go";
const char* const commandGo = "Join";

const char* const valueSuccess = "OK";
const char* const valueFailure = "FAIL";

const char* const allKeys[] = {kGameId,         kChannelId, kChannelName, kChannelNum,
                               kSubId,          kIPAddress, kPort,        kMemberCnt,
                               kMaxMember,      kMinMember, kMaxRoom,     kMaxRoomMembers,
                               kMaxRoomViewers, kRating,    kRatingMove,  kRandomRoomEnter,
                               kResult,         kMessage,   nullptr};

} // namespace G
