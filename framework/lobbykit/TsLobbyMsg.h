// Window messages and flags shared by the lobby frame, its child windows and
// the plug-ins they host.
#pragma once

#include <windows.h>

// Frame -> child: activation. wParam holds TSACT_ flags; lParam is a
// __tag_GameString* with TSACT_EX | TSACT_ON (the first activation), else 0.
const UINT WM_TS_SETACTIVEWINDOW = WM_USER + 10;
// wParam bit: activate (set) or deactivate (clear).
const WPARAM TSACT_ON = 0x1;
// wParam bit: the activation that starts (or stops) the child's work.
const WPARAM TSACT_EX = 0x4;

// Anyone -> the frame's channel-name window: wParam is a NUL-terminated text
// (the "group-channel" name of a join), lParam 0. Sent, never posted.
const UINT WM_TS_CHANNELNAME = WM_USER + 53;

// Child ids of the frame's two child windows.
const UINT TS_CHILD_CHANNELLIST = 1; // child 1: the channel-list plug-in window
const UINT TS_CHILD_LOBBY = 2;       // child 2: the lobby
