// A plug-in in miniature for the host tests: a CTsChildWnd subclass in an
// extension DLL with the factory exports. It notes what reaches it; the
// tests read the notes through SampleGetNotes.
//
// Its game string is "<host>:<port>" (connect there and send "hello"),
// "bad" (an invalid string: message box, then WM_CLOSE to the frame) or
// anything else (no connection).
#pragma once

// Id of the string the sample's resources add to the chain.
#define IDS_SAMPLE_CAPTION 17900
// Command id of its join button.
#define IDC_SAMPLE_JOIN 215
// Its idle timer.
#define TIMER_SAMPLE_IDLE 121

// Exported: copies the notes, one a line, into pBuffer (bounded, always
// NUL-terminated) and returns their number.
typedef int (*PFN_SAMPLE_GET_NOTES)(char* pBuffer, int nSize);
#define SAMPLE_GET_NOTES "SampleGetNotes"
