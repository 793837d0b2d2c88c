// What a form may ask of the program it belongs to, and no more: the forms know one another only
// through it.
#pragma once

#include "platform/api/platform.h"

namespace zorvin {

class Form;

class FormHost {
  public:
    virtual ~FormHost() = default;

    virtual Platform& platform() = 0;
    // Destroys the form's window and forgets the form; when no window is left loaded, the program
    // ends.
    virtual void Unload(Form& form) = 0;
    // Ends the program at once: every window closes and no further event is delivered.
    virtual void End() = 0;
    // Loads the About box, unless it is loaded already, and shows it.
    virtual void ShowAbout() = 0;
    // Whether the character stays on top, as its menu's check mark says.
    virtual bool staysOnTop() = 0;
};

}  // namespace zorvin
