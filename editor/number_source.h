// Where numbering mode takes its numbers from: the numbering window's list,
// whose selection moves on by one with every number handed out and wraps
// back to the first number after the last.
#pragma once

#include <optional>

namespace zv {

class NumberSource {
 public:
  virtual ~NumberSource() = default;
  // The selected zero-based number, the selection then moving on; nothing
  // when no number is selected.
  virtual std::optional<int> TakeNumber() = 0;
  // True when the selection has wrapped back to the first number.
  virtual bool AtFirstNumber() const = 0;
};

}  // namespace zv
