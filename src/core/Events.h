#pragma once

namespace pivlo {

// Lets pending window events run in the middle of a long operation, so the single-threaded
// window stays alive. Does nothing when no application object exists.
void ProcessPendingEvents();

}  // namespace pivlo
