// The application's folders: portable beside the program when its folder is writable, else the user's.
#pragma once

namespace vildo {

struct WindowState;

// Fills `Paths`; called once at start-up before any file is read or written.
void DetermineFolders(WindowState& app);

}  // namespace vildo
