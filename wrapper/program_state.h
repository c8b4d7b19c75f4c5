#pragma once

#include <windows.h>

#include <string>

// What the callbacks need from start-up, set once before the editor runs.
struct ProgramState {
    HINSTANCE instance = nullptr;
    std::string pipeName;
};

ProgramState& Program();
