// Colours of the lobby's frame drawing, shared by the child-window base
// class and the controls that stand on its header band.
#pragma once

#include <windows.h>

const COLORREF TSCLR_BORDER = RGB(40, 48, 72);         // outer border of a child window
const COLORREF TSCLR_TITLE = RGB(30, 44, 78);          // band above the header
const COLORREF TSCLR_HEADER = RGB(58, 86, 142);        // header band
const COLORREF TSCLR_HEADER_EDGE = RGB(120, 150, 205); // lower edge line of the header band
const COLORREF TSCLR_BACKGROUND = RGB(236, 240, 246);  // body below the header
const COLORREF TSCLR_GOLD = RGB(212, 175, 55);         // gold panel face
const COLORREF TSCLR_GOLD_LIGHT = RGB(247, 226, 140);  // gold panel top edge
const COLORREF TSCLR_GOLD_DARK = RGB(150, 115, 20);    // gold panel bottom edge
