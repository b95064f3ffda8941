#pragma once

// Which keyboard locks are on, as X11's keyboard extension reports them; all
// off where there is no X11 display.
struct LockState {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

LockState ReadLockState();
