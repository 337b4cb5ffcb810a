#pragma once

// Hides or shows every tooltip of the program.
void SetToolTipsHidden(bool hidden);
bool ToolTipsHidden();
