#pragma once
// The Windows tests' message pump.
#include <windows.h>

namespace mivello::testing_support {

// Dispatches every message waiting for this thread; whether one of them was WM_QUIT.
inline bool QuitPosted() {
  MSG message;
  bool quit = false;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) quit = true;
    DispatchMessageW(&message);  // whatever is left must reach no freed object
  }
  return quit;
}

}  // namespace mivello::testing_support
