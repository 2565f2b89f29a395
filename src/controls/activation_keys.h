#pragma once
// The keys that act on a focused control as a click does: Space, Return and Enter. A key held down
// acts once: callers leave its repeats alone.

class QKeyEvent;

namespace velorine::controls {

bool IsActivationKey(const QKeyEvent& key);

}  // namespace velorine::controls
