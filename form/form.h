// What the program's two forms have in common: the program they belong to and their window.
#pragma once

#include <memory>

#include "form/form_host.h"
#include "platform/api/form_runtime.h"
#include "platform/api/layout.h"

namespace zorvin {

class Form : public FormEvents {
  public:
    Window& window() { return *window_; }

    // Closing a window from its caption bar unloads its form, with no procedure of the form's own.
    void CaptionClose() override;

  protected:
    // Builds the form's window, hidden, from its layout.
    Form(FormHost& program, const FormLayout& layout);

    FormHost& program_;
    std::unique_ptr<Window> window_;
};

}  // namespace zorvin
