#pragma once
/// @file
/// @ingroup system
/// Key codes are the Windows virtual-key codes 1-255. The driver reports the shift, control and
/// alt keys only as their left and right codes (160-165), never as 16, 17 or 18.
namespace corvax {

/// Editing, navigation and control keys.
///@{
inline constexpr int KEY_BACKSPACE = 8;
inline constexpr int KEY_TAB = 9;
inline constexpr int KEY_CLEAR = 12;
inline constexpr int KEY_ENTER = 13;
inline constexpr int KEY_PAUSE = 19;
inline constexpr int KEY_CAPSLOCK = 20;
inline constexpr int KEY_ESCAPE = 27;
inline constexpr int KEY_SPACE = 32;
inline constexpr int KEY_PAGEUP = 33;
inline constexpr int KEY_PAGEDOWN = 34;
inline constexpr int KEY_END = 35;
inline constexpr int KEY_HOME = 36;
inline constexpr int KEY_LEFT = 37;
inline constexpr int KEY_UP = 38;
inline constexpr int KEY_RIGHT = 39;
inline constexpr int KEY_DOWN = 40;
inline constexpr int KEY_SELECT = 41;
inline constexpr int KEY_PRINT = 42;
/// The Execute key, under a name <windows.h> leaves alone.
inline constexpr int KEY_EXECUTE_KEY = 43;
#ifndef KEY_EXECUTE
/// The Execute key. <windows.h> takes this name for a registry access right (a macro), so a
/// program that includes it first has KEY_EXECUTE_KEY instead.
inline constexpr int KEY_EXECUTE = KEY_EXECUTE_KEY;
#endif
inline constexpr int KEY_SCREEN = 44;
inline constexpr int KEY_INSERT = 45;
inline constexpr int KEY_DELETE = 46;
inline constexpr int KEY_HELP = 47;
///@}

/// Digits and letters are their upper-case characters.
///@{
inline constexpr int KEY_0 = '0';
inline constexpr int KEY_1 = '1';
inline constexpr int KEY_2 = '2';
inline constexpr int KEY_3 = '3';
inline constexpr int KEY_4 = '4';
inline constexpr int KEY_5 = '5';
inline constexpr int KEY_6 = '6';
inline constexpr int KEY_7 = '7';
inline constexpr int KEY_8 = '8';
inline constexpr int KEY_9 = '9';
inline constexpr int KEY_A = 'A';
inline constexpr int KEY_B = 'B';
inline constexpr int KEY_C = 'C';
inline constexpr int KEY_D = 'D';
inline constexpr int KEY_E = 'E';
inline constexpr int KEY_F = 'F';
inline constexpr int KEY_G = 'G';
inline constexpr int KEY_H = 'H';
inline constexpr int KEY_I = 'I';
inline constexpr int KEY_J = 'J';
inline constexpr int KEY_K = 'K';
inline constexpr int KEY_L = 'L';
inline constexpr int KEY_M = 'M';
inline constexpr int KEY_N = 'N';
inline constexpr int KEY_O = 'O';
inline constexpr int KEY_P = 'P';
inline constexpr int KEY_Q = 'Q';
inline constexpr int KEY_R = 'R';
inline constexpr int KEY_S = 'S';
inline constexpr int KEY_T = 'T';
inline constexpr int KEY_U = 'U';
inline constexpr int KEY_V = 'V';
inline constexpr int KEY_W = 'W';
inline constexpr int KEY_X = 'X';
inline constexpr int KEY_Y = 'Y';
inline constexpr int KEY_Z = 'Z';
///@}

/// The system ("Windows") keys, the menu key and sleep.
///@{
inline constexpr int KEY_LSYS = 91;
inline constexpr int KEY_RSYS = 92;
inline constexpr int KEY_APPS = 93;
inline constexpr int KEY_SLEEP = 95;
///@}

/// The numeric keypad with Num Lock on.
///@{
inline constexpr int KEY_NUM0 = 96;
inline constexpr int KEY_NUM1 = 97;
inline constexpr int KEY_NUM2 = 98;
inline constexpr int KEY_NUM3 = 99;
inline constexpr int KEY_NUM4 = 100;
inline constexpr int KEY_NUM5 = 101;
inline constexpr int KEY_NUM6 = 102;
inline constexpr int KEY_NUM7 = 103;
inline constexpr int KEY_NUM8 = 104;
inline constexpr int KEY_NUM9 = 105;
inline constexpr int KEY_NUMMULTIPLY = 106;
inline constexpr int KEY_NUMADD = 107;
inline constexpr int KEY_NUMSEPARATOR = 108;
inline constexpr int KEY_NUMSUBTRACT = 109;
inline constexpr int KEY_NUMDECIMAL = 110;
inline constexpr int KEY_NUMDIVIDE = 111;
///@}

/// F1 to F24 run on from here: KEY_F1 + n - 1.
///@{
inline constexpr int KEY_F1 = 112;
inline constexpr int KEY_F2 = 113;
inline constexpr int KEY_F3 = 114;
inline constexpr int KEY_F4 = 115;
inline constexpr int KEY_F5 = 116;
inline constexpr int KEY_F6 = 117;
inline constexpr int KEY_F7 = 118;
inline constexpr int KEY_F8 = 119;
inline constexpr int KEY_F9 = 120;
inline constexpr int KEY_F10 = 121;
inline constexpr int KEY_F11 = 122;
inline constexpr int KEY_F12 = 123;
///@}

/// The lock keys.
///@{
inline constexpr int KEY_NUMLOCK = 144;
inline constexpr int KEY_SCROLLLOCK = 145;
///@}

/// The modifiers, left and right: what the driver reports for shift, control and alt.
///@{
inline constexpr int KEY_LSHIFT = 160;
inline constexpr int KEY_RSHIFT = 161;
inline constexpr int KEY_LCONTROL = 162;
inline constexpr int KEY_RCONTROL = 163;
inline constexpr int KEY_LALT = 164;
inline constexpr int KEY_RALT = 165;
///@}

/// Browser, volume, media and launch keys.
///@{
inline constexpr int KEY_BROWSER_BACK = 166;
inline constexpr int KEY_BROWSER_FORWARD = 167;
inline constexpr int KEY_BROWSER_REFRESH = 168;
inline constexpr int KEY_BROWSER_STOP = 169;
inline constexpr int KEY_BROWSER_SEARCH = 170;
inline constexpr int KEY_BROWSER_FAVORITES = 171;
inline constexpr int KEY_BROWSER_HOME = 172;
inline constexpr int KEY_VOLUME_MUTE = 173;
inline constexpr int KEY_VOLUME_DOWN = 174;
inline constexpr int KEY_VOLUME_UP = 175;
inline constexpr int KEY_MEDIA_NEXT = 176;
inline constexpr int KEY_MEDIA_PREV = 177;
inline constexpr int KEY_MEDIA_STOP = 178;
inline constexpr int KEY_MEDIA_PLAY = 179;
inline constexpr int KEY_LAUNCH_MAIL = 180;
inline constexpr int KEY_LAUNCH_MEDIA = 181;
inline constexpr int KEY_LAUNCH_APP1 = 182;
inline constexpr int KEY_LAUNCH_APP2 = 183;
///@}

/// Punctuation keys are named by their place on a US keyboard.
///@{
inline constexpr int KEY_SEMICOLON = 186;
inline constexpr int KEY_EQUALS = 187;
inline constexpr int KEY_COMMA = 188;
inline constexpr int KEY_MINUS = 189;
inline constexpr int KEY_PERIOD = 190;
inline constexpr int KEY_SLASH = 191;
inline constexpr int KEY_TILDE = 192;
inline constexpr int KEY_OPENBRACKET = 219;
inline constexpr int KEY_BACKSLASH = 220;
inline constexpr int KEY_CLOSEBRACKET = 221;
inline constexpr int KEY_QUOTES = 222;
inline constexpr int KEY_EXTRA_BACKSLASH = 226;  ///< the extra key left of Z on ISO keyboards
///@}

/// Mouse buttons as polled input numbers them.
///@{
inline constexpr int MOUSE_LEFT = 1;
inline constexpr int MOUSE_RIGHT = 2;
inline constexpr int MOUSE_MIDDLE = 3;
///@}

}  // namespace corvax
