// The settings file vtl3.ini in the per-user data folder. Nothing is cached: every access
// makes the folder if it is missing and reads the file again, so a file edited or deleted
// while the program runs is picked up, or made again with its defaults, at the next access.
// Errors of the folder and the file (EInOutError, "Unable to write to ...") and of the zoom's
// text (EConvertError) go to the caller.
#pragma once

#include <string>

namespace vtl {

// The file's full path; writes the defaults first when there is no file.
std::wstring SettingsFileName();
// A key's text as it is ("" when missing): the zoom, the average, the global shortcut and
// the copy template (the last two never written).
std::string ReadSetting(const char* key);
bool ReadStayOnTopSetting();
void WriteZoomSetting(int zoom);
// Written only when the user sets the picked square's side.
void WriteAverageSetting(int size);
// Writes the stay-on-top state only when it differs from what the file reads as.
void StoreStayOnTopSetting(bool on);

} // namespace vtl
