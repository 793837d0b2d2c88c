// What the program relies on in each picture, so that a picture that breaks it is never written.
#pragma once

#include "assets/generator/picture.h"

namespace zorvin::assets {

void checkFace(const Picture& face);
void checkPupil(const Picture& pupil);
void checkIcon(const Picture& icon);
void checkHand(const Picture& hand);

}  // namespace zorvin::assets
