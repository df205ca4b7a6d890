// A label that keeps its whole text but, when the text is wider than the
// label, draws it shortened with "…" at the end and shows the whole text
// in its tooltip, above the label's own tooltip.
#pragma once

#include <QLabel>

namespace zv {

class ElidingLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidingLabel(QWidget* parent);

  // Whether the text is wider than the label.
  bool elided() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
};

}  // namespace zv
