#pragma once
// What screen readers learn of the program's own controls, through Qt's accessibility (AT-SPI on
// Linux): TIEButton is a push button (a toggle in a group) named by its caption, or by its hint
// when it shows a glyph alone, with its Alt accelerator and a press action; TBanner is a link named
// by its text when something handles its click, else that text or picture.
//
// InstallControlsAccessibility() registers the interfaces with Qt once per process; every TIEButton
// and TBanner calls it when created, so whoever uses them needs do nothing. Actions asked for by a
// screen reader run from the event loop, after the request has been answered: a press that opens a
// modal window does not hold the reader up.

namespace velorine::controls {

void InstallControlsAccessibility();

}  // namespace velorine::controls
