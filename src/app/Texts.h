// Texts of the main window that more than one place uses.
#pragma once

inline constexpr const wchar_t* kAppTitle = L"Vexlo 1.0 免费版";
