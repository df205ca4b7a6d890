// What an editing command changed, for the window to redraw from, and why a
// command was refused. The session has already recorded the figure into the
// undo history and validated the task when it reports a change.
#pragma once

namespace zv {

// A command that did nothing because of a limit the user must be told of.
enum class Refusal {
  None,
  TooManyCubes,        // adding a cube: the figure holds 254 already
  TooManyCubesToFill,  // filling: the figure has more cells than 254
};

// A shift that could not be made, said in the message line: nothing to
// shift, or the occupied box already touches the border it would cross.
enum class ShiftRefusal { None, Empty, AtBorder };

struct Changes {
  bool figure = false;      // the figure changed: draw it again
  bool form = false;        // the form changed: draw it again
  bool size = false;        // a dimension changed: lay the window out again
  bool counters = false;    // validation ran again: counters, message line, Solve button
  bool history = false;     // the undo history changed: undo and redo buttons
  bool mode = false;        // the work mode changed
  bool numbering = false;   // numbering mode was switched on or off
  bool selection = false;   // another solution is shown or another cell selected
  bool sizeKept = false;    // a size request was the present size: show it again
  bool numberList = false;  // undo or redo in numbering mode: fill the numbering list again
  Refusal refusal = Refusal::None;
  ShiftRefusal shiftRefusal = ShiftRefusal::None;

  Changes& operator|=(const Changes& other) {
    figure |= other.figure;
    form |= other.form;
    size |= other.size;
    counters |= other.counters;
    history |= other.history;
    mode |= other.mode;
    numbering |= other.numbering;
    selection |= other.selection;
    sizeKept |= other.sizeKept;
    numberList |= other.numberList;
    if (other.refusal != Refusal::None) refusal = other.refusal;
    if (other.shiftRefusal != ShiftRefusal::None) shiftRefusal = other.shiftRefusal;
    return *this;
  }
  bool operator==(const Changes&) const = default;
};

}  // namespace zv
