#include "program/form.h"

#include "program/program.h"

namespace zorvin {

Form::Form(Program& program, const FormLayout& layout)
    : program_(program), window_(program.platform().Load(layout, *this)) {}

void Form::CaptionClose() {
    program_.Unload(*this);
}

}  // namespace zorvin
