// The terminal's modes for the time of a terminal box, and the promise to give
// them back on the ways out the box can see: the normal return, a time-out,
// and the signals below. Other signals that end the process (SIGKILL,
// SIGALRM, a crash) leave the terminal in the box's modes.
//
// A signal that ends the process (SIGHUP, SIGINT, SIGQUIT, SIGTERM) first
// moves the cursor below the box and gives the terminal its modes back, and
// is then delivered again with the disposition the process had before the
// box, so the process ends as it would have; where the process handles the
// signal itself and lives on, the box takes its modes back and goes on.
// Signals the process ignores stay ignored. Ctrl-Z (SIGTSTP) gives the modes
// back, stops the process, and takes the box's modes again when it is
// continued; the box then draws itself anew. A resize (SIGWINCH) is noted
// for the box to lay itself out again, and passed on to the process's own
// handler where it has one.
//
// The signal handlers need process-wide state, so only one session may exist
// at a time; the terminal box sees to that.
#pragma once

#include "terminal_caps.h"

namespace vorlick {

class TerminalSession {
 public:
  TerminalSession() = default;
  TerminalSession(const TerminalSession&) = delete;
  TerminalSession& operator=(const TerminalSession&) = delete;
  ~TerminalSession() { Leave(); }

  // Saves the modes of the terminal `fd` and puts it in the box's mode: keys
  // arrive one by one, unechoed, but Ctrl-C still interrupts. Hides the
  // cursor where `caps` can (and shows it again on the way out). False when
  // `fd` is no terminal whose modes can be set.
  bool Enter(int fd, const TerminalCaps& caps);

  // Gives the terminal its saved modes and the process its signal
  // dispositions back. Does nothing when not entered.
  void Leave();

  // How many line feeds a signal's way out writes first, to leave the
  // cursor below the box.
  void SetLinesToBelow(int lines);

  // True once after a stop and continue, or after a signal the process
  // handled itself and lived on, when the box must be drawn anew; takes the
  // box's modes and signals back as needed.
  bool TakeRedraw();

  // True once after the terminal was resized.
  bool TakeResize();

 private:
  bool entered_ = false;
};

}  // namespace vorlick
