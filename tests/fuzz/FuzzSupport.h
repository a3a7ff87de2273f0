// What the fuzz targets share: one headless engine per process and a scratch
// folder for the readers that only take file names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class HGE;

// The running engine, started on first use: headless, software renderer,
// a small screen. Never released, so every input sees the same engine.
HGE* FuzzEngine();

// Writes the bytes to a file of the given name in this process's scratch
// folder (removed at exit); returns its path.
std::string WriteFuzzFile(const std::string& name, const uint8_t* data, size_t size);
