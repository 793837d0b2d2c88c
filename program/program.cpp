#include "program/program.h"

#include <stdexcept>
#include <utility>
#include <vector>

#include "about/form2.h"
#include "about/form2_layout.h"
#include "character/form1.h"
#include "character/form1_layout.h"

namespace zorvin {

Program::Program(Platform& platform) : platform_(platform) {}

Program::~Program() = default;

std::int32_t Program::TickPeriodMs() {
    std::int32_t shortest = 0;
    for (const FormLayout* layout : {&kForm1Layout, &kForm2Layout}) {
        for (const ControlLayout& control : layout->controls) {
            if (control.kind == ControlKind::Timer && control.interval > 0 &&
                (shortest == 0 || control.interval < shortest)) {
                shortest = control.interval;
            }
        }
    }
    return shortest;
}

void Program::Start() {
    form1_ = std::make_unique<Form1>(*this);
    form1_->Form_Load();
    platform_.Show(form1_->window());
}

Form1& Program::form1() {
    if (!form1_) {
        throw std::logic_error("Form1 is not loaded");
    }
    return *form1_;
}

Form2& Program::LoadForm2() {
    if (!form2_) {
        std::erase_if(unloaded_,
                      [](const std::unique_ptr<Form>& form) { return !form->window().inEvent(); });
        form2_ = std::make_unique<Form2>(*this);
        form2_->Form_Load();
    }
    return *form2_;
}

void Program::Unload(Form& form) {
    std::unique_ptr<Form> unloaded;
    if (&form == form1_.get()) {
        unloaded = std::move(form1_);
    } else if (&form == form2_.get()) {
        unloaded = std::move(form2_);
    } else {
        return;
    }
    unloaded->window().Unload();
    unloaded_.push_back(std::move(unloaded));
    if (!form1_ && !form2_) {
        End();
    }
}

void Program::ShowAbout() {
    platform_.Show(LoadForm2().window());
}

bool Program::staysOnTop() {
    return form1().mAlwaysOnTop.Checked();
}

void Program::End() {
    platform_.End();
}

}  // namespace zorvin
