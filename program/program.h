// The program: its two window instances, its start and its end.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "form/form_host.h"
#include "platform/api/platform.h"

namespace zorvin {

class Form1;
class Form2;

class Program final : public FormHost {
  public:
    explicit Program(Platform& platform);
    ~Program() override;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Platform& platform() override { return platform_; }

    // How often the program looks at the pointer while it moves: the shortest interval its
    // windows' timers start with, in milliseconds.
    static std::int32_t TickPeriodMs();

    // Creates Form1, runs its Form_Load and shows it. The backend then delivers events until the
    // program ends.
    void Start();

    // The character window, loaded from the start until it is unloaded.
    Form1& form1();

    // Creates the About box and runs its Form_Load, unless it is loaded already.
    Form2& LoadForm2();
    // The About box, or null while it is not loaded.
    Form2* form2() { return form2_.get(); }

    // FormHost
    void Unload(Form& form) override;
    void End() override;
    void ShowAbout() override;
    bool staysOnTop() override;

  private:
    Platform& platform_;
    std::unique_ptr<Form1> form1_;
    std::unique_ptr<Form2> form2_;
    // A form's own handler may unload it, and the backend's code of the window's event runs on
    // after the handler returns; an opener's message loop inside a handler may even load the
    // next About box first. An unloaded form lives on, with its unloaded window, until a load
    // after its events have returned, or the end of the program.
    std::vector<std::unique_ptr<Form>> unloaded_;
};

}  // namespace zorvin
