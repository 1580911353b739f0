// Resource ids of the plug-in's string tables. Every text the window shows
// comes from these tables; each configuration carries an English table and a
// table in its own language.
#pragma once

#define IDS_CAPTION 17900            // caption of every message box
#define IDS_INVALID_GAMESTRING 17901 // the start record's game string does not parse
#define IDS_CONNECT_FAILED 17902     // the channel-list server cannot be reached
#define IDS_LIST_FONT_FACE 17903     // face name of the list font
#define IDS_GROUP_TITLE 17904        // title of the channel-group column
#define IDS_CHANNEL_NAME_TITLE 17905 // title of the channel-name column
#define IDS_MAX_MEMBERS_TITLE 17906  // title of the capacity column
#define IDS_CUR_MEMBERS_TITLE 17907  // title of the current-users column
#define IDS_LOADING 17909            // splash while the window loads
#define IDS_GROUP_REFUSED 17910      // the user's rating or title may not enter a group
#define IDS_CONNECTING 17911         // splash while connecting to the server
#define IDS_RECEIVING 17912          // splash while the channel list is received
#define IDS_TOTAL_MEMBERS 17913      // total users line, formatted with one %d
#define IDS_AUTOJOIN 17914           // splash of the automatic join
#define IDS_CONTINUE_PLAY 17915      // question: return to the room of the last game?
