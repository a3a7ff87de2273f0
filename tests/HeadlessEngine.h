// A headless engine for unit tests that need textures or drawing: made once
// per test process, with no frame loop.
#pragma once

#include <string>

class HGE;

// The running engine (screen 1024 x 768), started on first use.
HGE* HeadlessEngine();

// A whole file as bytes; empty when it cannot be read.
std::string ReadFile(const std::string& path);

// A fresh empty folder for files a test writes.
std::string TestFolder(const std::string& name);

// Writes a PNG of the given size filled with one ARGB colour; returns its path.
std::string WriteTestPng(const std::string& folder, const std::string& name, int width, int height,
                         unsigned argb);
