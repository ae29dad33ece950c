// Long loops call PumpMessage() once per step so that a user interface stays
// responsive. The wizard installs a hook that handles one pending event; in
// the command-line tool the hook is empty and PumpMessage does nothing.
// Only the thread that installed the hook pumps: on any other thread
// PumpMessage does nothing.
#pragma once

namespace vantrel {

using PumpHook = void (*)();

void SetPumpHook(PumpHook hook);
void PumpMessage();

}  // namespace vantrel
