/* Identifiers of the resources in zorvin.rc. Plain preprocessor text: the resource compiler reads
   it as well as the C++ compiler. */
#ifndef ZORVIN_WIN32_RESOURCE_IDS_H
#define ZORVIN_WIN32_RESOURCE_IDS_H

/* The lowest icon identifier is the one Explorer shows for the program. */
#define ZORVIN_ICON 1
#define ZORVIN_HAND_CURSOR 2
#define ZORVIN_FACE_BITMAP 3
#define ZORVIN_PUPIL_BITMAP 4

#endif
