// The gallery's record of what is done with its controls, for the checks that drive it with a
// real mouse: while the environment variable SKINVIEW_EVENTS names a file, each event is
// appended to it as one line of text ("mediaplayer btPlay", "trackbar plain 5").
#pragma once

#include <string>

namespace skinview {

// Appends the line to the file SKINVIEW_EVENTS names; nothing when it names none.
void RecordGalleryEvent(const std::wstring& line);

}  // namespace skinview
