#pragma once

namespace vesk {

class DesktopWindows;
class GlobalHotKeys;
class ProcessLauncher;
class SyntheticInput;

// What starting and driving other programs needs of the desktop, owned by
// the program's entry (X11 versions with the windows; fallbacks that cannot
// act elsewhere; fakes in tests). Null members mean the fallback.
struct DesktopServices
{
    ProcessLauncher *programs = nullptr;
    DesktopWindows *windows = nullptr;
    GlobalHotKeys *hotKeys = nullptr;
    SyntheticInput *input = nullptr;
};

} // namespace vesk
