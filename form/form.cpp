#include "form/form.h"

namespace zorvin {

Form::Form(FormHost& program, const FormLayout& layout)
    : program_(program), window_(program.platform().Load(layout, *this)) {}

void Form::CaptionClose() {
    program_.Unload(*this);
}

}  // namespace zorvin
