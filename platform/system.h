// Operating-system services of the plug-in that are not about windows.
#pragma once

#include <string>

namespace platform {

// Full path of the library (or program) file that holds this code.
std::string moduleFilePath();

// The folder of the library (or program) file that holds this code, ending
// with the path separator; empty when the system cannot tell.
std::string moduleFolder();

// Full path of the running program's own file, links resolved, whatever the
// current folder or the name it was started by; empty when the system cannot
// tell.
std::string executableFilePath();

// Characters that separate folders in a path on this system.
const char* pathSeparators();

// The decimal separator of the user's locale (from the environment on POSIX,
// the user's regional settings on Windows); "." when none is set.
std::string userDecimalSeparator();

// Sets a variable of this process's environment (an empty value removes it).
void setEnvironmentVariable(const char* name, const char* value);

// Shows text to the user in a modal box with only an OK button and returns
// when the user has closed it. caption null means the system's default title.
void showMessageBox(const char* text, const char* caption);

}  // namespace platform
