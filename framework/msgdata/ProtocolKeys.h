// Protocol names shared by every program that speaks the message format:
// item keys, services, commands and well-known values. Always compare and
// build with these globals, never with literal copies of their texts.
//
// An indexed key is a key text followed at once by a decimal index from 1
// ("%s%d"). No key text ends in a digit, so an indexed key never equals
// another key or another key's indexed form.
#pragma once

#include "MsgDataApi.h"

namespace G {

// Item keys.
extern MSGDATA_API const char* const keyGameId;
extern MSGDATA_API const char* const keyChannelId;
extern MSGDATA_API const char* const keyChannelName;
extern MSGDATA_API const char* const keyChannelNum;
extern MSGDATA_API const char* const keySubId;
extern MSGDATA_API const char* const keyIPAddress;
extern MSGDATA_API const char* const keyPort;
extern MSGDATA_API const char* const keyMemberCnt;
extern MSGDATA_API const char* const keyMaxMember;
extern MSGDATA_API const char* const keyMinMember;
extern MSGDATA_API const char* const keyMaxRoom;
extern MSGDATA_API const char* const keyMaxRoomMembers;
extern MSGDATA_API const char* const keyMaxRoomViewers;
extern MSGDATA_API const char* const keyRating;
extern MSGDATA_API const char* const keyRatingMove;
extern MSGDATA_API const char* const keyRandomRoomEnter;
extern MSGDATA_API const char* const keyResult;
extern MSGDATA_API const char* const keyMessage;

// Services and their commands.
extern MSGDATA_API const char* const serviceChannelList;
extern MSGDATA_API const char* const commandGetChannelList;
extern MSGDATA_API const char* const serviceGo;
extern MSGDATA_API const char* const commandGo;

// Values of keyResult.
extern MSGDATA_API const char* const valueSuccess;
extern MSGDATA_API const char* const valueFailure;

// Every key above, for callers that check or list them; ends with a null.
extern MSGDATA_API const char* const allKeys[];

} // namespace G
