// CTsCfgSetting: the client's configuration for the current site.
#pragma once

#include <string.h>

class CTsCfgSetting {
public:
    CTsCfgSetting() {
        memset(m_szSiteCode, 0, sizeof(m_szSiteCode));
        memset(m_szAdInfo, 0, sizeof(m_szAdInfo));
        memset(m_szAdUrl, 0, sizeof(m_szAdUrl));
    }

    char m_szSiteCode[4]; // site code, part of the catalogue's file name
    char m_szAdInfo[256]; // advertisement settings, see CTsTitleInfo::ApplyAdInformation
    char m_szAdUrl[256];  // address of the ad view; "None": no ad view
};
