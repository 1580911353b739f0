// Defaults, column replacement and copying of the two column settings.
#include "ListSettings.h"

#include <new>
#include "resource.h"

// Makes new column arrays holding copies of nCount widths and titles. On
// success stores them in pnWidth/pstrTitle and returns 1; on a failed
// allocation frees what was made and returns 0. The sources may be the
// arrays the new ones will replace: they are only read.
static int CloneColumns(int nCount, const int* pnSrcWidth, const CString* pstrSrcTitle,
                        int*& pnWidth, CString*& pstrTitle) {
    int* pnNewWidth = new (std::nothrow) int[nCount];
    CString* pstrNewTitle = new (std::nothrow) CString[nCount];
    if (pnNewWidth == NULL || pstrNewTitle == NULL) {
        delete[] pnNewWidth;
        delete[] pstrNewTitle;
        return 0;
    }
    for (int i = 0; i < nCount; i++) {
        pnNewWidth[i] = pnSrcWidth[i];
        pstrNewTitle[i] = pstrSrcTitle[i];
    }
    pnWidth = pnNewWidth;
    pstrTitle = pstrNewTitle;
    return 1;
}

// Replaces the column set (count, widths, titles) with a copy of the given
// one, allocating first so that a failure leaves the old set in force.
// Returns 1 on success, 0 when refused or out of memory.
static int ReplaceColumns(int& nColumnCount, int*& pnColumnWidth, CString*& pstrColumnTitle,
                          int nCount, const int* pnWidth, const CString* pstrTitle) {
    if (nCount <= 0 || pnWidth == NULL || pstrTitle == NULL)
        return 0;
    int* pnNewWidth = NULL;
    CString* pstrNewTitle = NULL;
    if (!CloneColumns(nCount, pnWidth, pstrTitle, pnNewWidth, pstrNewTitle))
        return 0;
    delete[] pnColumnWidth;
    delete[] pstrColumnTitle;
    nColumnCount = nCount;
    pnColumnWidth = pnNewWidth;
    pstrColumnTitle = pstrNewTitle;
    return 1;
}

// Gives a copy its own arrays; when they cannot be allocated the copy has
// no columns (count 0, null arrays), which the lists refuse to build.
static void CopyColumns(int& nColumnCount, int*& pnColumnWidth, CString*& pstrColumnTitle,
                        int nSrcCount, const int* pnSrcWidth, const CString* pstrSrcTitle) {
    nColumnCount = 0;
    pnColumnWidth = NULL;
    pstrColumnTitle = NULL;
    ReplaceColumns(nColumnCount, pnColumnWidth, pstrColumnTitle, nSrcCount, pnSrcWidth,
                   pstrSrcTitle);
}

// ---- CTsChannelGroupListSetting --------------------------------------------

CTsChannelGroupListSetting::CTsChannelGroupListSetting()
    : m_nColumnCount(0), m_pnColumnWidth(NULL), m_pstrColumnTitle(NULL) {
    InitPrototype();
}

CTsChannelGroupListSetting::CTsChannelGroupListSetting(const CTsChannelGroupListSetting& src)
    : m_clrText(src.m_clrText), m_clrTextBk(src.m_clrTextBk), m_clrBk(src.m_clrBk),
      m_clrSelText(src.m_clrSelText), m_clrSelTextBk(src.m_clrSelTextBk),
      m_clrSelBk(src.m_clrSelBk), m_clrDisabledText(src.m_clrDisabledText),
      m_clrDisabledTextBk(src.m_clrDisabledTextBk), m_clrDisabledBk(src.m_clrDisabledBk),
      m_rcWindow(src.m_rcWindow), m_nMargin(src.m_nMargin) {
    CopyColumns(m_nColumnCount, m_pnColumnWidth, m_pstrColumnTitle, src.m_nColumnCount,
                src.m_pnColumnWidth, src.m_pstrColumnTitle);
}

// Copies the columns first: when they cannot be copied nothing changes.
CTsChannelGroupListSetting&
CTsChannelGroupListSetting::operator=(const CTsChannelGroupListSetting& src) {
    if (this == &src)
        return *this;
    if (src.m_nColumnCount > 0 &&
        !ReplaceColumns(m_nColumnCount, m_pnColumnWidth, m_pstrColumnTitle, src.m_nColumnCount,
                        src.m_pnColumnWidth, src.m_pstrColumnTitle))
        return *this;
    m_clrText = src.m_clrText;
    m_clrTextBk = src.m_clrTextBk;
    m_clrBk = src.m_clrBk;
    m_clrSelText = src.m_clrSelText;
    m_clrSelTextBk = src.m_clrSelTextBk;
    m_clrSelBk = src.m_clrSelBk;
    m_clrDisabledText = src.m_clrDisabledText;
    m_clrDisabledTextBk = src.m_clrDisabledTextBk;
    m_clrDisabledBk = src.m_clrDisabledBk;
    m_rcWindow = src.m_rcWindow;
    m_nMargin = src.m_nMargin;
    return *this;
}

CTsChannelGroupListSetting::~CTsChannelGroupListSetting() {
    delete[] m_pnColumnWidth;
    delete[] m_pstrColumnTitle;
}

int CTsChannelGroupListSetting::SetColumns(int nCount, const int* pnWidth,
                                           const CString* pstrTitle) {
    return ReplaceColumns(m_nColumnCount, m_pnColumnWidth, m_pstrColumnTitle, nCount, pnWidth,
                          pstrTitle);
}

// One column, 210 pixels, titled with the group title of the string table.
void CTsChannelGroupListSetting::InitPrototype() {
    const int anWidth[1] = {210};
    CString astrTitle[1];
    astrTitle[0].LoadString(IDS_GROUP_TITLE);
    SetColumns(1, anWidth, astrTitle);

    m_clrText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_clrTextBk = ::GetSysColor(COLOR_WINDOW);
    m_clrBk = RGB(253, 247, 247);
    m_clrSelText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_clrSelTextBk = ::GetSysColor(COLOR_HIGHLIGHT);
    m_clrSelBk = ::GetSysColor(COLOR_HIGHLIGHT);
    m_clrDisabledText = RGB(125, 125, 125);
    m_clrDisabledTextBk = ::GetSysColor(COLOR_WINDOW);
    m_clrDisabledBk = RGB(253, 247, 247);
    ::SetRect(&m_rcWindow, 5, 119, 220, 593);
    m_nMargin = 0;
}

// ---- CTsChannelListSetting --------------------------------------------------

CTsChannelListSetting::CTsChannelListSetting()
    : m_nColumnCount(0), m_pnColumnWidth(NULL), m_pstrColumnTitle(NULL) {
    InitPrototype();
}

CTsChannelListSetting::CTsChannelListSetting(const CTsChannelListSetting& src)
    : m_clrText(src.m_clrText), m_clrTextBk(src.m_clrTextBk), m_clrBk(src.m_clrBk),
      m_clrSelText(src.m_clrSelText), m_clrSelTextBk(src.m_clrSelTextBk),
      m_clrSelBk(src.m_clrSelBk), m_rcWindow(src.m_rcWindow), m_nMargin(src.m_nMargin) {
    CopyColumns(m_nColumnCount, m_pnColumnWidth, m_pstrColumnTitle, src.m_nColumnCount,
                src.m_pnColumnWidth, src.m_pstrColumnTitle);
}

// Copies the columns first: when they cannot be copied nothing changes.
CTsChannelListSetting& CTsChannelListSetting::operator=(const CTsChannelListSetting& src) {
    if (this == &src)
        return *this;
    if (src.m_nColumnCount > 0 &&
        !ReplaceColumns(m_nColumnCount, m_pnColumnWidth, m_pstrColumnTitle, src.m_nColumnCount,
                        src.m_pnColumnWidth, src.m_pstrColumnTitle))
        return *this;
    m_clrText = src.m_clrText;
    m_clrTextBk = src.m_clrTextBk;
    m_clrBk = src.m_clrBk;
    m_clrSelText = src.m_clrSelText;
    m_clrSelTextBk = src.m_clrSelTextBk;
    m_clrSelBk = src.m_clrSelBk;
    m_rcWindow = src.m_rcWindow;
    m_nMargin = src.m_nMargin;
    return *this;
}

CTsChannelListSetting::~CTsChannelListSetting() {
    delete[] m_pnColumnWidth;
    delete[] m_pstrColumnTitle;
}

int CTsChannelListSetting::SetColumns(int nCount, const int* pnWidth, const CString* pstrTitle) {
    return ReplaceColumns(m_nColumnCount, m_pnColumnWidth, m_pstrColumnTitle, nCount, pnWidth,
                          pstrTitle);
}

// Three columns: channel name 120, current users 42, capacity 42 pixels.
void CTsChannelListSetting::InitPrototype() {
    const int anWidth[3] = {120, 42, 42};
    CString astrTitle[3];
    astrTitle[0].LoadString(IDS_CHANNEL_NAME_TITLE);
    astrTitle[1].LoadString(IDS_CUR_MEMBERS_TITLE);
    astrTitle[2].LoadString(IDS_MAX_MEMBERS_TITLE);
    SetColumns(3, anWidth, astrTitle);

    m_clrText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_clrTextBk = ::GetSysColor(COLOR_WINDOW);
    m_clrBk = RGB(240, 243, 250);
    m_clrSelText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_clrSelTextBk = ::GetSysColor(COLOR_HIGHLIGHT);
    m_clrSelBk = RGB(163, 198, 237);
    ::SetRect(&m_rcWindow, 220, 119, 450, 593);
    m_nMargin = 0;
}
