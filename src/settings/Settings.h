// The settings file vtl3.ini in the per-user data folder. Nothing is cached: every access
// finds the folder and the file again, so a file edited or deleted while the program runs
// is picked up, or made again with its defaults, at the next access. Errors of the folder and
// the file (EInOutError, "Unable to write to ...") and of the zoom's text (EConvertError)
// go to the caller.
#pragma once

#include <string>

namespace vtl {

// The file's full path; writes the defaults first when there is no file.
std::wstring SettingsFileName();
bool ReadStayOnTopSetting();
// The stored zoom text as it is ("" when missing).
std::string ReadZoomSettingText();
void WriteZoomSetting(int zoom);
// The picked square's side as stored ("" when missing); written only when the user sets it.
std::string ReadAverageSettingText();
void WriteAverageSetting(int size);
// The global shortcut's text as it is ("" when missing); never written.
std::string ReadPickKeySettingText();
// Writes the stay-on-top state only when it differs from what the file reads as.
void StoreStayOnTopSetting(bool on);

} // namespace vtl
