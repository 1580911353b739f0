// ITsJoinValidator: the question the group list asks its notify window for
// every row it draws: may the signed-in user enter this channel group?
// The channel-list window implements it next to its CWnd base.
#pragma once

class CTsChannelGroupListData;

class ITsJoinValidator {
public:
    // 1 when the user may enter the group, else 0. Must not change state.
    virtual int IsJoinValidate(CTsChannelGroupListData* group) = 0;

protected:
    virtual ~ITsJoinValidator() {}
};
