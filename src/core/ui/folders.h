// The application's folders: portable beside the program when its folder is writable, else the user's.
#pragma once
#include <filesystem>

namespace vildo {

struct Platform;
struct WindowState;

// The folder under the user's application-data folder that holds the program's own files.
inline constexpr const char* kApplicationFolderName = "Vildo";

// Where the program keeps its own files, as DetermineFolders chooses it: the program's folder when the program
// may write there (it runs portably), else the application-data folder's "Vildo"; empty when neither is known.
// Other programs of the package use it to find the same files (the data service its database).
std::filesystem::path applicationFolder(const Platform& pl);

// Fills `Paths`; called once at start-up before any file is read or written.
void DetermineFolders(WindowState& app);

}  // namespace vildo
