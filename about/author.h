/* The author as the About box and the executable's version block name them. Plain preprocessor
   text, so that the Windows resource script can include it too. */
#ifndef ZORVIN_ABOUT_AUTHOR_H
#define ZORVIN_ABOUT_AUTHOR_H

#define ZORVIN_AUTHOR_NAME "Ilse Marwood"
#define ZORVIN_AUTHOR_EMAIL "ilse@example.org"
#define ZORVIN_HOMEPAGE "https://zorvin.example.org/"

#endif
