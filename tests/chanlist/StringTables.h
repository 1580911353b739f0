// The expected string tables of the three configurations, as bytes in each
// language's ANSI code page, and the English table common to all three.
#pragma once

#include <windows.h>

struct TsStringCase {
    UINT nId;            // string id
    const char* pszText; // expected text
};

struct TsLanguageTable {
    const char* pszName;        // configuration: "Korean", "Japanese", "Chinese"
    const char* pszDll;         // its plug-in DLL
    LANGID nLanguage;           // its own table's language
    UINT nCodePage;             // ANSI code page its texts are written in
    const TsStringCase* pCases; // its own table
    int nCases;
};

// The configurations, Korean first.
extern const TsLanguageTable kLanguageTables[3];
// The English table (every configuration carries it).
extern const TsStringCase kEnglishTable[];
extern const int kEnglishCount;

// The expected text of nId in configuration t for the calling thread: its
// own language when the thread's locale is that language, else English.
const char* ExpectedText(const TsLanguageTable& t, UINT nId);
