// A program's wiring on one window system, written once for both programs, the check programs and
// the in-memory window system: the registry of its windows, the backend, which reports to the
// registry, and the form runtime over both. They are made in that order and go in the reverse.
#pragma once

#include <utility>

#include "platform/api/platform.h"
#include "platform/common/form_platform.h"
#include "platform/common/window_registry.h"

namespace zorvin {

template <typename System>
class FormSession {
  public:
    // The backend is made with the registry and then `arguments`.
    template <typename... Arguments>
    explicit FormSession(Arguments&&... arguments)
        : system_(registry_, std::forward<Arguments>(arguments)...) {}
    FormSession(const FormSession&) = delete;
    FormSession& operator=(const FormSession&) = delete;

    // What the program runs on.
    Platform& forms() { return forms_; }
    System& system() { return system_; }
    // Whether the program has ended, perhaps already while it started.
    bool ended() const { return registry_.ended(); }

  private:
    WindowRegistry registry_;
    System system_;
    FormPlatform forms_{registry_, system_};
};

}  // namespace zorvin
