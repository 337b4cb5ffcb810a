#pragma once

#include "platform/AssociateFile.h"

// Exercise files: plain text with the extension ".Qvt", opened by the text
// editor. Registered for the user at every start-up, and installed with the
// program.
FileType TypeFichierExercice();
