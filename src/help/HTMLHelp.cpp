#include "help/HTMLHelp.h"

// The help window arrives with the help pages; until then a request shows
// nothing, and there is no window to close.
void HTMLHelp::HHDisplayTopicID() {}
void HTMLHelp::HHDisplayContents() {}
void HTMLHelp::HHDisplayIndex() {}
void HTMLHelp::HHClose() {}
