// What the terminal box needs of the terminal, from the terminal's own entry
// in the terminfo database (the compiled files Debian's ncurses installs),
// read here without any curses library, and only when a terminal box is
// shown.
#pragma once

#include <cstddef>

namespace vorlick {

// Room for one capability string and its terminator; a longer one counts as
// missing, as the box does not need any of that length.
inline constexpr int kCapBytes = 48;

// Each capability is empty when the terminal lacks it.
struct TerminalCaps {
  char up[kCapBytes];            // cursor up one line (cuu1)
  char eraseLine[kCapBytes];     // erase to the end of the line (el)
  char eraseBelow[kCapBytes];    // erase to the end of the screen (ed)
  char hideCursor[kCapBytes];    // civis
  char showCursor[kCapBytes];    // cnorm
  char bold[kCapBytes];          // bold
  char reverse[kCapBytes];       // rev, else standout (smso)
  char underline[kCapBytes];     // smul
  char underlineOff[kCapBytes];  // rmul
  char plain[kCapBytes];         // all attributes off (sgr0)
};

// Whether the box can be redrawn in place: the terminal moves the cursor up
// and erases a line. Any other terminal gets the box as plain text.
bool CanRewrite(const TerminalCaps& caps);

// Reads the capabilities from a compiled entry, in the legacy format (16-bit
// numbers) or the extended-number one (32-bit numbers). Delays ("$<5>") are
// left out: the box needs no exact timing. False, with no capabilities, when
// `data` is no valid entry.
bool ParseTerminfo(const unsigned char* data, std::size_t size,
                   TerminalCaps& caps);

// Finds the entry of terminal type `term` as the curses library does:
// $TERMINFO, ~/.terminfo, the folders of $TERMINFO_DIRS (an empty one standing
// for the system's), then /etc/terminfo, /lib/terminfo and /usr/share/terminfo,
// each as folder/x/name or folder/78/name. False, with no capabilities, when
// `term` is null, empty or no safe file name, or has no readable entry.
bool LoadTerminalCaps(const char* term, TerminalCaps& caps);

}  // namespace vorlick
