// Loading a drawing file (binary CAD drawing or DXF) into an element database.
#pragma once

#include <filesystem>

class CDtbEngine;

// Tells the kind of a drawing file.
class CZkFile {
public:
    // 1 binary drawing ("Rimbleton" or "ZED PLINT KQ V4.0" at byte 4), 2 DXF (the file holds
    // an ENTITIES section), -1 the file cannot be opened, -2 neither.
    int GetFileType(const std::filesystem::path& path) const;
};

// Every line and arc found is appended as a new element at the engine's current level, in the
// x/y plane, with red = green = blue = 255, pen width 1, pen kind 1, class bits 1; nothing
// already in the engine is touched.

// Decides the kind with CZkFile::GetFileType: returns its code when negative, else the result
// of FileReadHnd (type 1) or FileReadDxf (type 2).
int FileRead(CDtbEngine& engine, const std::filesystem::path& path);
// Reads a binary drawing; 0 in every case (a missing, short, unknown or truncated file gives
// no elements).
int FileReadHnd(CDtbEngine& engine, const std::filesystem::path& path);
// Reads the lines, arcs and circles of a DXF file's first ENTITIES section; 0, or -1 when the
// file cannot be opened.
int FileReadDxf(CDtbEngine& engine, const std::filesystem::path& path);
