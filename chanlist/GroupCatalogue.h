// The channel-group catalogue and the admission rule as plain functions:
// no window, no file, no registry. The window's GetChannelGroupInfo reads
// the catalogue file and calls these on what it read.
//
// Catalogue file: an INI file "<game id in lower case><site code>.tsg" in
// the client's directory (fallback "<game id>tsd.tsg"). Its section is the
// game's category code; "NUM" counts the groups and keys "1".."NUM" hold
// one group each, as a comma-separated line:
//
//   id,name,min rating,max rating,min level,max level[,ignored...],grade
//
// The text after the last comma is always the grade code; the fields before
// it fill positions 1 to 6 in order, and positions not given keep the
// record's defaults (empty text, -1). A line without a comma is a group
// with every default. Where groups name their own channel-list servers
// (TsRegion::kGroupServers), positions 7 and 8 are the server's address,
// packed with CEncodeToWeb, and its port.
#pragma once

#include <afxwin.h>

#include <TsGameRecord.h>
#include <TsMember.h>

#include "ChannelRecords.h"

// Largest "NUM" a catalogue may give; larger counts read this many groups.
// Each key read costs a file read and a record, and a damaged or hostile
// catalogue could otherwise ask for billions of them.
const int TS_MAX_CATALOGUE_GROUPS = 1000;

// Longest catalogue line read, in bytes (the profile read's buffer holds
// this and the NUL).
const int TS_CATALOGUE_LINE_SIZE = 260;

// Fills group from one catalogue line (null counts as empty). Texts are cut
// to their field's width on a character boundary; numbers convert like
// atoi, with values beyond 32 bits clamped to the nearest bound. Fields the
// line does not give are left as they are, so pass a record with its
// defaults.
PELTORA_API void TsSplitCatalogueLine(const char* pszLine, CTsChannelGroupListData& group);

// The catalogue's file name (no folder): the game id in lower case (ASCII
// letters only; double-byte characters are kept whole), then the site code
// as it stands, then ".tsg". pszSiteCode "tsd" gives the fallback name.
PELTORA_API CString TsCatalogueFileName(const char* pszGameId, const char* pszSiteCode);

// Whether the user may enter group. The rating is the game record's
// m_nRating, or m_nRating2 for the games "BILLIARD4", "BILLIARD3" and
// "BILLIARD6" (exact case). Rating band: min <= R, and R <= max when max is
// above 0. Level band: a bound of 0 is no bound (-1 is one). Grade: "A" in
// any case admits every grade, else the member's grade must equal the
// group's ignoring case. All comparisons are signed 32-bit. bRatingBand 0
// skips the rating band (for a site that uses no ratings).
PELTORA_API int TsIsGroupAdmitted(const CTsMember& member, const CTsGameRecord& record,
                                  const char* pszGameId, const CTsChannelGroupListData& group,
                                  int bRatingBand = 1);

// Renders the group message of group into strMessage: service and command
// "go", mode 1, no address, with the group's level and rating limits
// (keyMinMember, keyMaxMember, keyRating, keyRatingMove, in this order).
// Returns non-zero on success; strMessage is emptied on failure.
PELTORA_API int TsBuildGroupMessage(const CTsChannelGroupListData& group, CString& strMessage);
