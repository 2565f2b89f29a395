#pragma once
// The program-wide tooltip switch: when it is off, no window of the running program shows a
// tooltip. The switch belongs to the application object: a new application starts with it on.

namespace velorine::ui {

void setTooltipsShown(bool shown);
bool tooltipsShown();
void toggleTooltips();

}  // namespace velorine::ui
