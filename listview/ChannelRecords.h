// The records the two lists show: one channel group of the catalogue and
// one channel of a channel-list reply. Plain fixed-width text and 32-bit
// numbers; fill the text fields only with TsCopyField, which bounds every
// copy to the field's width.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>
#include "PeltoraApi.h"
#include "TsCopyField.h"

// One channel group (a row of the group list). The identifier "EMPTY"
// marks a separator row.
class PELTORA_API CTsChannelGroupListData {
public:
    CTsChannelGroupListData();
    virtual ~CTsChannelGroupListData();

    char m_szGroupId[11];   // identifier, the row's label; becomes the window's sub id
    char m_szGroupName[53]; // display name drawn in the row
    int m_nMinRating;       // lowest game rating admitted
    int m_nMaxRating;       // highest game rating admitted; 0 or less: no upper bound
    int m_nMinLevel;        // lowest user level admitted; 0: no lower bound
    int m_nMaxLevel;        // highest user level admitted; 0: no upper bound
#if defined(PELTORA_REGION_CN)
    char m_szListServerIp[52]; // address of this group's channel-list server; "" none
    int m_nListServerPort;     // its port; -1 none
#endif
    char m_szGrade[4]; // grade code: "A" admits all, else only that grade
};

// One channel of a channel-list reply (a row of the channel list).
class PELTORA_API CTsChannelListData {
public:
    CTsChannelListData();
    CTsChannelListData(const CTsChannelListData& src);
    CTsChannelListData& operator=(const CTsChannelListData& src);
    virtual ~CTsChannelListData();

    char m_szChannelId[31];   // identifier, the row's label; sent when joining
    char m_szChannelName[51]; // display name drawn in column 0
    char m_szIPAddress[51];   // address of the channel's server, as text
    int m_nPort;              // port of the channel's server
    int m_nMemberCnt;         // users now in the channel (column 1)
    int m_nMaxMember;         // capacity of the channel (column 2)
    int m_nMaxRoom;           // rooms of the channel, passed on when joining
    int m_nMaxRoomMembers;    // players per room, passed on when joining
    int m_nMaxRoomViewers;    // viewers per room, passed on when joining
    char m_szSubId[31];       // sub id of the reply; empty: the window's current one

private:
    void CopyFrom(const CTsChannelListData& src);
};

// The channel-list window's owning lists of records.
typedef CTypedPtrList<CPtrList, CTsChannelGroupListData*> CTsGroupRecordList;
typedef CTypedPtrList<CPtrList, CTsChannelListData*> CTsChannelRecordList;
