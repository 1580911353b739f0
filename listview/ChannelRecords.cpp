// Construction and copying of the channel-group and channel records.
#include "ChannelRecords.h"

#include <string.h>

CTsChannelGroupListData::CTsChannelGroupListData()
    : m_nMinRating(-1), m_nMaxRating(-1), m_nMinLevel(-1), m_nMaxLevel(-1) {
    m_szGroupId[0] = '\0';
    m_szGroupName[0] = '\0';
    m_szGrade[0] = '\0';
#if defined(PELTORA_REGION_CN)
    m_szListServerIp[0] = '\0';
    m_nListServerPort = -1;
#endif
}

CTsChannelGroupListData::~CTsChannelGroupListData() {}

CTsChannelListData::CTsChannelListData()
    : m_nPort(0), m_nMemberCnt(0), m_nMaxMember(0), m_nMaxRoom(0), m_nMaxRoomMembers(0),
      m_nMaxRoomViewers(0) {
    m_szChannelId[0] = '\0';
    m_szChannelName[0] = '\0';
    m_szIPAddress[0] = '\0';
    m_szSubId[0] = '\0';
}

CTsChannelListData::CTsChannelListData(const CTsChannelListData& src) {
    CopyFrom(src);
}

CTsChannelListData& CTsChannelListData::operator=(const CTsChannelListData& src) {
    if (this != &src)
        CopyFrom(src);
    return *this;
}

CTsChannelListData::~CTsChannelListData() {}

// Copies a text field whole (both have the same width) and terminates it,
// so a source field written without its NUL cannot run on.
template <size_t N> static void CopyArray(char (&dst)[N], const char (&src)[N]) {
    memcpy(dst, src, N);
    dst[N - 1] = '\0';
}

// Copies all ten fields.
void CTsChannelListData::CopyFrom(const CTsChannelListData& src) {
    CopyArray(m_szChannelId, src.m_szChannelId);
    CopyArray(m_szChannelName, src.m_szChannelName);
    CopyArray(m_szIPAddress, src.m_szIPAddress);
    m_nPort = src.m_nPort;
    m_nMemberCnt = src.m_nMemberCnt;
    m_nMaxMember = src.m_nMaxMember;
    m_nMaxRoom = src.m_nMaxRoom;
    m_nMaxRoomMembers = src.m_nMaxRoomMembers;
    m_nMaxRoomViewers = src.m_nMaxRoomViewers;
    CopyArray(m_szSubId, src.m_szSubId);
}
