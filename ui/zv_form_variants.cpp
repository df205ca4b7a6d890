// The main window's side of the variants window: VariantsBt shows it (made
// at its first use, on the session's current task, and put beside the main
// window as the other side windows are), and a variant chosen there becomes
// an undoable edit of the figure.
#include "ui/variants_window.h"
#include "ui/zv_form.h"

namespace zv {

void TZvForm::VariantsBtClick() {
  if (!variantsForm_) {
    variantsForm_ = std::make_unique<TVariantsForm>([this] { return task(); });
    connect(variantsForm_.get(), &TVariantsForm::variantChosen, this, &TZvForm::ApplyVariant);
  }
  ShowSideWindow(*variantsForm_, true);
}

void TZvForm::ApplyVariant(const LinkVariant& variant) { Apply(session_.ApplyVariant(variant)); }

}  // namespace zv
